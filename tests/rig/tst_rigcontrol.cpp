// The mode a spot's remark names, which the rig is set to when the operator asks.

#include "rig/RigMode.h"

#include <QTest>

using namespace Qt::StringLiterals;

class RigControlTest : public QObject {
    Q_OBJECT

private slots:
    void modeFromRemark_data();
    void modeFromRemark();
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

QTEST_GUILESS_MAIN(RigControlTest)
#include "tst_rigcontrol.moc"
