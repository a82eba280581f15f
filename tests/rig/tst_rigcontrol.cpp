// Rig control against Hamlib's dummy rig served by a real rigctld on 127.0.0.1, read
// back with rigctl; and the mode a spot's remark names.

#include "rig/RigControl.h"

#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// rigctld with the dummy rig on a port that was free a moment ago.
struct Rigctld {
    quint16 port = 0;
    QProcess process;
    QTcpSocket client; // kept: rigctld resets new clients while its last one is leaving

    Rigctld() {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        port = probe.serverPort();
    }
    ~Rigctld() { stop(); }
    QString address() const { return u"127.0.0.1:"_s + QString::number(port); }

    bool start() {
        process.start(u"rigctld"_s,
                      {u"-m"_s, u"1"_s, u"-T"_s, u"127.0.0.1"_s, u"-t"_s, QString::number(port)});
        return process.waitForStarted() && QTest::qWaitFor([this] {
                   client.abort();
                   client.connectToHost(QHostAddress::LocalHost, port);
                   return client.waitForConnected(100);
               });
    }
    void stop() {
        client.abort();
        process.kill();
        process.waitForFinished();
    }
    // rigctl's answer to the commands, one value a line.
    QByteArray ask(const QString& commands) const {
        QProcess rigctl;
        rigctl.start(u"rigctl"_s,
                     QStringList{u"-m"_s, u"2"_s, u"-r"_s, address()} + commands.split(u' '));
        rigctl.waitForFinished();
        return rigctl.readAllStandardOutput().trimmed();
    }
};

} // namespace

class RigControlTest : public QObject {
    Q_OBJECT

private slots:
    void modeFromRemark_data();
    void modeFromRemark();
    void init();
    void tuneSetsFrequencyAndModeOnlyWhenAsked_data();
    void tuneSetsFrequencyAndModeOnlyWhenAsked();
    void lostRigIsToldAndFoundAgain();

private:
    void configure(bool setMode);

    std::unique_ptr<Rigctld> m_rigctld;
    std::unique_ptr<RigControl> m_control;
    QString m_status;
};

void RigControlTest::modeFromRemark_data() {
    QTest::addColumn<QByteArray>("remark");
    QTest::addColumn<qint64>("hz");
    QTest::addColumn<int>("mode"); // -1 none
    const qint64 hf = 14'025'000;
    QTest::newRow("CW") << "CW"_ba << hf << int(RigMode::Cw);
    QTest::newRow("lower case") << "cq cw 25 wpm"_ba << hf << int(RigMode::Cw);
    QTest::newRow("FT8 report") << "FT8 -12dB"_ba << hf << int(RigMode::Data);
    QTest::newRow("FT4 in punctuation") << "tnx(ft4)"_ba << hf << int(RigMode::Data);
    QTest::newRow("SSB at 10 MHz") << "SSB"_ba << qint64(10'000'000) << int(RigMode::Usb);
    QTest::newRow("SSB below 10 MHz") << "ssb"_ba << qint64(7'100'000) << int(RigMode::Lsb);
    QTest::newRow("LSB") << "LSB up 5"_ba << hf << int(RigMode::Lsb);
    QTest::newRow("RTTY") << "RTTY"_ba << hf << int(RigMode::Rtty);
    QTest::newRow("AM") << "AM"_ba << hf << int(RigMode::Am);
    QTest::newRow("FM") << "fm"_ba << hf << int(RigMode::Fm);
    QTest::newRow("inside a word") << "CWOPS AMSAT"_ba << hf << -1;
    QTest::newRow("no mode") << "TNX QSO 599"_ba << hf << -1;
}

void RigControlTest::modeFromRemark() {
    QFETCH(QByteArray, remark);
    QFETCH(qint64, hz);
    QFETCH(int, mode);
    const std::optional<RigMode> found = ::modeFromRemark(remark, hz);
    QCOMPARE(found ? int(*found) : -1, mode);
}

void RigControlTest::init() {
    m_control.reset();
    m_status.clear();
    if (QStandardPaths::findExecutable(u"rigctld"_s).isEmpty())
        QSKIP("rigctld (libhamlib-utils) is not installed");
    m_rigctld = std::make_unique<Rigctld>();
    QVERIFY(m_rigctld->start());
    m_control = std::make_unique<RigControl>();
    connect(m_control.get(), &RigControl::statusChanged, this,
            [this](const QString& text) { m_status = text; });
}

void RigControlTest::configure(bool setMode) {
    m_control->configure({2, m_rigctld->address(), 9600, setMode, false});
    QTRY_COMPARE(m_status, u"Rig: 145000.000 kHz"_s); // the dummy rig's start
}

void RigControlTest::tuneSetsFrequencyAndModeOnlyWhenAsked_data() {
    QTest::addColumn<bool>("setMode");
    QTest::addColumn<QByteArray>("mode");
    QTest::newRow("frequency only") << false << "FM"_ba;
    QTest::newRow("and mode") << true << "CW"_ba;
}

void RigControlTest::tuneSetsFrequencyAndModeOnlyWhenAsked() {
    QFETCH(bool, setMode);
    QFETCH(QByteArray, mode);
    configure(setMode);
    QSignalSpy frequencies(m_control.get(), &RigControl::frequencyChanged);
    m_control->tune(14'025'000, "CW 22 wpm");
    QTRY_COMPARE(m_status, u"Rig: 14025.000 kHz"_s);
    QCOMPARE(frequencies.last().at(0).toLongLong(), 14'025'000);
    QCOMPARE(m_rigctld->ask(u"f m"_s).split('\n').mid(0, 2), QByteArrayList({"14025000", mode}));
}

void RigControlTest::lostRigIsToldAndFoundAgain() {
    configure(false);
    QSignalSpy statuses(m_control.get(), &RigControl::statusChanged);
    m_rigctld->stop();
    int tunes = 0; // the operator goes on choosing spots while the rig is gone
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this,
            [this, &tunes] { m_control->tune(7'010'000 + ++tunes); });
    ticker.start(100);
    QTRY_VERIFY(m_status.startsWith(u"Rig: no answer from "_s + m_rigctld->address()));
    QTRY_VERIFY(tunes >= 3);
    ticker.stop();
    QVERIFY(m_rigctld->start());
    QTRY_COMPARE_WITH_TIMEOUT(m_status, u"Rig: 145000.000 kHz"_s, 15000);
    QCOMPARE(statuses.count(), 2); // told once however often it was tried
    m_control->tune(7'010'000);
    QTRY_COMPARE(m_rigctld->ask(u"f"_s), "7010000");
    m_control->configure({});
    QTRY_COMPARE(m_status, QString());
}

QTEST_GUILESS_MAIN(RigControlTest)
#include "tst_rigcontrol.moc"
