// Arbitrary bytes as a script file, read as UTF-8 or in one of several code pages, run
// with a host that records what the script does and a node whose lines come one by one,
// each just before an "until" looks: every command and every message must come out
// without a crash or a hang. No pause between commands, no "wait" longer than 0 ms, and
// an "until" whose text has not come when the node's lines run out ends the run.

#include "base/NodeEntry.h"
#include "screen/ScreenBuffer.h"
#include "script/ScriptHost.h"
#include "script/ScriptInterpreter.h"
#include "script/ScriptRunningFlag.h"

#include <QStringList>

#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

constexpr int Charsets[] = {128, 0, 134, 204};

struct RecordingHost : ScriptHost {
    ScreenBuffer* screen = nullptr;
    QList<QByteArray> nodeLines;
    qsizetype nextLine = 0;
    int connectResult = 0;
    int lines = 0;

    void showLine(const QString& line) override {
        require(++lines < 100000);
        if (line.startsWith(QLatin1StringView("until")) && nextLine < nodeLines.size())
            screen->PutString(nodeLines[nextLine++]);
    }
    int connectToNode(int number) override {
        require(number >= 1 && number <= NodeCount);
        return connectResult;
    }
    void sendLine(const QString& text) override {
        require(!text.isEmpty() && text.size() <= ScriptInterpreter::MaxLineLength);
    }
    void recordLastScript(int number) override {
        require(number >= 1 && number <= NodeCount && connectResult >= 0);
    }
    void closeWindow() override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    static ScreenBuffer screen; // one ring for all runs, emptied for each
    screen.Clear();
    RecordingHost host;
    host.screen = &screen;
    host.connectResult = input.ConsumeIntegralInRange(-5, 0);
    const std::string node = input.ConsumeRandomLengthString(512);
    for (const QByteArray& line : QByteArray(node.data(), qsizetype(node.size())).split('|'))
        host.nodeLines.append(line);
    ScriptRunningFlag running;
    ScriptInterpreter interpreter(host, screen, running);
    interpreter.setCommandPause(std::chrono::milliseconds(0));
    interpreter.setLongestWait(std::chrono::milliseconds(0));
    interpreter.setCharset(input.PickValueInArray(Charsets));
    const std::string script = input.ConsumeRemainingBytesAsString();
    interpreter.Run(QByteArrayView(script.data(), qsizetype(script.size())));
    require(!running.IsRunning());
    return 0;
}
