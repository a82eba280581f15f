// The rig from the main window, against Hamlib's dummy rig served by a real rigctld on
// 127.0.0.1 and read back with rigctl: a spot double-clicked in a scope list tunes it, its
// frequency shows in the status bar and marks its spot, and a rig lost mid-session is
// told once, leaves the window painting and is found again.

#include "RecordedSounds.h"
#include "Rigctld.h"
#include "TestHome.h"
#include "TestNode.h"
#include "app/RigWatchControls.h"
#include "app/TForm1.h"
#include "scope/ScopeListModel.h"
#include "scope/ScopeSheet.h"
#include "screen/TerminalView.h"

#include <QLabel>
#include <QListView>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class RigWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(m_home.isValid());
        useTestHome(m_home.path());
    }

    void cleanup() {
        m_form.reset();
        m_rigctld.reset();
    }

    // With "Set mode" ticked the rig takes the remark's mode too.
    void doubleClickedSpotTunesRig() {
        openWindow(true);
        listSpot("XX9ZZ");
        QListView* list = allList();
        QCOMPARE(list->model()->index(0, 0).data(Qt::AccessibleDescriptionRole).toString(),
                 u"on the watch list"_s);
        doubleClick(list);
        QTRY_COMPARE(m_rigctld->ask(u"f m"_s).split('\n').mid(0, 2),
                     QByteArrayList({"14025000", "CW"}));
        QTRY_COMPARE(status(), u"Rig: 14025.000 kHz"_s);
        QTRY_COMPARE(list->model()->index(0, 0).data(Qt::AccessibleDescriptionRole).toString(),
                     u"on the watch list, the rig is tuned here"_s);
    }

    // "Set mode" is not ticked: the rig found again is tuned, its mode left as it is.
    void lostRigIsToldOnceAndFoundAgain() {
        openWindow(false);
        listSpot("XX9ZZ");
        QListView* list = allList();
        QSignalSpy statuses(&m_form->core().rig(), &RigControl::statusChanged);
        m_rigctld->stop();
        doubleClick(list); // the operator goes on choosing the spot while the rig is gone
        QTRY_VERIFY(status().startsWith(u"Rig: no answer from "_s + m_rigctld->address()));
        doubleClick(list);
        // The window goes on showing what the node sends.
        auto* terminal = m_form->findChild<TerminalView*>();
        auto* pages = m_form->findChild<QTabWidget*>(u"PageControl1"_s);
        pages->setCurrentIndex(0);
        m_form->core().screen().PutString("still here\r\n");
        QTRY_VERIFY(terminal->paintedRows().join(u'\n').contains(u"still here"_s));
        QVERIFY(m_rigctld->start());
        QTRY_COMPARE_WITH_TIMEOUT(status(), u"Rig: 145000.000 kHz"_s, 15000);
        QCOMPARE(statuses.count(), 2); // told once however often it was tried
        showAllList();
        doubleClick(list);
        QTRY_COMPARE(m_rigctld->ask(u"f m"_s).split('\n').mid(0, 2),
                     QByteArrayList({"14025000", "FM"})); // the dummy rig's own mode
    }

private:
    void openWindow(bool setMode) {
        if (QStandardPaths::findExecutable(u"rigctld"_s).isEmpty())
            QSKIP("rigctld (libhamlib-utils) is not installed");
        m_rigctld = std::make_unique<Rigctld>();
        QVERIFY(m_rigctld->start());
        QDir().mkpath(m_home.filePath(u"kestrel"_s));
        QFile ini(m_home.filePath(u"kestrel/Kestrel.ini"_s));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[RIG]\nMODEL=2\nPORT=" + m_rigctld->address().toLatin1() +
                  "\nSET_MODE=" + QByteArray::number(int(setMode)) + "\n[WATCH]\nCALLS=xx9*\n");
        ini.close();
        m_form = std::make_unique<TForm1>(std::make_unique<RecordedSounds>());
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        // A first open that a busy machine lets time out is tried again after 10 s.
        QTRY_COMPARE_WITH_TIMEOUT(status(), u"Rig: 145000.000 kHz"_s, 15000);
    }

    QString status() const { return m_form->findChild<QLabel*>(u"RigStatus"_s)->text(); }

    void showAllList() {
        m_form->findChild<QTabWidget*>(u"PageControl1"_s)
            ->setCurrentWidget(m_form->findChild<ScopeSheet*>());
    }

    QListView* allList() const { return m_form->findChild<QListView*>(u"lstScope"_s); }

    void listSpot(const QByteArray& call) {
        const QDateTime time(QDate(2026, 12, 6), QTime(9, 44), Qt::UTC);
        m_form->core().screen().PutString(
            TestNode::formatSpot("M0TST", 14025.0, call, "CW 22 wpm", time) + "\r\n");
        showAllList();
        QTRY_COMPARE(allList()->model()->rowCount(), 1);
    }

    // As a mouse does it: a click, then the double click.
    static void doubleClick(QListView* list) {
        const QPoint row = list->visualRect(list->model()->index(0, 0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
    }

    QTemporaryDir m_home;
    std::unique_ptr<Rigctld> m_rigctld;
    std::unique_ptr<TForm1> m_form;
};

QTEST_MAIN(RigWindowTest)
#include "tst_rigwindow.moc"
