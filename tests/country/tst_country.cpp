// Which entity a call is in, against the country file as Debian ships it, and the
// positions, bands and log that say where it is and whether the operator needs it.

#include "country/AdifBands.h"
#include "country/AdifReader.h"
#include "country/CountryFile.h"
#include "country/GeoPosition.h"
#include "country/StationInsight.h"
#include "country/StationSettings.h"
#include "country/WorkedLog.h"
#include "country/WorkedLogLoader.h"
#include "scope/SpotParser.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

QByteArray realCountryFile() {
    QFile file(QStringLiteral(KESTREL_TEST_DATA "/cty.csv"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::shared_ptr<const CountryFile> sharedCountries() {
    static const auto file =
        std::make_shared<const CountryFile>(CountryFile::parse(realCountryFile()));
    return file;
}

const CountryFile& countries() {
    return *sharedCountries();
}

DxSpot spotOf(const char* spotter, double khz, const char* call) {
    const QByteArray line =
        QByteArray("DX de ") + spotter + ":" + QByteArray(16 - qstrlen(spotter), ' ') +
        QByteArray::number(khz, 'f', 1).rightJustified(8) + "  " +
        QByteArray(call).leftJustified(13) + "CQ DX                          1234Z";
    DxSpot spot;
    SpotParser::ParseDxDeLine(line, spot);
    return spot;
}

// JA worked on 20 m only.
WorkedLog japanOn20m() {
    return WorkedLog(AdifReader::read("<CALL:6>JA1XYZ<DXCC:3>339<BAND:3>20m<EOR>"), &countries());
}

} // namespace

class TestCountry : public QObject {
    Q_OBJECT

private slots:
    void realFileLoadsWhole() {
        QElapsedTimer timer;
        timer.start();
        const CountryFile file = CountryFile::parse(realCountryFile());
        qInfo("cty.csv parsed in %lld ms", timer.elapsed());
        QCOMPARE(file.entities().size(), size_t(346));
        QCOMPARE(file.malformedLines(), 0);
        QCOMPARE(file.version(), QByteArray("VER20230502"));
    }

    void callsResolve_data() {
        QTest::addColumn<QByteArray>("call");
        QTest::addColumn<QByteArray>("label"); // empty: no entity
        QTest::addColumn<int>("adif");
        QTest::addColumn<int>("cqZone");
        QTest::addColumn<int>("ituZone");
        QTest::addColumn<QByteArray>("continent");

        QTest::newRow("prefix") << QByteArray("JA1XYZ") << QByteArray("JA") << 339 << 25 << 45
                                << QByteArray("AS");
        QTest::newRow("lower case")
            << QByteArray("ja1xyz") << QByteArray("JA") << 339 << 25 << 45 << QByteArray("AS");
        QTest::newRow("longest prefix")
            << QByteArray("KH6ABC") << QByteArray("KH6") << 110 << 31 << 61 << QByteArray("OC");
        QTest::newRow("one letter")
            << QByteArray("W1AW") << QByteArray("K") << 291 << 5 << 8 << QByteArray("NA");
        QTest::newRow("exact call")
            << QByteArray("3D2CR") << QByteArray("3D2/c") << 489 << 32 << 56 << QByteArray("OC");
        QTest::newRow("exact beats prefix")
            << QByteArray("9M6/LA6VM") << QByteArray("1S") << 247 << 26 << 50 << QByteArray("AS");
        QTest::newRow("cq and itu override")
            << QByteArray("UA0ABC") << QByteArray("UA9") << 15 << 18 << 32 << QByteArray("AS");
        QTest::newRow("itu override")
            << QByteArray("VE2XYZ") << QByteArray("VE") << 1 << 5 << 4 << QByteArray("NA");
        QTest::newRow("award-only part")
            << QByteArray("IG9ABC") << QByteArray("*IG9") << 248 << 33 << 37 << QByteArray("AF");
        QTest::newRow("award-only exact")
            << QByteArray("GM0AVR") << QByteArray("*GM/s") << 279 << 14 << 27 << QByteArray("EU");
        QTest::newRow("award-only over its parent")
            << QByteArray("4U1VIC") << QByteArray("*4U1V") << 206 << 15 << 28 << QByteArray("EU");
        QTest::newRow("prefix/call")
            << QByteArray("KH6/W1AW") << QByteArray("KH6") << 110 << 31 << 61 << QByteArray("OC");
        QTest::newRow("call/prefix")
            << QByteArray("DL1ABC/EA8") << QByteArray("EA8") << 29 << 33 << 36 << QByteArray("AF");
        QTest::newRow("prefix/call/p") << QByteArray("EA8/DL1ABC/P") << QByteArray("EA8") << 29
                                       << 33 << 36 << QByteArray("AF");
        QTest::newRow("/p keeps the call's")
            << QByteArray("DL1ABC/P") << QByteArray("DL") << 230 << 14 << 28 << QByteArray("EU");
        QTest::newRow("/qrp") << QByteArray("JA1XYZ/QRP") << QByteArray("JA") << 339 << 25 << 45
                              << QByteArray("AS");
        QTest::newRow("/m") << QByteArray("KH6ABC/M") << QByteArray("KH6") << 110 << 31 << 61
                            << QByteArray("OC");
        QTest::newRow("/digit moves the area")
            << QByteArray("VE3ABC/2") << QByteArray("VE") << 1 << 5 << 4 << QByteArray("NA");
        QTest::newRow("/digit into another entity")
            << QByteArray("UA9ABC/1") << QByteArray("UA") << 54 << 16 << 29 << QByteArray("EU");
        QTest::newRow("/digit exact call first")
            << QByteArray("VA3ELE/2") << QByteArray("VE") << 1 << 2 << 4 << QByteArray("NA");
        QTest::newRow("/mm") << QByteArray("W1AW/MM") << QByteArray() << 0 << 0 << 0
                             << QByteArray();
        QTest::newRow("/am") << QByteArray("JA1XYZ/AM") << QByteArray() << 0 << 0 << 0
                             << QByteArray();
        QTest::newRow("/mm exact call")
            << QByteArray("LU8AEU/MM") << QByteArray("LU") << 100 << 13 << 14 << QByteArray("SA");
        QTest::newRow("unknown prefix")
            << QByteArray("Q1ABC") << QByteArray() << 0 << 0 << 0 << QByteArray();
        QTest::newRow("no call") << QByteArray("DL1-ABC") << QByteArray() << 0 << 0 << 0
                                 << QByteArray();
        QTest::newRow("empty") << QByteArray() << QByteArray() << 0 << 0 << 0 << QByteArray();
        QTest::newRow("slash only")
            << QByteArray("/") << QByteArray() << 0 << 0 << 0 << QByteArray();
        QTest::newRow("too long") << QByteArray(40, 'A') << QByteArray() << 0 << 0 << 0
                                  << QByteArray();
    }

    void callsResolve() {
        QFETCH(QByteArray, call);
        QFETCH(QByteArray, label);
        const CountryInfo* info = countries().lookup(call);
        if (label.isEmpty()) {
            QVERIFY(!info);
            return;
        }
        QVERIFY(info);
        QCOMPARE(countries().entityOf(*info).label, label);
        QTEST(countries().entityOf(*info).adif, "adif");
        QTEST(info->cqZone, "cqZone");
        QTEST(info->ituZone, "ituZone");
        QTEST(QByteArray(info->continent.data()), "continent");
    }

    void overridesTodaysFileDoesNotUse() {
        const CountryFile file =
            CountryFile::parse("XA,Testland,901,EU,14,28,50.00,-10.00,-1.0,XA "
                               "XA9<-20.5/-45.25>{AF}~-3.5~ =XA1XX(40)[75];\r\n");
        const CountryInfo* plain = file.lookup("XA1AB");
        QVERIFY(plain);
        // The file counts longitude west and the UTC offset the other way round.
        QCOMPARE(plain->latitude, 50.0f);
        QCOMPARE(plain->longitude, 10.0f);
        QCOMPARE(plain->utcOffset, 1.0f);
        const CountryInfo* moved = file.lookup("XA9AB");
        QVERIFY(moved);
        QCOMPARE(moved->latitude, -20.5f);
        QCOMPARE(moved->longitude, 45.25f);
        QCOMPARE(QByteArray(moved->continent.data()), QByteArray("AF"));
        QCOMPARE(moved->utcOffset, 3.5f);
        QCOMPARE(moved->cqZone, 14);
        const CountryInfo* exactCall = file.lookup("XA1XX");
        QVERIFY(exactCall);
        QCOMPARE(exactCall->cqZone, 40);
        QCOMPARE(exactCall->ituZone, 75);
        QCOMPARE(file.entityOf(*exactCall).name, QStringLiteral("Testland"));
    }

    void brokenLinesAreSkippedAndCounted() {
        const CountryFile file =
            CountryFile::parse("XA,Testland,901,EU,14,28,50.00,-10.00,-1.0,XA;\n"
                               "garbage\n"
                               "XB,Noland,abc,EU,14,28,50.00,-10.00,-1.0,XB;\n"
                               "XC,Halfland,903,EU,14,28,50.00,-10.00,-1.0,XC XC9(14;\n");
        QCOMPARE(file.malformedLines(), 3);
        QVERIFY(file.lookup("XA1A"));
        QVERIFY(!file.lookup("XB1A"));
        QVERIFY(file.lookup("XC1A")); // the line's good prefixes still count
        QVERIFY(file.version().isEmpty());
        QVERIFY(CountryFile::parse("").empty());
    }

    void locators_data() {
        QTest::addColumn<QString>("locator");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::newRow("square") << QStringLiteral("JN58") << true << 48.5 << 11.0;
        QTest::newRow("subsquare") << QStringLiteral("JN58td") << true << 48.145833 << 11.625;
        QTest::newRow("lower case") << QStringLiteral("pm95vq") << true << 35.6875 << 139.7917;
        QTest::newRow("south west corner")
            << QStringLiteral("AA00aa") << true << -89.979167 << -179.958333;
        QTest::newRow("north east corner")
            << QStringLiteral("RR99xx") << true << 89.979167 << 179.958333;
        QTest::newRow("field beyond R") << QStringLiteral("SN58") << false << 0.0 << 0.0;
        QTest::newRow("subsquare beyond X") << QStringLiteral("JN58ty") << false << 0.0 << 0.0;
        QTest::newRow("five characters") << QStringLiteral("JN58t") << false << 0.0 << 0.0;
        QTest::newRow("letters for digits") << QStringLiteral("JNAB") << false << 0.0 << 0.0;
        QTest::newRow("empty") << QString() << false << 0.0 << 0.0;
    }

    void locators() {
        QFETCH(QString, locator);
        QFETCH(bool, valid);
        QCOMPARE(Maidenhead::isValid(locator), valid);
        const auto centre = Maidenhead::centreOf(locator);
        QCOMPARE(centre.has_value(), valid);
        if (!valid)
            return;
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QVERIFY2(qAbs(centre->latitude - latitude) < 1e-3,
                 qPrintable(QString::number(centre->latitude)));
        QVERIFY2(qAbs(centre->longitude - longitude) < 1e-3,
                 qPrintable(QString::number(centre->longitude)));
    }

    void distanceAndBearing() {
        const GeoPosition origin{0, 0};
        QVERIFY(qAbs(GreatCircle::distanceKm(origin, {0, 90}) - 10007.5) < 0.1);
        QCOMPARE(GreatCircle::bearingDegrees(origin, {0, 90}), 90);
        QCOMPARE(GreatCircle::bearingDegrees(origin, {-45, 0}), 180);
        // Munich to Tokyo, short path over Russia: about 9 370 km, as distance tables give it.
        const GeoPosition munich = *Maidenhead::centreOf(u"JN58td");
        const GeoPosition tokyo = *Maidenhead::centreOf(u"PM95vq");
        QVERIFY(qAbs(GreatCircle::distanceKm(munich, tokyo) - 9372) < 5);
        QCOMPARE(GreatCircle::bearingDegrees(munich, tokyo), 40);
    }

    void bands_data() {
        QTest::addColumn<double>("khz");
        QTest::addColumn<QByteArray>("band"); // empty: outside every band
        QTest::newRow("20m lower edge") << 14000.0 << QByteArray("20m");
        QTest::newRow("20m upper edge") << 14350.0 << QByteArray("20m");
        QTest::newRow("above 20m") << 14350.1 << QByteArray();
        QTest::newRow("scope's 14 MHz, not a band") << 14900.0 << QByteArray();
        QTest::newRow("60m") << 5357.0 << QByteArray("60m");
        QTest::newRow("160m") << 1830.5 << QByteArray("160m");
        QTest::newRow("6m") << 50313.0 << QByteArray("6m");
        QTest::newRow("2m") << 144300.0 << QByteArray("2m");
        QTest::newRow("70cm") << 432100.0 << QByteArray("70cm");
        QTest::newRow("below the lowest") << 100.0 << QByteArray();
        QTest::newRow("nothing") << 0.0 << QByteArray();
    }

    void bands() {
        QFETCH(double, khz);
        QFETCH(QByteArray, band);
        const int index = AdifBands::indexOfKhz(khz);
        QCOMPARE(index < 0 ? QByteArray() : QByteArray(AdifBands::all()[size_t(index)].name), band);
        if (!band.isEmpty())
            QCOMPARE(AdifBands::indexOfName(band.toUpper()), index);
    }

    void adifRecords_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("call");
        QTest::addColumn<int>("dxcc");
        QTest::addColumn<QByteArray>("band");
        QTest::addColumn<bool>("confirmed");

        QTest::newRow("header, crlf")
            << QByteArray("Exported by a logger\r\n<ADIF_VER:5>3.1.4\r\n<PROGRAMID:4>Test<EOH>\r\n"
                          "<CALL:6>JA1XYZ <BAND:3>20m <DXCC:3>339 <QSL_RCVD:1>Y <EOR>\r\n")
            << QByteArray("JA1XYZ") << 339 << QByteArray("20m") << true;
        QTest::newRow("no header, lower case")
            << QByteArray("<call:5>w1aw <band:3>40M <lotw_qsl_rcvd:1>v <eor>\n")
            << QByteArray("W1AW") << -1 << QByteArray("40m") << true;
        QTest::newRow("header starting with a tag")
            << QByteArray("<ADIF_VER:5>3.1.4 <CALL:4>NONE <EOH><CALL:5>DL1AB <FREQ:6>14.025 <EOR>")
            << QByteArray("DL1AB") << -1 << QByteArray("20m") << false;
        QTest::newRow("type indicators")
            << QByteArray("<CALL:5:S>K1ABC<DXCC:3:N>291<FREQ:8:N>21.07400<EOR>")
            << QByteArray("K1ABC") << 291 << QByteArray("15m") << false;
        QTest::newRow("band beats freq")
            << QByteArray("<CALL:5>K1ABC<FREQ:6>21.074<BAND:3>17m<EOR>") << QByteArray("K1ABC")
            << -1 << QByteArray("17m") << false;
        QTest::newRow("multi-byte text, bytes")
            << QByteArray("<NAME:5>Jürg <CALL:5>HB9AA <BAND:3>20m <EOR>") << QByteArray("HB9AA")
            << -1 << QByteArray("20m") << false;
        QTest::newRow("multi-byte text, characters")
            << QByteArray("<NAME:4>Jürg <CALL:5>HB9AA <COMMENT:3>日本語<BAND:3>20m <EOR>")
            << QByteArray("HB9AA") << -1 << QByteArray("20m") << false;
        QTest::newRow("requested is not received")
            << QByteArray("<CALL:5>K1ABC<BAND:3>20m<QSL_RCVD:1>R<LOTW_QSL_RCVD:1>N<EOR>")
            << QByteArray("K1ABC") << -1 << QByteArray("20m") << false;
        QTest::newRow("no band") << QByteArray("<CALL:5>K1ABC<EOR>") << QByteArray("K1ABC") << -1
                                 << QByteArray() << false;
    }

    void adifRecords() {
        QFETCH(QByteArray, file);
        const AdifLog log = AdifReader::read(file);
        QCOMPARE(log.malformedRecords, 0);
        QCOMPARE(log.qsos.size(), 1);
        const AdifQso& qso = log.qsos.first();
        QTEST(qso.call, "call");
        QTEST(qso.dxcc, "dxcc");
        QTEST(qso.band < 0 ? QByteArray() : QByteArray(AdifBands::all()[size_t(qso.band)].name),
              "band");
        QTEST(qso.confirmed, "confirmed");
    }

    void adifMalformedRecordsAreSkipped() {
        const AdifLog log =
            AdifReader::read("<CALL:5>K1ABC<BAND:3>20m<EOR>\n"
                             "<CALL:x>JA1AB<BAND:3>20m<EOR>\n" // no length
                             "<BAND:3>20m<EOR>\n"              // no call
                             "<CALL:5>DL1AB<BAND:3>20m<EOR>\n"
                             "<CALL:5>W1AW<COMMENT:999>cut short"); // runs past the end
        QCOMPARE(log.qsos.size(), 2);
        QCOMPARE(log.qsos[0].call, QByteArray("K1ABC"));
        QCOMPARE(log.qsos[1].call, QByteArray("DL1AB"));
        QCOMPARE(log.malformedRecords, 3);
        QVERIFY(!log.stopped);
    }

    void adifLargeLogLoads() {
        constexpr int QsoCount = 50000;
        const char* const calls[] = {"JA1XYZ", "W1AW",  "DL1ABC", "VK2ABC",
                                     "ZS6XX",  "PY2AA", "3D2CR",  "KH6/W1AW"};
        const char* const bands[] = {"20m", "40m", "15m", "10m"};
        QByteArray file("Generated log<EOH>\r\n");
        for (int i = 0; i < QsoCount; ++i) {
            const QByteArray call(calls[i % 8]);
            const QByteArray band(bands[i % 4]);
            file +=
                "<CALL:" + QByteArray::number(call.size()) + ">" + call +
                " <BAND:" + QByteArray::number(band.size()) + ">" + band +
                " <QSO_DATE:8>20261207 <TIME_ON:4>1200 <MODE:2>CW <RST_SENT:3>599 <RST_RCVD:3>599"
                " <COMMENT:16>generated record <EOR>\r\n";
        }
        QElapsedTimer timer;
        timer.start();
        const AdifLog log = AdifReader::read(file);
        const WorkedLog worked(log, &countries());
        qInfo("%d QSOs (%lld KB) read and placed in %lld ms", QsoCount, file.size() / 1024,
              timer.elapsed());
        QCOMPARE(log.qsos.size(), QsoCount);
        QCOMPARE(worked.entityCount(), 8);
        QCOMPARE(worked.unplacedCount(), 0);
    }

    void adifReaderStopsWhenAsked() {
        QByteArray file;
        for (int i = 0; i < 5000; ++i)
            file += "<CALL:4>W1AW<EOR>";
        int asked = 0;
        const AdifLog log = AdifReader::read(file, [&asked] { return ++asked == 2; });
        QVERIFY(log.stopped);
        QVERIFY(log.qsos.size() < 5000);
    }

    void spotNeeds_data() {
        QTest::addColumn<QByteArray>("call");
        QTest::addColumn<double>("khz");
        QTest::addColumn<int>("need");
        const auto row = [](const char* name, const char* call, double khz, SpotNeed need) {
            QTest::newRow(name) << QByteArray(call) << khz << int(need);
        };
        row("worked on the band", "JA2ABC", 14025.0, SpotNeed::Worked);
        row("worked on another band", "JA2ABC", 21025.0, SpotNeed::NewBand);
        row("never worked", "VK2ABC", 14025.0, SpotNeed::NewOne);
        row("worked without DXCC in the log", "DL2XYZ", 7010.0, SpotNeed::Worked);
        row("award-only part counts as its parent", "GM0AVR", 14025.0, SpotNeed::Worked);
        row("outside every band", "JA2ABC", 14900.0, SpotNeed::Worked);
        row("no entity", "W1AW/MM", 14025.0, SpotNeed::Unknown);
    }

    void spotNeeds() {
        QFETCH(QByteArray, call);
        QFETCH(double, khz);
        const WorkedLog worked(
            AdifReader::read("<CALL:6>JA1XYZ<DXCC:3>339<BAND:3>20m<EOR>"
                             "<CALL:6>DL1ABC<BAND:3>40m<EOR>" // no DXCC: placed by its call
                             "<CALL:5>GM3AB<BAND:3>20m<EOR>"
                             "<CALL:6>XXXXXX<BAND:3>20m<EOR>"), // placed nowhere
            &countries());
        QCOMPARE(worked.unplacedCount(), 1);
        const CountryInfo* info = countries().lookup(call);
        const int adif = info ? countries().entityOf(*info).adif : -1;
        QTEST(int(worked.needOf(adif, AdifBands::indexOfKhz(khz))), "need");
        QCOMPARE(WorkedLog().needOf(adif, AdifBands::indexOfKhz(khz)), SpotNeed::Unknown);
    }

    // A logging program that rewrites its export in place, and one that replaces the file.
    void logIsReadAgainWhenItChanges() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("log.adi"));
        const auto writeLog = [&path](const QByteArray& records, bool replace) {
            if (replace) {
                QSaveFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(records);
                QVERIFY(file.commit());
            } else {
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
                file.write(records);
            }
        };
        writeLog("<CALL:6>JA1XYZ<BAND:3>20m<EOR>", false);
        WorkedLogLoader loader;
        loader.setCountries(sharedCountries());
        QSignalSpy loaded(&loader, &WorkedLogLoader::loaded);
        loader.watch(path);
        QTRY_COMPARE(loaded.size(), 1);
        QCOMPARE(loaded.last().at(0).value<WorkedLog>().entityCount(), 1);
        QCOMPARE(loaded.last().at(1).toString(), QStringLiteral("ADIF log: 1 QSOs, 1 entities"));

        writeLog("<CALL:6>JA1XYZ<BAND:3>20m<EOR><CALL:5>DL1AB<BAND:3>20m<EOR><CALL:2>x<EOR>",
                 false);
        QTRY_COMPARE_WITH_TIMEOUT(loaded.size(), 2, 10000);
        QCOMPARE(loaded.last().at(0).value<WorkedLog>().entityCount(), 2);
        QCOMPARE(loaded.last().at(1).toString(),
                 QStringLiteral("ADIF log: 2 QSOs, 2 entities, 1 records skipped"));

        writeLog("<CALL:4>W1AW<BAND:3>20m<EOR>", true);
        QTRY_COMPARE_WITH_TIMEOUT(loaded.size(), 3, 10000);
        QCOMPARE(loaded.last().at(0).value<WorkedLog>().needOf(291, 8), SpotNeed::Worked);
        writeLog("<CALL:4>W1AW<BAND:3>20m<EOR><CALL:4>W1AW<BAND:3>40m<EOR>",
                 false); // the new file is watched
        QTRY_COMPARE_WITH_TIMEOUT(loaded.size(), 4, 10000);
        QCOMPARE(loaded.last().at(0).value<WorkedLog>().qsoCount(), 2);

        loader.watch(folder.filePath(QStringLiteral("missing.adi")));
        QTRY_COMPARE(loaded.size(), 5);
        QVERIFY(loaded.last().at(1).toString().startsWith(
            QStringLiteral("ADIF log could not be read: ")));
        QVERIFY(!loaded.last().at(0).value<WorkedLog>().isLoaded());
        const QByteArray pipe = folder.filePath(QStringLiteral("pipe.adi")).toLocal8Bit();
        QCOMPARE(mkfifo(pipe.constData(), 0600), 0);
        loader.watch(QString::fromLocal8Bit(pipe)); // refused, not waited on
        QTRY_COMPARE(loaded.size(), 6);
        QVERIFY(loaded.last().at(1).toString().startsWith(
            QStringLiteral("ADIF log could not be read: ")));
        loader.watch(folder.filePath(QStringLiteral("missing.adi")));
        QTRY_COMPARE(loaded.size(), 7);
        QFile later(folder.filePath(QStringLiteral("missing.adi"))); // the first export comes later
        QVERIFY(later.open(QIODevice::WriteOnly));
        later.write("<CALL:4>W1AW<BAND:3>20m<EOR>");
        later.close();
        QTRY_COMPARE_WITH_TIMEOUT(loaded.size(), 8, 10000);
        QCOMPARE(loaded.last().at(0).value<WorkedLog>().qsoCount(), 1);
    }

    void rowsTellWhoTheStationIs_data() {
        QTest::addColumn<QByteArray>("call");
        QTest::addColumn<QString>("locator");
        QTest::addColumn<QByteArray>("annotation"); // empty: the row stays as it was
        QTest::newRow("with a locator") << QByteArray("JA1XYZ") << QStringLiteral("JN58td")
                                        << QByteArray("Japan, AS, CQ 25, 9237 km, 41 deg");
        QTest::newRow("without") << QByteArray("JA1XYZ") << QString()
                                 << QByteArray("Japan, AS, CQ 25");
        QTest::newRow("an invalid locator")
            << QByteArray("JA1XYZ") << QStringLiteral("JN5") << QByteArray("Japan, AS, CQ 25");
        QTest::newRow("portable") << QByteArray("KH6/W1AW") << QString()
                                  << QByteArray("Hawaii, OC, CQ 31");
        QTest::newRow("unknown") << QByteArray("Q1ABC") << QStringLiteral("JN58td") << QByteArray();
    }

    void rowsTellWhoTheStationIs() {
        QFETCH(QByteArray, call);
        QFETCH(QString, locator);
        QFETCH(QByteArray, annotation);
        StationInsight insight;
        insight.setCountries(sharedCountries());
        StationSettings station;
        station.locator = locator;
        insight.setStation(station);
        const QByteArray original =
            " 14025.0 [ 3] " + call.leftJustified(12) + " CQ DX   "; // blanks at its end
        QByteArray row = original;
        insight.annotate(spotOf("DL1ABC", 14025.0, call.constData()), row);
        if (annotation.isEmpty()) {
            QCOMPARE(row, original);
            return;
        }
        QCOMPARE(row.first(StationInsight::AnnotationColumn + 2),
                 original.chopped(3).leftJustified(StationInsight::AnnotationColumn + 2));
        QCOMPARE(row.indexOf(annotation), StationInsight::AnnotationColumn + 2);
        QCOMPARE(row.mid(StationInsight::AnnotationColumn + 2), annotation);
    }

    void filtersChooseSpots_data() {
        QTest::addColumn<QString>("continents");
        QTest::addColumn<bool>("hideWorked");
        QTest::addColumn<QByteArray>("spotter");
        QTest::addColumn<double>("khz");
        QTest::addColumn<bool>("shown");
        QTest::newRow("no filter") << QString() << false << QByteArray("DL1ABC") << 14025.0 << true;
        QTest::newRow("spotter on a chosen continent")
            << QStringLiteral("as oc") << false << QByteArray("JA2AA-2") << 14025.0 << true;
        QTest::newRow("spotter elsewhere")
            << QStringLiteral("AS OC") << false << QByteArray("DL1ABC-#") << 14025.0 << false;
        QTest::newRow("spotter nobody can place")
            << QStringLiteral("AS") << false << QByteArray("Q1AA") << 14025.0 << true;
        QTest::newRow("worked on the band")
            << QString() << true << QByteArray("DL1ABC") << 14025.0 << false;
        QTest::newRow("worked on another band only")
            << QString() << true << QByteArray("DL1ABC") << 21025.0 << true;
        QTest::newRow("outside every band")
            << QString() << true << QByteArray("DL1ABC") << 14900.0 << true;
    }

    void filtersChooseSpots() {
        QFETCH(QString, continents);
        QFETCH(bool, hideWorked);
        QFETCH(QByteArray, spotter);
        QFETCH(double, khz);
        StationInsight insight;
        insight.setCountries(sharedCountries());
        insight.setWorked(japanOn20m());
        StationSettings station;
        station.spotterContinents = continents;
        station.hideWorked = hideWorked;
        insight.setStation(station);
        QTEST(insight.shows(spotOf(spotter.constData(), khz, "JA1XYZ")), "shown");
    }
};

QTEST_GUILESS_MAIN(TestCountry)
#include "tst_country.moc"
