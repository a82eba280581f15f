#include "desktop/CopiesControls.h"

#include "desktop/CopyCollector.h"
#include "desktop/DesktopTexts.h"
#include "desktop/WindowPlacement.h"
#include "widgets/Accessibility.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QScreen>

using namespace std::chrono_literals;

namespace {

// Long enough for a copy busy painting a flood of lines; a copy that has not answered
// by then is left where it is.
constexpr auto AnswerTimeout = 1500ms;

bool compositorPlacesWindows() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

CopiesControls::CopiesControls(QWidget* window, const QString& captionBase)
    : QObject(window)
    , m_window(window)
    , m_captionBase(captionBase)
    , m_registry([this] { return describe(); }, [this](const QRect& frame) { moveFrame(frame); })
    , m_bClone(new QPushButton(window)) {
    m_bClone->setObjectName(QStringLiteral("bClone"));
    m_bClone->setText(DesktopTexts::CloneButton);
    describeControl(m_bClone, DesktopTexts::CloneButton, DesktopTexts::CloneHint);
    connect(m_bClone, &QPushButton::clicked, this, &CopiesControls::bCloneClick);
}

CopiesControls::~CopiesControls() = default;

void CopiesControls::addWindowMenu(QMenuBar* menuBar) {
    QMenu* menu = menuBar->addMenu(DesktopTexts::WindowMenu);
    menu->setObjectName(QStringLiteral("Window1"));
    const auto addItem = [this, menu](const char* name, const QString& caption, auto handler) {
        QAction* item = menu->addAction(caption);
        item->setObjectName(QLatin1String(name));
        connect(item, &QAction::triggered, this, handler);
    };
    addItem("Clone1", DesktopTexts::CloneItem, &CopiesControls::Clone1Click);
    addItem("Virticalalign1", DesktopTexts::VerticalAlignItem,
            &CopiesControls::Virticalalign1Click);
    addItem("Cascade1", DesktopTexts::CascadeAlignItem, &CopiesControls::Cascade1Click);
    addItem("Tilealign1", DesktopTexts::TileAlignItem, &CopiesControls::Tilealign1Click);
}

// Whether the new copy started is not reported.
void CopiesControls::bCloneClick() {
    QProcess::startDetached(QCoreApplication::applicationFilePath(), {});
}

CopyIdentity CopiesControls::describe() const {
    CopyIdentity identity;
    identity.visible = m_window->isVisible();
    identity.marker = m_marked ? CopyProtocol::WindowMarker : 0;
    identity.frame = m_window->frameGeometry();
    identity.caption = m_window->windowTitle();
    return identity;
}

// Whoever asks, the window lands where the screens can show it, at a size they hold.
void CopiesControls::moveFrame(const QRect& frame) {
    if (compositorPlacesWindows())
        return;
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    const QRect fitted = WindowPlacement::fitToScreens(frame, screens);
    const QSize decoration = m_window->frameGeometry().size() - m_window->size();
    m_window->move(fitted.topLeft());
    m_window->resize(fitted.size() - decoration);
}

void CopiesControls::arrange(Arrangement arrangement) {
    if (compositorPlacesWindows())
        return;
    m_collector = std::make_unique<CopyCollector>(m_registry.serverName(), AnswerTimeout);
    connect(m_collector.get(), &CopyCollector::finished, this,
            [this, arrangement] { place(arrangement); });
    m_collector->start();
}

void CopiesControls::place(Arrangement arrangement) {
    const QRect area = m_window->screen()->availableGeometry();
    const QList<WindowArrangement::Placement> placements = WindowArrangement::plan(
        arrangement, m_registry.identity(), m_collector->answers(), m_captionBase, area);
    for (const WindowArrangement::Placement& placement : placements) {
        if (placement.server.isEmpty())
            moveFrame(placement.frame);
        else
            m_collector->sendMove(placement.server, placement.frame);
    }
}
