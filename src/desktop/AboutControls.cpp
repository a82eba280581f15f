#include "desktop/AboutControls.h"

#include "desktop/DesktopTexts.h"
#include "desktop/TfAbout.h"
#include "widgets/Accessibility.h"

#include <QMenu>
#include <QPushButton>

AboutControls::AboutControls(QWidget* window)
    : QObject(window)
    , m_fAbout(new TfAbout(window))
    , m_bAbout(new QPushButton(window)) {
    m_bAbout->setObjectName(QStringLiteral("bAbout"));
    setCaption(m_bAbout, DesktopTexts::AboutButton);
    connect(m_bAbout, &QPushButton::clicked, this, &AboutControls::bAboutClick);
}

void AboutControls::addMenuItem(QMenu* helpMenu) {
    QAction* about = helpMenu->addAction(DesktopTexts::AboutItem);
    about->setObjectName(QStringLiteral("About1"));
    connect(about, &QAction::triggered, this, &AboutControls::bAboutClick);
}

void AboutControls::bAboutClick() {
    m_fAbout->exec();
}
