#include "script/HelpControls.h"

#include "script/ScriptTexts.h"
#include "widgets/Accessibility.h"

#include <QMenuBar>
#include <QPushButton>

HelpControls::HelpControls(QWidget* window)
    : QObject(window)
    , m_window(window)
    , m_fHelp(new TfHelp(window))
    , m_fScriptHelp(new TfScriptHelp(window))
    , m_bHelp(new QPushButton(window)) {
    m_bHelp->setObjectName(QStringLiteral("bHelp"));
    setCaption(m_bHelp, ScriptTexts::HelpButton);
    connect(m_bHelp, &QPushButton::clicked, this, &HelpControls::bHelpClick);
}

QMenu* HelpControls::addHelpMenu(QMenuBar* menuBar) {
    QMenu* menu = menuBar->addMenu(ScriptTexts::HelpMenu);
    menu->setObjectName(QStringLiteral("Help2"));
    QAction* help = menu->addAction(ScriptTexts::HelpItem);
    help->setObjectName(QStringLiteral("Help1"));
    connect(help, &QAction::triggered, this, &HelpControls::bHelpClick);
    QAction* scriptHelp = menu->addAction(ScriptTexts::ScriptHelpItem);
    scriptHelp->setObjectName(QStringLiteral("ScriotHelp1"));
    connect(scriptHelp, &QAction::triggered, this, &HelpControls::ScriotHelp1Click);
    return menu;
}

void HelpControls::bHelpClick() {
    m_fHelp->show();
    m_fHelp->raise();
}

void HelpControls::ScriotHelp1Click() {
    m_fScriptHelp->show();
    m_fScriptHelp->raise();
}

void HelpControls::showScriptHelpOver(QWidget* dialog) {
    reparentScriptHelp(dialog);
    ScriotHelp1Click();
}

void HelpControls::releaseScriptHelp() {
    reparentScriptHelp(m_window);
}

// A new parent hides the window: it is shown again where it was.
void HelpControls::reparentScriptHelp(QWidget* parent) {
    if (m_fScriptHelp->parentWidget() == parent)
        return;
    const bool shown = m_fScriptHelp->isVisible();
    const QRect frame = m_fScriptHelp->geometry();
    m_fScriptHelp->setParent(parent, m_fScriptHelp->windowFlags());
    if (shown) {
        m_fScriptHelp->setGeometry(frame);
        m_fScriptHelp->show();
    }
}
