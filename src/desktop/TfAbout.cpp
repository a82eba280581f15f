#include "desktop/TfAbout.h"

#include "desktop/DesktopTexts.h"
#include "desktop/ProgramIcon.h"
#include "widgets/Accessibility.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

namespace {

constexpr int IconSize = 64;

QPushButton* makeButton(const char* name, QLatin1StringView caption, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    setCaption(button, caption);
    return button;
}

// The installed README beside the program, else the one of the source tree it was built
// from; empty when neither is there.
QString readmePath() {
    const QString installed = QCoreApplication::applicationDirPath() +
                              QStringLiteral("/../" KESTREL_DOC_DIR "/README.md");
    for (const QString& path : {installed, QStringLiteral(KESTREL_SOURCE_DIR "/README.md")}) {
        if (QFileInfo(path).isFile())
            return QFileInfo(path).canonicalFilePath();
    }
    return QString();
}

} // namespace

TfAbout::TfAbout(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("fAbout"));
    setWindowTitle(DesktopTexts::AboutItem);
    auto* icon = new QLabel(this);
    icon->setPixmap(programIcon().pixmap(IconSize));
    auto* name = new QLabel(DesktopTexts::AboutName, this);
    name->setObjectName(QStringLiteral("lblName"));
    auto* line = new QLabel(DesktopTexts::AboutLine, this);
    line->setObjectName(QStringLiteral("lblLine"));
    QPushButton* ok = makeButton("bOK", DesktopTexts::AboutOk, this);
    QPushButton* go = makeButton("bGo", DesktopTexts::AboutGo, this);
    describeControl(go, DesktopTexts::AboutGo, DesktopTexts::AboutGoHint);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(go, &QPushButton::clicked, this, &TfAbout::bGoClick);
    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1);
    layout->addWidget(name, 0, 1, 1, 2);
    layout->addWidget(line, 1, 1, 1, 2);
    layout->addWidget(go, 2, 1);
    layout->addWidget(ok, 2, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfAbout::bGoClick() {
    const QString readme = readmePath();
    if (!readme.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(readme));
}

void TfAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* shown = screen())
        move(shown->availableGeometry().center() - rect().center());
}
