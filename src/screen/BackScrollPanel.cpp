#include "screen/BackScrollPanel.h"

#include "screen/ScreenBuffer.h"
#include "screen/ScreenTexts.h"
#include "screen/TerminalView.h"
#include "widgets/Accessibility.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

BackScrollPanel::BackScrollPanel(ScreenBuffer& screen, TerminalView& terminal)
    : QFrame(terminal.parentWidget())
    , m_position(screen) {
    setObjectName(QStringLiteral("Panel2"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    // It lies over the TTY image: text scrolling there must not show between its frame
    // and its own image.
    setAutoFillBackground(true);
    m_image2 = new TerminalView(screen, this, TerminalView::Lines::UpToViewIndex);
    m_image2->setObjectName(QStringLiteral("Image2"));
    describeControl(m_image2, ScreenTexts::BackScrollHint);
    m_scrollBar = new QScrollBar(Qt::Vertical, this);
    m_scrollBar->setObjectName(QStringLiteral("ScrollBar1"));
    describeControl(m_scrollBar, ScreenTexts::BackScrollHint);
    m_scrollBar->setRange(0, BackScrollPosition::MaxPosition);
    m_scrollBar->setSingleStep(1);
    m_scrollBar->setPageStep(1);
    m_scrollBar->setValue(BackScrollPosition::MaxPosition);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(frameWidth(), frameWidth(), frameWidth(), frameWidth());
    layout->setSpacing(0);
    layout->addWidget(m_image2, 1);
    layout->addWidget(m_scrollBar);

    m_bBackScroll = new QPushButton(this);
    m_bBackScroll->setObjectName(QStringLiteral("bBackScroll"));
    m_bBackScroll->setText(ScreenTexts::BackButton);
    describeControl(m_bBackScroll, ScreenTexts::BackButton, ScreenTexts::BackScrollHint);
    m_upDown = buildUpDown();

    connect(m_bBackScroll, &QPushButton::clicked, this, &BackScrollPanel::bBackScrollClick);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, &BackScrollPanel::ScrollBar1Change);
    // Checked as lines arrive, not when painting: a minimised window does not paint.
    connect(&screen, &ScreenBuffer::contentChanged, this, [this] {
        if (isShown())
            followScreen();
    });
    terminal.installEventFilter(this);
    m_image2->installEventFilter(this);
    hide();
}

QWidget* BackScrollPanel::buildUpDown() {
    auto* upDown = new QWidget(this);
    upDown->setObjectName(QStringLiteral("UpDown1"));
    describeControl(upDown, ScreenTexts::ResizeHint, ScreenTexts::ResizeHint);
    auto* layout = new QVBoxLayout(upDown);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const bool next : {true, false}) {
        auto* arrow = new QToolButton;
        arrow->setArrowType(next ? Qt::UpArrow : Qt::DownArrow);
        arrow->setAutoRepeat(true);
        arrow->setFocusPolicy(Qt::NoFocus);
        describeControl(arrow, next ? ScreenTexts::LowerItem : ScreenTexts::HigherItem,
                        ScreenTexts::ResizeHint);
        connect(arrow, &QToolButton::clicked, this, [this, next] { UpDown1Click(next); });
        layout->addWidget(arrow);
    }
    upDown->setEnabled(false);
    return upDown;
}

QList<QWidget*> BackScrollPanel::topBarControls() const {
    return {m_bBackScroll, m_upDown};
}

void BackScrollPanel::addMenuItems(QMenu* menu) {
    const auto add = [this, menu](QLatin1StringView caption, const char* name, int key,
                                  Qt::KeyboardModifiers modifiers,
                                  QList<QPointer<QAction>>& group) {
        QAction* item = menu->addAction(QString(caption));
        item->setObjectName(QLatin1String(name));
        connect(item, &QAction::triggered, this,
                [this, key, modifiers] { carryOut(BackScrollKeys(key, modifiers, state())); });
        group.append(item);
    };
    add(ScreenTexts::ViewItem, "View1", Qt::Key_PageUp, {}, m_hiddenItems);
    add(ScreenTexts::HideItem, "HideESC1", Qt::Key_Escape, {}, m_shownItems);
    add(ScreenTexts::HigherItem, "HeightCTRLDwonAllow1", Qt::Key_Down, Qt::ControlModifier,
        m_shownItems);
    add(ScreenTexts::LowerItem, "HeightCTRLUpAllow1", Qt::Key_Up, Qt::ControlModifier,
        m_shownItems);
    refreshMenu();
}

bool BackScrollPanel::keyPressed(const QKeyEvent* event) {
    const BackScrollStep step = BackScrollKeys(event->key(), event->modifiers(), state());
    carryOut(step);
    return step.consumed;
}

bool BackScrollPanel::wheelTurned(int delta, QPoint globalPosition) {
    const QWidget* pages = pageControl();
    const bool overPages = pages->rect().contains(pages->mapFromGlobal(globalPosition));
    const BackScrollStep step = BackScrollWheel(delta, overPages, state());
    carryOut(step);
    return step.consumed;
}

// The page control the terminal's sheet is on: the wheel acts anywhere over it.
const QWidget* BackScrollPanel::pageControl() const {
    for (const QWidget* widget = parentWidget(); widget; widget = widget->parentWidget()) {
        if (qobject_cast<const QTabWidget*>(widget))
            return widget;
    }
    return parentWidget();
}

void BackScrollPanel::resizeTo(QSize pagesSize) {
    m_pagesHeight = pagesSize.height();
    setGeometry(0, 0, pagesSize.width() - 10, pagesSize.height() / 2);
}

void BackScrollPanel::setControlsEnabled(bool enabled) {
    m_bBackScroll->setEnabled(enabled);
    m_upDown->setEnabled(enabled && isShown());
}

void BackScrollPanel::bBackScrollClick() {
    setShown(isHidden());
}

void BackScrollPanel::UpDown1Click(bool next) {
    const int wanted = height() + (next ? -lineStep() : lineStep());
    resize(width(), BackScrollSize::clampHeight(wanted, m_pagesHeight, searchBarHeight()));
}

bool BackScrollPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick)
        bBackScrollClick();
    else if (event->type() == QEvent::MouseButtonRelease && (watched == m_image2 || isShown()))
        m_scrollBar->setFocus();
    return QFrame::eventFilter(watched, event);
}

BackScrollState BackScrollPanel::state() const {
    return {parentWidget()->isVisible(), isShown(), BackScrollSize::halfPage(height(), lineStep())};
}

void BackScrollPanel::carryOut(const BackScrollStep& step) {
    switch (step.action) {
    case BackScrollAction::None:
        break;
    case BackScrollAction::Open:
    case BackScrollAction::Close:
        setShown(step.action == BackScrollAction::Open);
        break;
    case BackScrollAction::Scroll:
        scrollBy(step.lines);
        break;
    case BackScrollAction::ScrollThenCloseAtNewest:
        scrollBy(step.lines);
        if (m_scrollBar->value() == m_scrollBar->maximum())
            setShown(false);
        break;
    case BackScrollAction::Shrink:
    case BackScrollAction::Grow:
        UpDown1Click(step.action == BackScrollAction::Shrink);
        break;
    }
}

void BackScrollPanel::setShown(bool shown) {
    setVisible(shown);
    m_upDown->setEnabled(shown);
    if (shown) {
        raise();
        const QSignalBlocker blocker(m_scrollBar);
        m_scrollBar->setValue(BackScrollPosition::MaxPosition);
        m_position.startAtNewest();
        m_image2->update();
        m_scrollBar->setFocus();
    }
    refreshMenu();
}

void BackScrollPanel::scrollBy(int lines) {
    m_scrollBar->setValue(m_scrollBar->value() + lines);
}

void BackScrollPanel::ScrollBar1Change(int position) {
    m_position.scrollTo(position);
    m_image2->scheduleRepaint(); // the next frame moves the picture by the lines scrolled
}

// New lines push the viewed ones back: the thumb follows them, and the view closes
// before the ring overwrites them.
void BackScrollPanel::followScreen() {
    const std::optional<int> position = m_position.follow();
    if (!position) {
        setShown(false);
        return;
    }
    const QSignalBlocker blocker(m_scrollBar);
    m_scrollBar->setValue(*position);
}

void BackScrollPanel::refreshMenu() {
    for (QAction* item : std::as_const(m_hiddenItems))
        if (item)
            item->setEnabled(!isShown());
    for (QAction* item : std::as_const(m_shownItems))
        if (item)
            item->setEnabled(isShown());
}

int BackScrollPanel::searchBarHeight() const {
    if (!m_searchBar)
        return BackScrollSize::DefaultSearchBarHeight;
    // A sheet never shown has not been laid out yet.
    return m_searchBar->testAttribute(Qt::WA_Resized) ? m_searchBar->height()
                                                      : m_searchBar->sizeHint().height();
}

// The main window's font sets the paging and resizing step, not the terminal font.
int BackScrollPanel::lineStep() const {
    return std::max(1, fontMetrics().height());
}
