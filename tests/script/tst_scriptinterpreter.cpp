// The script interpreter driven with a recording host: what each script line does and
// every message it shows, and how "until" finds its text on the screen.

#include "TestFiles.h"
#include "screen/ScreenBuffer.h"
#include "script/ScriptHost.h"
#include "script/ScriptInterpreter.h"
#include "script/ScriptRunningFlag.h"

#include <QMutex>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <sys/stat.h>

namespace {
// Notes every call as "show:", "node:", "send:", "last:" or "close", in order.
struct RecordingHost : ScriptHost {
    int connectResult = 0;
    mutable QMutex lock;
    QList<QByteArray> calls;

    void note(const QString& call) {
        QMutexLocker locker(&lock);
        calls.append(call.toUtf8());
    }
    QList<QByteArray> recorded() const {
        QMutexLocker locker(&lock);
        return calls;
    }
    void showLine(const QString& line) override { note(QStringLiteral("show:") + line); }
    int connectToNode(int number) override {
        note(QStringLiteral("node:%1").arg(number));
        return connectResult;
    }
    void sendLine(const QString& text) override { note(QStringLiteral("send:") + text); }
    void recordLastScript(int number) override { note(QStringLiteral("last:%1").arg(number)); }
    void closeWindow() override { note(QStringLiteral("close")); }
};

// One interpreter with its host, without the pause after each command. A script started
// on a thread of its own is aborted, if it still runs, when the run ends.
struct Run {
    RecordingHost host;
    ScreenBuffer screen;
    ScriptRunningFlag running;
    ScriptInterpreter interpreter{host, screen, running};
    std::unique_ptr<QThread> thread;
    Run() { interpreter.setCommandPause(std::chrono::milliseconds(0)); }
    ~Run() {
        if (thread) {
            interpreter.abort();
            thread->wait();
        }
    }
    void start(const QString& path) {
        thread.reset(QThread::create([this, path] { interpreter.Execute(path); }));
        thread->start();
    }
};
} // namespace

class ScriptInterpreterTest : public QObject {
    Q_OBJECT

private slots:
    void runs_data() {
        QTest::addColumn<int>("charset"); // the terminal's
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<int>("connectResult");
        QTest::addColumn<QList<QByteArray>>("calls"); // without the showing of whole script lines
        QTest::addColumn<bool>("clean");
        using L = QList<QByteArray>;
        const QByteArray close("close");
        const auto row = [](const char* name, int charset = 0) -> QTestData& {
            return QTest::newRow(name) << charset;
        };
        row("empty file") << QByteArray() << 0 << L{close} << true;
        row("rem lines") << QByteArray("rem one\nrem\n\n") << 0 << L{close} << true;
        row("indented, CR LF, runs of spaces kept")
            << QByteArray("  \tsend  sh/dx  20 \r\n") << 0 << L{"send:sh/dx  20", close} << true;
        // A failing line: the message then the line itself, and the script stops.
        const auto fails = [](const char* line, const char* message) {
            QTest::newRow(line) << 0 << QByteArray(line) << 0
                                << L{QByteArray("show:") + message +
                                     QByteArray(line).split('\n')[0].trimmed()}
                                << false;
        };
        fails("Send x\nsend y", "script error in > ");
        fails("nodes 1", "script error in > ");
        fails("node 0", "node no. is out of range in > ");
        fails("node 13", "node no. is out of range in > ");
        fails("node abc", "node no. is not numeric in > ");
        fails("node", "node parameter counts error in > ");
        fails("node 1 2", "node parameter counts error in > ");
        fails("send ", "Too few parameter(s) in command 'send' > ");
        fails("until", "Too few parameter(s) in command 'until' > ");
        fails("wait", "Too few parameter in command 'wait' > ");
        fails("wait 1 2", "Too many parameters in command 'wait' > ");
        fails("wait  5", "Too many parameters in command 'wait' > ");
        fails("wait abc", "Parameter should be numeric (command 'wait') > ");
        fails("wait -5", "Parameter should be numeric (command 'wait') > ");
        row("node 3") << QByteArray("node 3\n") << 0 << L{"node:3", "last:3", close} << true;
        // Only a script that made the connection is the one a reconnect runs again.
        row("node start fails, script goes on")
            << QByteArray("node 12\nsend x\n") << -5
            << L{"node:12", "show:** connection error **", "send:x", close} << true;
        row("byte order mark") << QByteArray("\xEF\xBB\xBFsend x\n") << 0
                               << L{"show:send x", "send:x", close} << true;
        row("wait 0") << QByteArray("wait 0\nsend x") << 0 << L{"send:x", close} << true;
        row("line over 127 bytes goes on as the next line")
            << QByteArray("rem " + QByteArray(123, 'x') + "send z\n") << 0
            << L{"show:rem " + QByteArray(123, 'x'), "show:send z", "send:z", close} << true;
        // A script is read as the settings files are: UTF-8 when it is valid UTF-8, else in
        // the terminal's character set; it sends what it says in that set.
        row("Shift-JIS", 128) << QByteArray("send \x93\xfa\x96\x7b\x8c\xea\n") << 0
                              << L{"show:send 日本語", "send:日本語", close} << true;
        row("Windows-1252") << QByteArray("send s\xfc\xdf\n") << 0
                            << L{"show:send süß", "send:süß", close} << true;
        row("UTF-8 whatever the set", 128)
            << QByteArray("send s\xc3\xbc\xc3\x9f\n") << 0 << L{"send:süß", close} << true;
    }
    void runs() {
        QFETCH(QByteArray, script);
        Run run;
        QFETCH(int, charset);
        run.interpreter.setCharset(charset);
        QFETCH(int, connectResult);
        run.host.connectResult = connectResult;
        QTEST(run.interpreter.Execute(writeScript(script)), "clean");
        QList<QByteArray> recorded = run.host.recorded();
        for (const QByteArray& line : script.split('\n'))
            recorded.removeOne("show:" + line.trimmed());
        QTEST(recorded, "calls");
        QVERIFY(!run.running.IsRunning());
    }

    // A pipe would block the script thread in its opening until something writes to it.
    void missingFileOrPipeIsReported() {
        const QString pipe = m_dir.filePath(QStringLiteral("fifo"));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        for (const QString& path : {m_dir.filePath(QStringLiteral("missing")), pipe}) {
            Run run;
            QVERIFY2(!run.interpreter.Execute(path), qPrintable(path));
            QCOMPARE(run.host.recorded(),
                     QList<QByteArray>{"show:Can't open script file " + path.toUtf8()});
        }
    }

    // The node's text comes once the script waits, or in batches until "until" is over.
    // "until" compares with the node's bytes as the terminal's character set has them.
    void untilFindsText_data() {
        QTest::addColumn<int>("charset");
        QTest::addColumn<QByteArray>("awaited");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("repeated");
        QTest::newRow("prompt without line end")
            << 0 << QByteArray("login:") << QByteArray("Welcome\r\nlogin: ") << false;
        QTest::newRow("among lines faster than one look")
            << 0 << QByteArray("login:") << QByteArray("a\r\nx login: y\r\nb\r\nc\r\nd") << true;
        QTest::newRow("in the node's Shift-JIS")
            << 128 << QByteArray("\x93\xfa\x96\x7b") << QByteArray("JA1XYZ \x93\xfa\x96\x7b\r\n")
            << false;
    }
    void untilFindsText() {
        QFETCH(int, charset);
        QFETCH(QByteArray, awaited);
        QFETCH(QByteArray, text);
        QFETCH(bool, repeated);
        Run run;
        run.interpreter.setCharset(charset);
        run.start(writeScript("until " + awaited + "\nsend XX1AA\n"));
        QTRY_COMPARE(run.host.recorded().size(), 1); // "until" shown: the script waits
        run.screen.PutString(text);
        QTRY_VERIFY(((repeated ? run.screen.PutString(text) : void()),
                     run.host.recorded().contains("close")));
        QVERIFY(run.thread->wait(5000));
        QCOMPARE(run.host.recorded().count("send:XX1AA"), 1);
    }

    // The node answers during the pause after "send", with more lines after the answer:
    // the "until" that follows still finds it, and the one after that reads on from there.
    void untilFindsAnswerThatCameDuringThePause() {
        Run run;
        run.interpreter.setCommandPause(std::chrono::milliseconds(300));
        run.start(writeScript("send XX1AA\nuntil Hello\nuntil >\nsend sh/dx\n"));
        QTRY_VERIFY(run.host.recorded().contains("send:XX1AA"));
        run.screen.PutString("Hello XX1AA, welcome\r\nCluster: 4 nodes\r\nXX1AA de NODE >");
        QTRY_VERIFY_WITH_TIMEOUT(run.host.recorded().contains("close"), 10000);
        QVERIFY(run.thread->wait(5000));
        QCOMPARE(run.host.recorded().count("send:sh/dx"), 1);
    }

    // Abort ends a long wait at once.
    void abortEndsWait() {
        Run run;
        run.start(writeScript("wait 60000\nsend late\n"));
        QTRY_VERIFY(run.host.recorded().contains("show:wait 60000"));
        run.interpreter.abort();
        QVERIFY(run.thread->wait(2000));
        QVERIFY(!run.host.recorded().contains("send:late"));
    }

private:
    QString writeScript(const QByteArray& bytes) {
        const QString path = m_dir.filePath(QStringLiteral("script1.txt"));
        return writeFile(path, bytes) ? path : QString();
    }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(ScriptInterpreterTest)
#include "tst_scriptinterpreter.moc"
