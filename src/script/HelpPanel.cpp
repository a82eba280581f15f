#include "script/HelpPanel.h"

#include "script/ScriptTexts.h"
#include "widgets/Accessibility.h"

#include <QMenuBar>
#include <QPushButton>

HelpPanel::HelpPanel(QWidget* window)
    : QObject(window)
    , m_window(window)
    , m_fHelp(new TfHelp(window))
    , m_fScriptHelp(new TfScriptHelp(window))
    , m_bHelp(new QPushButton(window)) {
    m_bHelp->setObjectName(QStringLiteral("bHelp"));
    setCaption(m_bHelp, ScriptTexts::HelpButton);
    connect(m_bHelp, &QPushButton::clicked, this, &HelpPanel::bHelpClick);
}

QMenu* HelpPanel::addHelpMenu(QMenuBar* menuBar) {
    QMenu* menu = menuBar->addMenu(ScriptTexts::HelpMenu);
    menu->setObjectName(QStringLiteral("Help2"));
    QAction* help = menu->addAction(ScriptTexts::HelpItem);
    help->setObjectName(QStringLiteral("Help1"));
    connect(help, &QAction::triggered, this, &HelpPanel::bHelpClick);
    QAction* scriptHelp = menu->addAction(ScriptTexts::ScriptHelpItem);
    scriptHelp->setObjectName(QStringLiteral("ScriotHelp1"));
    connect(scriptHelp, &QAction::triggered, this, &HelpPanel::ScriotHelp1Click);
    return menu;
}

void HelpPanel::bHelpClick() {
    m_fHelp->show();
    m_fHelp->raise();
}

void HelpPanel::ScriotHelp1Click() {
    m_fScriptHelp->show();
    m_fScriptHelp->raise();
}

void HelpPanel::showScriptHelpOver(QWidget* dialog) {
    reparentScriptHelp(dialog);
    ScriotHelp1Click();
}

void HelpPanel::releaseScriptHelp() {
    reparentScriptHelp(m_window);
}

// A new parent hides the window: it is shown again where it was.
void HelpPanel::reparentScriptHelp(QWidget* parent) {
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
