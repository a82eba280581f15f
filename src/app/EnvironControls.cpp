#include "app/EnvironControls.h"

#include "app/ClientCore.h"
#include "desktop/DesktopTexts.h"
#include "desktop/ExclusiveDialogGuard.h"
#include "environ/EnvTexts.h"
#include "environ/TfEnv.h"
#include "screen/HistorySheet.h"
#include "screen/TerminalLook.h"
#include "script/HelpControls.h"
#include "script/ScriptControls.h"
#include "widgets/Accessibility.h"
#include "widgets/MessageBoxes.h"

#include <QPushButton>

EnvironControls::EnvironControls(ClientCore& core, TerminalLook& look, QWidget& window, Parts parts)
    : QObject(&window)
    , m_core(core)
    , m_look(look)
    , m_window(window)
    , m_parts(parts)
    , m_bEnv(new QPushButton(&window)) {
    EnvironmentHost& host = *this;
    m_fEnv = std::make_unique<TfEnv>(core.settings(), core.environment(), host, &window);
    m_bEnv->setObjectName(QStringLiteral("bEnv"));
    setCaption(m_bEnv, EnvTexts::Caption);
    connect(m_bEnv, &QPushButton::clicked, this, &EnvironControls::bEnvClick);
    Session& session = core.session();
    for (auto event : {&Session::connected, &Session::disconnected}) {
        connect(&session, event, this, [this, &session] {
            m_fEnv->setScrollFileChoiceEnabled(session.isScrollFileChoiceEnabled());
        });
    }
}

EnvironControls::~EnvironControls() = default;

void EnvironControls::bEnvClick() {
    const ExclusiveDialogGuard guard;
    if (!guard.acquired()) {
        showMessage(&m_window, DesktopTexts::EnvironDialogBusy);
        return;
    }
    m_fEnv->exec();
    m_parts.help.releaseScriptHelp();
}

FontSettings EnvironControls::terminalFont() const {
    return m_look.terminalFont();
}

void EnvironControls::setTerminalFont(const FontSettings& font) {
    m_look.setTerminalFont(font);
}

QColor EnvironControls::background() const {
    return m_look.background();
}

void EnvironControls::setBackground(const QColor& color) {
    m_look.setBackground(color);
}

// As the window is placed at start-up: the frame's corner and the inner size.
WindowGeometry EnvironControls::windowGeometry() const {
    WindowGeometry geometry;
    geometry.left = m_window.x();
    geometry.top = m_window.y();
    geometry.width = m_window.width();
    geometry.height = m_window.height();
    return geometry;
}

void EnvironControls::setLineWidth(int colBytes) {
    m_core.screen().setLineWidth(colBytes);
}

void EnvironControls::setHistoryLines(int lines) {
    m_parts.history.setHistoryLines(lines);
}

void EnvironControls::setLinkCheckMinutes(int minutes) {
    m_core.linkCheck().apply(minutes);
}

void EnvironControls::setSerialCrLf(bool on) {
    m_core.serialRelay().setLinkCrLf(on);
}

void EnvironControls::clearScreen() {
    m_core.screen().Clear();
}

void EnvironControls::editScript(int index) {
    m_parts.scripts.EditF11Click(index);
}

void EnvironControls::showScriptExample() {
    m_parts.help.showScriptHelpOver(m_fEnv.get());
}

void EnvironControls::playSound(int index) {
    m_core.soundPlayer().PlaySound(index);
}
