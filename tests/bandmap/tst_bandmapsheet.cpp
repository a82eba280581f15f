// The "Band map" sheet in the main window, driven as an operator drives it: the band's
// spots from its scope table in frequency order as a screen reader reads them, bands
// stepped from the keyboard, and a click on a call tuning Hamlib's dummy rig behind a real
// rigctld through the lists' own path, the rig's line and the "follow" tick going with it.

#include "RecordedSounds.h"
#include "Rigctld.h"
#include "TestHome.h"
#include "TestNode.h"
#include "app/TForm1.h"
#include "bandmap/BandMapSheet.h"
#include "bandmap/BandMapView.h"
#include "country/AdifBands.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

using namespace Qt::StringLiterals;

class BandMapSheetTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(m_home.isValid());
        useTestHome(m_home.path());
        QDir().mkpath(m_home.filePath(u"kestrel"_s));
        QFile::copy(QStringLiteral(KESTREL_TEST_DATA "/cty.csv"),
                    m_home.filePath(u"kestrel/cty.csv"_s));
    }

    void cleanup() {
        m_form.reset();
        m_rigctld.reset();
    }

    // 20 m by ADIF's edges: the scope's 14 MHz table also keeps 14 400 kHz, the map does not.
    void readsItsBandAsAListAndStepsBands() {
        openWindow({});
        for (const auto& [khz, call] : {std::pair{14030.0, "VK2XYZ"},
                                        {21025.0, "JA3ABC"},
                                        {14400.0, "W1AW"},
                                        {14025.0, "JA2ABC"},
                                        {18075.0, "ZL1AA"}})
            putSpot(khz, call);
        showBandMap();
        QTRY_COMPARE(spokenItems(), QStringList({u"JA2ABC"_s, u"VK2XYZ"_s}));
        // Its role and name are read over the accessibility bus (atspi_needs).
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&sheet().map());
        QVERIFY(list->child(0)->text(QAccessible::Name).startsWith(u"  14025.0 [ 0] JA2ABC"_s));
        // Resting on a call: its line as the node sent it, who spotted it when, the station.
        const QPoint call = sheet().map().labelRectOf(0)->center();
        QHelpEvent hover(QEvent::ToolTip, call, sheet().map().mapToGlobal(call));
        QApplication::sendEvent(&sheet().map(), &hover);
        QTRY_VERIFY(QToolTip::isVisible());
        const QStringList details = QToolTip::text().split(u'\n');
        QCOMPARE(details.value(0).left(30), u"DX de M0TST:     14025.0  JA2A"_s);
        QCOMPARE(details.value(1), u"Spotted by M0TST at 09:44 UTC"_s);
        QVERIFY(details.value(2).startsWith(u"Japan, AS, CQ 25"_s));

        sheet().map().setFocus();
        QTest::keyClick(&sheet().map(), Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(bandBox().currentText(), u"17m"_s);
        QTRY_COMPARE(spokenItems(), QStringList({u"ZL1AA"_s}));
        QTest::keyClick(&sheet().map(), Qt::Key_PageUp, Qt::ControlModifier);
        QTest::keyClick(&sheet().map(), Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(bandBox().currentText(), u"30m"_s);
        QTRY_COMPARE(spokenItems(), QStringList());
        QCOMPARE(sheet().map().scale().lowerKhz(), 10100.0);
    }

    void clickedCallTunesTheRigAndFollowGoesWithIt() {
        if (QStandardPaths::findExecutable(u"rigctld"_s).isEmpty())
            QSKIP("rigctld (libhamlib-utils) is not installed");
        m_rigctld = std::make_unique<Rigctld>();
        QVERIFY(m_rigctld->start());
        openWindow("[RIG]\nMODEL=2\nPORT=" + m_rigctld->address().toLatin1() + "\n");
        // A first open that a busy machine lets time out is tried again after 10 s.
        QTRY_COMPARE_WITH_TIMEOUT(m_form->findChild<QLabel*>(u"RigStatus"_s)->text(),
                                  u"Rig: 145000.000 kHz"_s, 15000);
        QVERIFY(!sheet().map().rigLineRow()); // the dummy rig starts on 2 m
        putSpot(14025.0, "XX9ZZ");
        showBandMap();
        QTRY_COMPARE(spokenItems(), QStringList({u"XX9ZZ"_s}));

        const QRect call = *sheet().map().labelRectOf(0);
        QTest::mouseClick(&sheet().map(), Qt::LeftButton, {}, call.center());
        QTRY_COMPARE(m_rigctld->ask(u"f"_s), "14025000");
        const int row = int(std::lround(sheet().map().scale().yOf(14025.0)));
        QTRY_COMPARE(sheet().map().rigLineRow(), std::optional(row));
        QTRY_COMPARE(QAccessible::queryAccessibleInterface(&sheet().map())
                         ->child(0)
                         ->text(QAccessible::Description),
                     u"the rig is tuned here"_s);

        sheet().findChild<QCheckBox*>(u"chkFollow"_s)->click();
        m_rigctld->ask(u"F 21074000"_s);
        QTRY_COMPARE_WITH_TIMEOUT(bandBox().currentText(), u"15m"_s, 15000);
        QTRY_VERIFY(sheet().map().rigLineRow().has_value());
    }

private:
    void openWindow(const QByteArray& ini) {
        QFile file(m_home.filePath(u"kestrel/Kestrel.ini"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(ini);
        file.close();
        m_form = std::make_unique<TForm1>(std::make_unique<RecordedSounds>());
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }

    void putSpot(double khz, const char* call) {
        const QDateTime time(QDate(2026, 12, 6), QTime(9, 44), Qt::UTC);
        m_form->core().screen().PutString(TestNode::formatSpot("M0TST", khz, call, "CW", time) +
                                          "\r\n");
    }

    void showBandMap() {
        m_form->findChild<QTabWidget*>(u"PageControl1"_s)->setCurrentWidget(&sheet());
    }

    BandMapSheet& sheet() const { return *m_form->findChild<BandMapSheet*>(); }
    QComboBox& bandBox() const { return *sheet().findChild<QComboBox*>(u"cbBand"_s); }

    // The calls of the list's items, in the order a screen reader reads them.
    QStringList spokenItems() const {
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&sheet().map());
        QStringList calls;
        for (int i = 0; i < list->childCount(); ++i)
            calls << list->child(i)
                         ->text(QAccessible::Name)
                         .section(u' ', 3, 3, QString::SectionSkipEmpty);
        return calls;
    }

    QTemporaryDir m_home;
    std::unique_ptr<Rigctld> m_rigctld;
    std::unique_ptr<TForm1> m_form;
};

QTEST_MAIN(BandMapSheetTest)
#include "tst_bandmapsheet.moc"
