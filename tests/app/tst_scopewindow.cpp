// The band scope in the real window on the offscreen platform: spots and listings from
// the test node over 127.0.0.1 into the "All" list and the band lists.

#include "ModalDriver.h"
#include "TestNode.h"
#include "app/TForm1.h"
#include "scope/ScopeSheet.h"
#include "scope/TfFilter.h"
#include "send/SendPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

const QDateTime spotTime(QDate(2026, 12, 6), QTime(9, 44), Qt::UTC);

bool tableHolds(const SpotScope& table, const QByteArray& call) {
    for (int i = 0; i < table.count(); ++i) {
        if (table.entry(i).dxCallView().trimmed() == call)
            return true;
    }
    return false;
}

} // namespace

class ScopeWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void spotsAndListingsReachAllAndBandLists();
    void filterHidesBandFromAllOnly();
    void lowBandBoxesWaitForNextRedraw();
    void lockedScopeLosesSpotsAndKeepsLists();
    void focusSelectsNewestShownSpot();
    void clearAsksFirst_data();
    void clearAsksFirst();
    void tabStepsWrapAround();

private:
    void showScope(const char* list);
    QListWidget* list(const char* name) const;
    QStringList items(const char* name);
    void sendSpot(double khz, const QByteArray& call);
    void spot(double khz, const QByteArray& call);

    QTemporaryDir m_home;
    std::unique_ptr<TestNode> m_node;
    std::unique_ptr<TForm1> m_form;
    std::unique_ptr<ModalDriver> m_driver;
    qint64 m_now = spotTime.toSecsSinceEpoch();
};

void ScopeWindowTest::initTestCase() {
    QVERIFY(m_home.isValid());
    qputenv("XDG_CONFIG_HOME", m_home.path().toLocal8Bit());
}

void ScopeWindowTest::init() {
    m_node = std::make_unique<TestNode>();
    m_node->setClock([] { return spotTime; });
    m_node->clearSpots();
    QVERIFY(m_node->listen());
    m_driver = std::make_unique<ModalDriver>();
    m_form = std::make_unique<TForm1>();
    m_form->scopes().context().now = [this] { return m_now; };
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));

    NodeEntry node;
    node.address = QStringLiteral("127.0.0.1");
    node.port = QString::number(m_node->port());
    node.localEcho = false;
    QCOMPARE(m_form->connection().StartConnection(node), int(NodeConnection::Started));
    QTRY_COMPARE(m_form->screen().GetCurrentLine(), QByteArray("login: "));
    m_form->SendScriptLine(QStringLiteral("M0TST"));
    QTRY_VERIFY(m_node->loginCall(0) == "M0TST");
}

void ScopeWindowTest::cleanup() {
    QVERIFY(m_driver->unexpected().isEmpty());
    m_form.reset();
    m_driver.reset();
    m_node.reset();
}

QListWidget* ScopeWindowTest::list(const char* name) const {
    return m_form->findChild<QListWidget*>(QLatin1String(name));
}

void ScopeWindowTest::showScope(const char* name) {
    auto* pages = m_form->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    pages->setCurrentWidget(&m_form->scopeSheet());
    auto* scopePages = m_form->findChild<QTabWidget*>(QStringLiteral("PageControl3"));
    scopePages->setCurrentWidget(list(name));
}

QStringList ScopeWindowTest::items(const char* name) {
    showScope(name);
    QListWidget* widget = list(name);
    QStringList texts;
    for (int i = 0; i < widget->count(); ++i)
        texts << widget->item(i)->text();
    return texts;
}

// Spots through the node: it broadcasts our "DX" command back as a "DX de" line.
void ScopeWindowTest::sendSpot(double khz, const QByteArray& call) {
    ScreenCursor cursor = m_form->screen().cursorAtEnd();
    m_form->SendScriptLine(
        QStringLiteral("DX %1 %2 test").arg(khz, 0, 'f', 1).arg(QLatin1String(call)));
    QList<QByteArray> lines;
    const QByteArray line = TestNode::formatSpot("M0TST", khz, call, "test", spotTime);
    QTRY_VERIFY((lines += m_form->screen().ReadSince(cursor).lines, lines.contains(line)));
}

void ScopeWindowTest::spot(double khz, const QByteArray& call) {
    sendSpot(khz, call);
    QVERIFY(tableHolds(m_form->scopes().all(), call));
}

void ScopeWindowTest::spotsAndListingsReachAllAndBandLists() {
    spot(14025.0, "XX9ZZ");
    spot(7010.0, "JA1ABC");
    m_now += 180; // three minutes later
    // The remark: comment and the node's time, padded to 38, then the spotter.
    const QString remark =
        QStringLiteral("test 0944Z") + QString(28, QLatin1Char(' ')) + QStringLiteral(" <M0TST>");
    const QString all20 = QStringLiteral("  14025.0 [ 3] XX9ZZ         ") + remark;
    QTRY_COMPARE(items("lstScope"),
                 QStringList({QStringLiteral("   7010.0 [ 3] JA1ABC        ") + remark, all20}));
    // The band list has one blank before the remark, not two.
    QString band20 = all20;
    band20.remove(27, 1);
    QTRY_COMPARE(items("lstScope20"), QStringList({band20}));
    QCOMPARE(items("lstScope40").size(), 1);
    QCOMPARE(items("lstScope160"), QStringList());

    // A listing from "sh/dx" enters the tables too, with its own remark layout.
    m_node->addSpot({"G4ABC", 21074.0, "VK2XYZ", "FT8", spotTime});
    m_form->SendScriptLine(QStringLiteral("sh/dx 1"));
    QTRY_VERIFY(tableHolds(m_form->scopes().band(Band::M15), "VK2XYZ"));
    QTRY_COMPARE(items("lstScope15").size(), 1);

    QVERIFY(items("lstScope15")
                .first()
                .startsWith(QStringLiteral("  21074.0 [ 0] VK2XYZ       6-Dec-2026 0944Z FT8")));
    QCOMPARE(items("lstScope").size(), 3);
}

void ScopeWindowTest::filterHidesBandFromAllOnly() {
    spot(14025.0, "XX9ZZ");
    spot(28074.0, "PY2ABC");
    TfFilter& filter = m_form->scopeSheet().filterWindow();
    filter.box(Band::M20)->click();
    QTRY_COMPARE(items("lstScope").size(), 1);
    QVERIFY(items("lstScope").first().contains(QStringLiteral("PY2ABC")));
    QCOMPARE(items("lstScope20").size(), 1);
    filter.bWarcClick();
    QTRY_COMPARE(items("lstScope").size(), 0);
    filter.bHighClick();
    QTRY_COMPARE(items("lstScope").size(), 2);
    filter.bAllClick();
    QTRY_COMPARE(items("lstScope").size(), 2);
}

void ScopeWindowTest::lowBandBoxesWaitForNextRedraw() {
    spot(1840.0, "OH1ABC");
    spot(7010.0, "JA1ABC");
    QTRY_COMPARE(items("lstScope").size(), 2);
    TfFilter& filter = m_form->scopeSheet().filterWindow();
    filter.box(Band::M160)->click(); // changes the filter only
    QCoreApplication::processEvents();
    QCOMPARE(items("lstScope").size(), 2);
    filter.box(Band::M40)->click(); // redraws at once, and now both boxes count
    QTRY_COMPARE(items("lstScope").size(), 0);
}

void ScopeWindowTest::lockedScopeLosesSpotsAndKeepsLists() {
    spot(14025.0, "XX9ZZ");
    QTRY_COMPARE(items("lstScope").size(), 1);
    auto* lock = m_form->findChild<QCheckBox*>(QStringLiteral("chkLock"));
    lock->click();
    QVERIFY(!m_form->findChild<QSpinBox*>(QStringLiteral("udLifeTime"))->isEnabled());
    QCOMPARE(
        m_form->findChild<QLineEdit*>(QStringLiteral("eLifeTime"))->palette().color(QPalette::Base),
        QColor(0xC0, 0xC0, 0xC0));
    sendSpot(14030.0, "YY8YY");
    QVERIFY(!tableHolds(m_form->scopes().all(), "YY8YY"));
    m_now += 600; // ages frozen while locked
    m_form->scopeSheet().RedrawAllScopes();
    QCoreApplication::processEvents();
    QVERIFY(items("lstScope").first().contains(QStringLiteral("[ 0]")));
    lock->click();
    QVERIFY(m_form->findChild<QSpinBox*>(QStringLiteral("udLifeTime"))->isEnabled());
    m_form->scopeSheet().RefreshAll();
    QTRY_VERIFY(items("lstScope").first().contains(QStringLiteral("[10]")));
    QCOMPARE(items("lstScope").size(), 1); // the spot that came while locked is lost
}

void ScopeWindowTest::focusSelectsNewestShownSpot() {
    m_form->findChild<QCheckBox*>(QStringLiteral("chkFocus"))->click();
    spot(14025.0, "XX9ZZ");
    spot(7010.0, "JA1ABC");
    QTRY_COMPARE(items("lstScope").size(), 2);
    QTRY_COMPARE(list("lstScope")->currentRow(), 0); // 7010.0 sorts first and is newest
    m_form->scopeSheet().filterWindow().box(Band::M40)->click();
    QTRY_COMPARE(items("lstScope").size(), 1);
    QCOMPARE(list("lstScope")->currentRow(), -1);
}

void ScopeWindowTest::clearAsksFirst_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void ScopeWindowTest::clearAsksFirst() {
    QFETCH(bool, yes);
    spot(14025.0, "XX9ZZ");
    QTRY_COMPARE(items("lstScope20").size(), 1);
    m_driver->thenAnswerMessage(yes ? QMessageBox::Yes : QMessageBox::No);
    m_form->findChild<QPushButton*>(QStringLiteral("bAllClear"))->click();
    QCOMPARE(m_driver->messages(), QStringList({QStringLiteral("Clear scope.  Sure? ")}));
    QTRY_COMPARE(items("lstScope20").size(), yes ? 0 : 1);
    QCOMPARE(items("lstScope").size(), yes ? 0 : 1);
}

void ScopeWindowTest::tabStepsWrapAround() {
    showScope("lstScope");
    auto* pages = m_form->findChild<QTabWidget*>(QStringLiteral("PageControl3"));
    QCOMPARE(pages->tabPosition(), QTabWidget::South);
    QStringList captions;
    for (int i = 0; i < pages->count(); ++i)
        captions << pages->tabText(i);
    QCOMPARE(
        captions,
        QStringList({QStringLiteral("All"), QStringLiteral("1.8/1.9"), QStringLiteral("3.5/3.8"),
                     QStringLiteral("7"), QStringLiteral("10"), QStringLiteral("14"),
                     QStringLiteral("18"), QStringLiteral("21"), QStringLiteral("24"),
                     QStringLiteral("28"), QStringLiteral("50"), QStringLiteral("144 above ")}));
    m_form->findChild<QToolButton*>(QStringLiteral("sbLower"))->click();
    QCOMPARE(pages->currentWidget(), list("lstScope2"));
    m_form->findChild<QToolButton*>(QStringLiteral("sbHigher"))->click();
    QCOMPARE(pages->currentWidget(), list("lstScope"));
}

QTEST_MAIN(ScopeWindowTest)
#include "tst_scopewindow.moc"
