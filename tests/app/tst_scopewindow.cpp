// The band scope in the real window on the offscreen platform: spots and listings laid
// out as the test node sends them, put on the terminal screen, into the "All" list and
// the band lists.

#include "ModalDriver.h"
#include "RecordedSounds.h"
#include "TestFiles.h"
#include "TestHome.h"
#include "TestNode.h"
#include "app/TForm1.h"
#include "scope/ScopeSheet.h"
#include "scope/TfFilter.h"
#include "screen/RepaintThrottle.h"

#include <QCheckBox>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

const QDateTime spotTime(QDate(2026, 12, 6), QTime(9, 44), Qt::UTC);
// A country file that knows none of the calls here: rows as the node laid them out,
// whatever country file this machine has installed.
const QByteArray testCountries = "XA,Testland,901,EU,14,28,50.00,-10.00,-1.0,XA;\r\n";

QString selectedText(const QListView* list) {
    const QModelIndexList selected = list->selectionModel()->selectedIndexes();
    return selected.size() == 1 ? selected.first().data().toString() : QString();
}

QString rowText(const QListView* list, int row) {
    return list->model()->index(row, 0).data().toString();
}

} // namespace

class ScopeWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(m_home.isValid());
        useTestHome(m_home.path());
        QVERIFY(QDir().mkpath(folder()));
    }

    void init() {
        m_driver = std::make_unique<ModalDriver>();
        startWindow(testCountries);
    }

    void cleanup() {
        QVERIFY(m_driver->unexpected().isEmpty());
        m_form.reset();
        m_driver.reset();
        QFile::remove(folder() + u"/Kestrel.ini"_s);
    }

    void spotsAndListingsReachAllAndBandLists() {
        spot(14025.0, "XX9ZZ");
        spot(7010.0, "JA1ABC");
        m_now += 180; // three minutes later
        // The remark: comment and the node's time, padded to 38, then the spotter.
        const QString remark = u"test 0944Z"_s + QString(28, QLatin1Char(' ')) + u" <M0TST>"_s;
        const QString all20 = u"  14025.0 [ 3] XX9ZZ         "_s + remark;
        QTRY_COMPARE(items("lstScope"),
                     QStringList({u"   7010.0 [ 3] JA1ABC        "_s + remark, all20}));
        // The band list has one blank before the remark, not two.
        QString band20 = all20;
        band20.remove(27, 1);
        QTRY_COMPARE(items("lstScope20"), QStringList({band20}));

        // A listing from "sh/dx" enters the tables too, with its own remark layout.
        m_form->core().screen().PutString(
            TestNode::formatListing("G4ABC", 21074.0, "VK2XYZ", "FT8", spotTime) + "\r\n");
        QTRY_VERIFY(items("lstScope15")
                        .value(0)
                        .startsWith(u"  21074.0 [ 0] VK2XYZ       6-Dec-2026 0944Z FT8"_s));
    }

    // The 160 m and 80 m boxes wait for the list's next redraw; the others redraw it at once.
    void filterHidesBandsFromAllOnly() {
        spot(1840.0, "OH1ABC");
        spot(14025.0, "XX9ZZ");
        spot(28074.0, "PY2ABC");
        QTRY_COMPARE(items("lstScope").size(), 3);
        waitForListRedraw();
        TfFilter& filter = m_form->findChild<ScopeSheet*>()->filterWindow();
        filter.box(Band::M160)->click();
        waitForListRedraw();
        QCOMPARE(items("lstScope").size(), 3);
        filter.box(Band::M20)->click();
        QTRY_COMPARE(items("lstScope").size(), 1);
        QVERIFY(items("lstScope").first().contains(u"PY2ABC"_s));
        QCOMPARE(items("lstScope20").size(), 1);
        filter.bWarcClick();
        QTRY_COMPARE(items("lstScope").size(), 0);
        filter.bHighClick();
        QTRY_COMPARE(items("lstScope").size(), 2);
        filter.bAllClick();
        QTRY_COMPARE(items("lstScope").size(), 3);
    }

    void lockedScopeLosesSpotsAndKeepsLists() {
        spot(14025.0, "XX9ZZ");
        QTRY_COMPARE(items("lstScope").size(), 1);
        auto* lock = m_form->findChild<QCheckBox*>(u"chkLock"_s);
        lock->click();
        QVERIFY(!m_form->findChild<QSpinBox*>(u"udLifeTime"_s)->isEnabled());
        QCOMPARE(m_form->findChild<QLineEdit*>(u"eLifeTime"_s)->palette().color(QPalette::Base),
                 QColor(0xC0, 0xC0, 0xC0));
        m_now += 600; // ages frozen while locked: the screen changes, the lists stay
        spot(14030.0, "YY8YY");
        QCOMPARE(m_form->core().scopes().all().count(), 1);
        waitForListRedraw();
        QVERIFY(items("lstScope").first().contains(u"[ 0]"_s));
        lock->click();
        QVERIFY(m_form->findChild<QSpinBox*>(u"udLifeTime"_s)->isEnabled());
        m_form->findChild<ScopeSheet*>()->RefreshAll();
        QTRY_VERIFY(items("lstScope").first().contains(u"[10]"_s));
        QCOMPARE(items("lstScope").size(), 1); // the spot that came while locked is lost
    }

    // Without "Focus to new report" the operator's choice stays on its spot as others sort in
    // above it, and goes when that spot is gone; with it, the newest spot is selected.
    void selectionStaysOnItsSpot() {
        spot(14025.0, "XX9ZZ");
        spot(14030.0, "YY1AA");
        QTRY_COMPARE(items("lstScope20").size(), 2);
        QListView* band20 = list("lstScope20");
        QTest::mouseClick(band20->viewport(), Qt::LeftButton, {},
                          band20->visualRect(band20->model()->index(1, 0)).center());
        QVERIFY(selectedText(band20).contains(u"YY1AA"_s));
        spot(14010.0, "ZZ1ZZ");
        QTRY_COMPARE(band20->model()->rowCount(), 3);
        QVERIFY(selectedText(band20).contains(u"YY1AA"_s));
        spot(14030.4, "YY1AA"); // replaces the chosen spot
        QTRY_VERIFY(rowText(band20, 2).startsWith(u"  14030.4"_s));
        QCOMPARE(selectedText(band20), QString());

        m_form->findChild<QCheckBox*>(u"chkFocus"_s)->click();
        spot(14020.0, "JA1ABC");
        QTRY_VERIFY(selectedText(band20).contains(u"JA1ABC"_s));
    }

    void clearAsksFirst() {
        spot(14025.0, "XX9ZZ");
        QTRY_COMPARE(items("lstScope20").size(), 1);
        auto* clear = m_form->findChild<QPushButton*>(u"bAllClear"_s);
        m_driver->thenAnswerMessage(QMessageBox::No);
        clear->click();
        QCOMPARE(m_form->core().scopes().band(Band::M20).count(), 1);
        m_driver->thenAnswerMessage(QMessageBox::Yes);
        clear->click();
        QCOMPARE(m_driver->messages(), QStringList(2, u"Clear scope.  Sure? "_s));
        QTRY_COMPARE(items("lstScope20").size(), 0);
        QCOMPARE(items("lstScope").size(), 0);
    }

    void tabsStepAroundAndNameTheirLists() {
        showScope("lstScope");
        auto* pages = m_form->findChild<QTabWidget*>(u"PageControl3"_s);
        QCOMPARE(pages->tabText(11), u"144 above "_s);
        QStringList spoken;
        for (int i = 0; i < pages->count(); ++i)
            spoken << pages->widget(i)->accessibleName();
        QCOMPARE(spoken.join(u'|'),
                 QStringLiteral("All spots|1.8/1.9 MHz spots|3.5/3.8 MHz spots|7 MHz spots|10 MHz "
                                "spots|14 MHz spots|18 MHz spots|21 MHz spots|24 MHz spots|28 MHz "
                                "spots|50 MHz spots|144 MHz and above spots"));
        m_form->findChild<QToolButton*>(u"sbLower"_s)->click();
        QCOMPARE(pages->currentWidget(), list("lstScope2"));
        m_form->findChild<QToolButton*>(u"sbHigher"_s)->click();
        QCOMPARE(pages->currentWidget(), list("lstScope"));
    }

    // The real country file, a log with Japan worked on 20 m only and the operator's
    // locator, in place as the program starts.
    void rowsTellWhoTheStationIsAndWhetherItIsNeeded() {
        const QString log = m_home.filePath(u"log.adi"_s);
        QVERIFY(
            writeFile(log, "<ADIF_VER:5>3.1.4<EOH>\n<CALL:6>JA1XYZ<DXCC:3>339<BAND:3>20m<EOR>\n"));
        QVERIFY(
            writeFile(folder() + u"/Kestrel.ini"_s,
                      "[STATION]\r\nLOCATOR=JN58td\r\nADIF_LOG=" + log.toUtf8() +
                          "\r\nALERT_NEW_ONE=1\r\n[WATCH]\r\nSOUND=alert.wav\r\nSOUND_ON=1\r\n"));
        startWindow(readFile(QStringLiteral(KESTREL_TEST_DATA "/cty.csv")));
        auto* sounds = static_cast<RecordedSounds*>(&m_form->core().soundOutput());
        QTRY_COMPARE(m_form->core().insight().worked().qsoCount(), 1);

        spot(14025.0, "JA2ABC");
        spot(21025.0, "JA3ABC");
        QCOMPARE(sounds->played, QStringList()); // Japan is no new one
        spot(14030.0, "VK2XYZ");
        QTRY_COMPARE(sounds->played, QStringList({u"alert.wav"_s}));

        QTRY_COMPARE(items("lstScope").size(), 3);
        const QStringList rows = items("lstScope");
        QVERIFY2(rows[0].endsWith(u"  Japan, AS, CQ 25, 9237 km, 41 deg"_s), qPrintable(rows[0]));
        QVERIFY2(rows[1].contains(u"  Australia, OC, CQ 30, "_s), qPrintable(rows[1]));
        // What each row reads to a screen reader is checked over the accessibility bus.
        QListView* all = list("lstScope");
        QCOMPARE(all->model()->index(1, 0).data(Qt::BackgroundRole).value<QColor>(),
                 QColor(0xFF, 0x9E, 0x9E));
        // Australia logged since: its row is no new one any more.
        QVERIFY(writeFile(log, "<CALL:6>JA1XYZ<DXCC:3>339<BAND:3>20m<EOR>\n"
                               "<CALL:6>VK2AAA<DXCC:3>150<BAND:3>20m<EOR>\n"));
        QTRY_COMPARE(m_form->core().insight().worked().qsoCount(), 2);
        QTRY_VERIFY(!all->model()->index(1, 0).data(Qt::BackgroundRole).isValid());
    }

    // A country file of the operator's own that yields nothing is said so as the program
    // starts; the lists go on with the system's file or none.
    void anUnusableCountryFileIsSaid() {
        startWindow("not a country file\r\n");
        QVERIFY(m_form->statusBar()->currentMessage().contains(u"Country file not usable: "_s +
                                                               folder() + u"/cty.csv"_s));
    }

private:
    static QString folder() { return qEnvironmentVariable("XDG_CONFIG_HOME") + u"/kestrel"_s; }

    // The window as the program starts it, over this country file of the operator's.
    void startWindow(const QByteArray& countries) {
        m_form.reset();
        QVERIFY(writeFile(folder() + u"/cty.csv"_s, countries));
        m_form = std::make_unique<TForm1>(std::make_unique<RecordedSounds>());
        m_form->core().scopes().context().now = [this] { return m_now; };
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }

    void showScope(const char* name) {
        auto* pages = m_form->findChild<QTabWidget*>(u"PageControl1"_s);
        pages->setCurrentWidget(m_form->findChild<ScopeSheet*>());
        auto* scopePages = m_form->findChild<QTabWidget*>(u"PageControl3"_s);
        scopePages->setCurrentWidget(list(name));
    }

    QListView* list(const char* name) const {
        return m_form->findChild<QListView*>(QLatin1String(name));
    }

    QStringList items(const char* name) {
        showScope(name);
        QListView* view = list(name);
        QStringList texts;
        for (int i = 0; i < view->model()->rowCount(); ++i)
            texts << rowText(view, i);
        return texts;
    }

    void spot(double khz, const QByteArray& call) {
        m_form->core().screen().PutString(
            TestNode::formatSpot("M0TST", khz, call, "test", spotTime) + "\r\n");
    }

    // Lets a redraw held back by the lists' throttle happen.
    void waitForListRedraw() {
        auto* redraw = m_form->findChild<RepaintThrottle*>(u"ScopeListRedraw"_s);
        QTRY_VERIFY(!redraw->isPending());
    }

    QTemporaryDir m_home;
    std::unique_ptr<TForm1> m_form;
    std::unique_ptr<ModalDriver> m_driver;
    qint64 m_now = spotTime.toSecsSinceEpoch();
};

QTEST_MAIN(ScopeWindowTest)
#include "tst_scopewindow.moc"
