#include "script/TAuto.h"

#include "net/NodeConnection.h"

TAuto::TAuto(ScriptHost& gui, const ScreenBuffer& screen, ScriptRunningFlag& running,
             const QString& path, QObject* parent)
    : QThread(parent)
    , m_gui(gui)
    , m_path(path)
    , m_handOver(*this)
    , m_interpreter(*this, screen, running) {}

TAuto::~TAuto() {
    if (!shutDown())
        wait(); // never destroyed while it runs
}

void TAuto::abort() {
    requestInterruption();
    m_interpreter.abort();
}

bool TAuto::shutDown() {
    requestInterruption();
    m_interpreter.abort();
    m_handOver.release();
    return wait(ShutDownMilliseconds);
}

void TAuto::run() {
    setPriority(LowPriority);
    m_failed.store(!m_interpreter.Execute(m_path));
}

// The calls capture the GUI-thread host and copies only: a call released by shutDown
// may still be pending when this thread is gone, and is then dropped unrun.
void TAuto::onGui(std::function<void(ScriptHost&)> call) {
    m_handOver.run([&gui = m_gui, call = std::move(call)] {
        call(gui);
        return 0;
    });
}

void TAuto::showLine(const QString& line) {
    onGui([line](ScriptHost& gui) { gui.showLine(line); });
}

int TAuto::connectToNode(int number) {
    return m_handOver.run([&gui = m_gui, number] { return gui.connectToNode(number); })
        .value_or(NodeConnection::Started);
}

void TAuto::sendLine(const QString& text) {
    onGui([text](ScriptHost& gui) { gui.sendLine(text); });
}

void TAuto::recordLastScript(int number) {
    onGui([number](ScriptHost& gui) { gui.recordLastScript(number); });
}

void TAuto::closeWindow() {
    onGui([](ScriptHost& gui) { gui.closeWindow(); });
}
