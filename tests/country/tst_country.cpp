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
        QTest::addColumn<QByteArray>("entity"); // label, ADIF, CQ and ITU zone, continent
        const auto row = [](const char* name, const QByteArray& call, const char* entity) {
            QTest::newRow(name) << call << QByteArray(entity);
        };
        row("prefix", "JA1XYZ", "JA 339 25 45 AS");
        row("lower case", "ja1xyz", "JA 339 25 45 AS");
        row("longest prefix", "KH6ABC", "KH6 110 31 61 OC");
        row("longest prefix listed before shorter ones", "VK9FCX", "VK9C 38 29 54 OC");
        row("one letter", "W1AW", "K 291 5 8 NA");
        row("exact call", "3D2CR", "3D2/c 489 32 56 OC");
        row("exact beats prefix", "9M6/LA6VM", "1S 247 26 50 AS");
        row("cq and itu override", "UA0ABC", "UA9 15 18 32 AS");
        row("itu override", "VE2XYZ", "VE 1 5 4 NA");
        row("award-only part", "IG9ABC", "*IG9 248 33 37 AF");
        row("award-only exact", "GM0AVR", "*GM/s 279 14 27 EU");
        row("award-only over its parent", "4U1VIC", "*4U1V 206 15 28 EU");
        row("prefix/call", "KH6/W1AW", "KH6 110 31 61 OC");
        row("call/prefix", "DL1ABC/EA8", "EA8 29 33 36 AF");
        row("prefix/call/p", "EA8/DL1ABC/P", "EA8 29 33 36 AF");
        row("/p keeps the call's", "DL1ABC/P", "DL 230 14 28 EU");
        row("/m", "KH6ABC/M", "KH6 110 31 61 OC");
        row("/digit moves the area", "VE3ABC/2", "VE 1 5 4 NA");
        row("/digit into another entity", "UA9ABC/1", "UA 54 16 29 EU");
        row("/digit exact call first", "VA3ELE/2", "VE 1 2 4 NA");
        row("/mm", "W1AW/MM", "");
        row("/am", "JA1XYZ/AM", "");
        row("/mm exact call", "LU8AEU/MM", "LU 100 13 14 SA");
        row("unknown prefix", "Q1ABC", "");
        row("no call", "DL1-ABC", "");
        row("empty", "", "");
        row("slash only", "/", "");
        row("too long", QByteArray(40, 'A'), "");
    }

    void callsResolve() {
        QFETCH(QByteArray, call);
        const CountryInfo* info = countries().lookup(call);
        const CountryEntity* entity = info ? &countries().entityOf(*info) : nullptr;
        QTEST(entity ? entity->label + ' ' + QByteArray::number(entity->adif) + ' ' +
                           QByteArray::number(info->cqZone) + ' ' +
                           QByteArray::number(info->ituZone) + ' ' + info->continent.data()
                     : QByteArray(),
              "entity");
    }

    void overridesTodaysFileDoesNotUse() {
        const CountryFile file =
            CountryFile::parse("XA,Testland,901,EU,14,28,50.00,-10.00,-1.0,XA "
                               "XA9<-20.5/-45.25>{AF}~-3.5~ =XA1XX(40)[75];\r\n");
        const auto where = [&file](const char* call) {
            const CountryInfo* info = file.lookup(call);
            return info ? QStringLiteral("%1 %2 %3 UTC%4 CQ %5 ITU %6")
                                  .arg(file.entityOf(*info).name)
                                  .arg(info->latitude)
                                  .arg(info->longitude)
                                  .arg(info->utcOffset)
                                  .arg(info->cqZone)
                                  .arg(info->ituZone) +
                              u' ' + QLatin1String(info->continent.data())
                        : QString();
        };
        // The file counts longitude west and the UTC offset the other way round.
        QCOMPARE(where("XA1AB"), QStringLiteral("Testland 50 10 UTC1 CQ 14 ITU 28 EU"));
        QCOMPARE(where("XA9AB"), QStringLiteral("Testland -20.5 45.25 UTC3.5 CQ 14 ITU 28 AF"));
        QCOMPARE(where("XA1XX"), QStringLiteral("Testland 50 10 UTC1 CQ 40 ITU 75 EU"));
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
        QTest::addColumn<QByteArray>("qso"); // call, DXCC (-1: none), band, confirmed
        const auto row = [](const char* name, const char* file, const char* qso) {
            QTest::newRow(name) << QByteArray(file) << QByteArray(qso);
        };
        row("header, crlf",
            "Exported by a logger\r\n<ADIF_VER:5>3.1.4\r\n<PROGRAMID:4>Test<EOH>\r\n"
            "<CALL:6>JA1XYZ <BAND:3>20m <DXCC:3>339 <QSL_RCVD:1>Y <EOR>\r\n",
            "JA1XYZ 339 20m confirmed");
        row("no header, lower case", "<call:5>w1aw <band:3>40M <lotw_qsl_rcvd:1>v <eor>\n",
            "W1AW -1 40m confirmed");
        row("header starting with a tag",
            "<ADIF_VER:5>3.1.4 <CALL:4>NONE <EOH><CALL:5>DL1AB <FREQ:6>14.025 <EOR>",
            "DL1AB -1 20m");
        row("type indicators", "<CALL:5:S>K1ABC<DXCC:3:N>291<FREQ:8:N>21.07400<EOR>",
            "K1ABC 291 15m");
        row("band beats freq", "<CALL:5>K1ABC<FREQ:6>21.074<BAND:3>17m<EOR>", "K1ABC -1 17m");
        row("multi-byte text, bytes", "<NAME:5>Jürg <CALL:5>HB9AA <BAND:3>20m <EOR>",
            "HB9AA -1 20m");
        row("multi-byte text, characters",
            "<NAME:4>Jürg <CALL:5>HB9AA <COMMENT:3>日本語<BAND:3>20m <EOR>", "HB9AA -1 20m");
        row("requested is not received",
            "<CALL:5>K1ABC<BAND:3>20m<QSL_RCVD:1>R<LOTW_QSL_RCVD:1>N<EOR>", "K1ABC -1 20m");
        row("no band", "<CALL:5>K1ABC<EOR>", "K1ABC -1 ");
    }

    void adifRecords() {
        QFETCH(QByteArray, file);
        const AdifLog log = AdifReader::read(file);
        QCOMPARE(log.malformedRecords, 0);
        QCOMPARE(log.qsos.size(), 1);
        const AdifQso& qso = log.qsos.first();
        QTEST(qso.call + ' ' + QByteArray::number(qso.dxcc) + ' ' +
                  (qso.band < 0 ? "" : AdifBands::all()[size_t(qso.band)].name) +
                  (qso.confirmed ? " confirmed" : ""),
              "qso");
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
        QString path = folder.filePath(QStringLiteral("log.adi"));
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
        const auto log = [&loaded] { return loaded.last().at(0).value<WorkedLog>(); };
        const auto said = [&loaded] { return loaded.last().at(1).toString(); };
        const QString unreadable = QStringLiteral("ADIF log could not be read: ");
        loader.watch(path);
        QTRY_COMPARE(loaded.size(), 1);
        QCOMPARE(log().entityCount(), 1);
        QCOMPARE(said(), QStringLiteral("ADIF log: 1 QSOs, 1 entities"));

        writeLog("<CALL:6>JA1XYZ<BAND:3>20m<EOR><CALL:5>DL1AB<BAND:3>20m<EOR><CALL:2>x<EOR>",
                 false);
        QTRY_COMPARE_WITH_TIMEOUT(loaded.size(), 2, 10000);
        QCOMPARE(log().entityCount(), 2);
        QCOMPARE(said(), QStringLiteral("ADIF log: 2 QSOs, 2 entities, 1 records skipped"));

        writeLog("<CALL:4>W1AW<BAND:3>20m<EOR>", true);
        QTRY_COMPARE_WITH_TIMEOUT(loaded.size(), 3, 10000);
        QCOMPARE(log().needOf(291, 8), SpotNeed::Worked);
        // The new file is watched.
        writeLog("<CALL:4>W1AW<BAND:3>20m<EOR><CALL:4>W1AW<BAND:3>40m<EOR>", false);
        QTRY_COMPARE_WITH_TIMEOUT(loaded.size(), 4, 10000);
        QCOMPARE(log().qsoCount(), 2);

        const QString missing = folder.filePath(QStringLiteral("missing.adi"));
        loader.watch(missing);
        QTRY_COMPARE(loaded.size(), 5);
        QVERIFY(said().startsWith(unreadable));
        QVERIFY(!log().isLoaded());
        const QByteArray pipe = folder.filePath(QStringLiteral("pipe.adi")).toLocal8Bit();
        QCOMPARE(mkfifo(pipe.constData(), 0600), 0);
        loader.watch(QString::fromLocal8Bit(pipe)); // refused, not waited on
        QTRY_COMPARE(loaded.size(), 6);
        QVERIFY(said().startsWith(unreadable));
        loader.watch(missing);
        QTRY_COMPARE(loaded.size(), 7);
        path = missing; // the first export comes later
        writeLog("<CALL:4>W1AW<BAND:3>20m<EOR>", false);
        QTRY_COMPARE_WITH_TIMEOUT(loaded.size(), 8, 10000);
        QCOMPARE(log().qsoCount(), 1);
    }

    void rowsTellWhoTheStationIs_data() {
        QTest::addColumn<QByteArray>("call");
        QTest::addColumn<QString>("locator");
        QTest::addColumn<QByteArray>("annotation"); // empty: the row stays as it was
        const auto row = [](const char* name, const char* call, const char* locator,
                            const char* annotation) {
            QTest::newRow(name) << QByteArray(call) << QString::fromLatin1(locator)
                                << QByteArray(annotation);
        };
        row("with a locator", "JA1XYZ", "JN58td", "Japan, AS, CQ 25, 9237 km, 41 deg");
        row("without", "JA1XYZ", "", "Japan, AS, CQ 25");
        row("an invalid locator", "JA1XYZ", "JN5", "Japan, AS, CQ 25");
        row("portable", "KH6/W1AW", "", "Hawaii, OC, CQ 31");
        row("unknown", "Q1ABC", "JN58td", "");
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
        const auto row = [](const char* name, const char* continents, bool hideWorked,
                            const char* spotter, double khz, bool shown) {
            QTest::newRow(name) << QString::fromLatin1(continents) << hideWorked
                                << QByteArray(spotter) << khz << shown;
        };
        row("no filter", "", false, "DL1ABC", 14025.0, true);
        row("spotter on a chosen continent", "as oc", false, "JA2AA-2", 14025.0, true);
        row("spotter elsewhere", "AS OC", false, "DL1ABC-#", 14025.0, false);
        row("spotter nobody can place", "AS", false, "Q1AA", 14025.0, true);
        row("worked on the band", "", true, "DL1ABC", 14025.0, false);
        row("worked on another band only", "", true, "DL1ABC", 21025.0, true);
        row("outside every band", "", true, "DL1ABC", 14900.0, true);
    }

    void filtersChooseSpots() {
        QFETCH(QString, continents);
        QFETCH(bool, hideWorked);
        QFETCH(QByteArray, spotter);
        QFETCH(double, khz);
        StationInsight insight;
        insight.setCountries(sharedCountries());
        insight.setWorked( // JA worked on 20 m only
            WorkedLog(AdifReader::read("<CALL:6>JA1XYZ<DXCC:3>339<BAND:3>20m<EOR>"), &countries()));
        StationSettings station;
        station.spotterContinents = continents;
        station.hideWorked = hideWorked;
        insight.setStation(station);
        QTEST(insight.shows(spotOf(spotter.constData(), khz, "JA1XYZ")), "shown");
    }
};

QTEST_GUILESS_MAIN(TestCountry)
#include "tst_country.moc"
