// The main window on the offscreen platform, connecting through its dialog to the test
// node on 127.0.0.1.

#include "FileSizeLimit.h"
#include "ModalDriver.h"
#include "TestBytes.h"
#include "TestNode.h"
#include "app/TForm1.h"
#include "desktop/DesktopTexts.h"
#include "desktop/ExclusiveDialogGuard.h"
#include "net/NetTexts.h"
#include "screen/TerminalView.h"
#include "script/ScriptFiles.h"
#include "script/TfScript.h"
#include "send/SendPanel.h"
#include "settings/SettingsFile.h"
#include "settings/TfConnect.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

namespace {

const QDateTime fixedTime(QDate(2026, 12, 6), QTime(9, 44), Qt::UTC);

// Everything the window's terminal holds, oldest first.
QList<QByteArray> screenLines(const ScreenBuffer& screen) {
    QList<QByteArray> lines;
    screen.GetNewestLines(ScreenBuffer::LineCount, lines);
    std::reverse(lines.begin(), lines.end());
    return lines;
}

bool screenHas(const ScreenBuffer& screen, const QByteArray& line) {
    return screenLines(screen).contains(line);
}

// A banner ends whatever line it is put after, such as an unanswered "login: ".
bool screenShowsBanner(const ScreenBuffer& screen, QLatin1StringView banner) {
    const QByteArray text = QByteArray(banner.latin1()).trimmed();
    const QList<QByteArray> lines = screenLines(screen);
    return std::any_of(lines.begin(), lines.end(),
                       [&](const QByteArray& line) { return line.endsWith(text); });
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startsIdleWithSendTextInFront();
    void connectsThroughDialogAndShowsNodeClosing();
    void refusedConnectionGivesSocketError();
    void startFailuresShowConErrStr_data();
    void startFailuresShowConErrStr();
    void dialogsGuardedAcrossCopies_data();
    void dialogsGuardedAcrossCopies();
    void environDialogActsOnTheWindow();
    void answeringNoKeepsConnection();
    void successfulConnectionSavesNodeTable();
    void sendersSendWhatTheNodeExpects_data();
    void sendersSendWhatTheNodeExpects();
    void missingInputSendsNothing_data();
    void missingInputSendsNothing();
    void keyHistoryKeepsNewest21AtClose();
    void tenMegabytesWithoutLineEndKeepWindowResponsive();
    void wheelRecallsOnlyInFocusedSendBox();
    void sendBoxSendsOnlyWhatWasTyped();
    void pastedTextKeepsOneLine_data();
    void pastedTextKeepsOneLine();
    void failedSaveWhileNodeClosesLeavesWindowIdle();
    void firstWindowShowsWholeNodeLines();
    void windowOpensOnAScreen();

    void everyControlHasAnAccessibleName();
    void functionKeyWithoutModifierRunsScript();

private:
    void writeNode(int number, const NodeEntry& node);
    NodeEntry testNodeEntry() const;
    void connectWindow(int node = 1);
    void logIn();
    void typeAndEnter(QWidget* field, const QString& text);
    QWidget* field(const char* name);

    QTemporaryDir m_home;
    std::unique_ptr<TestNode> m_node;
    std::unique_ptr<TForm1> m_form;
    std::unique_ptr<ModalDriver> m_driver;
};

void MainWindowTest::initTestCase() {
    QVERIFY(m_home.isValid());
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", m_home.filePath(QStringLiteral("run")).toLocal8Bit());
    QDir().mkpath(m_home.filePath(QStringLiteral("run")));
    QFile::setPermissions(m_home.filePath(QStringLiteral("run")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void MainWindowTest::init() {
    QFile::remove(SettingsFile::defaultPath());
    QFile::remove(
        QFileInfo(SettingsFile::defaultPath()).dir().filePath(QStringLiteral("KestrelKey.txt")));
    m_node = std::make_unique<TestNode>();
    m_node->setClock([] { return fixedTime; });
    QVERIFY(m_node->listen());
    writeNode(1, testNodeEntry());
    m_driver = std::make_unique<ModalDriver>();
    m_form = std::make_unique<TForm1>();
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void MainWindowTest::cleanup() {
    QVERIFY2(m_driver->unexpected().isEmpty(), qPrintable(m_driver->unexpected().join(u',')));
    m_form.reset();
    m_driver.reset();
    m_node.reset();
}

NodeEntry MainWindowTest::testNodeEntry() const {
    NodeEntry node;
    node.address = QStringLiteral("127.0.0.1");
    node.port = QString::number(m_node->port());
    node.remarks = QStringLiteral("Test node");
    node.localEcho = false;
    return node;
}

void MainWindowTest::writeNode(int number, const NodeEntry& node) {
    SettingsFile settings;
    NodeTable table = settings.LoadNodes();
    table[size_t(number - 1)] = node;
    QVERIFY(settings.SaveNodes(table));
}

QWidget* MainWindowTest::field(const char* name) {
    return m_form->findChild<QWidget*>(QLatin1String(name));
}

// Presses Connect and picks the node's sheet in the dialog.
void MainWindowTest::connectWindow(int node) {
    m_driver->then([node](QWidget* dialog) {
        auto* connectDialog = qobject_cast<TfConnect*>(dialog);
        QVERIFY(connectDialog);
        connectDialog->selectNode(node - 1);
        connectDialog->findChild<QPushButton*>(QStringLiteral("bOk"))->click();
    });
    m_form->bConnectClick();
    QVERIFY(m_driver->allStepsTaken());
    QTRY_VERIFY(m_form->connection().isConnected());
    QTRY_COMPARE(m_form->screen().GetCurrentLine(), QByteArray("login: "));
    // Keyboard input reaches an active window only, as it did not after the dialog.
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

// Types through the window, as the keyboard does: the keys go wherever the focus is.
void MainWindowTest::typeAndEnter(QWidget* target, const QString& text) {
    target->setFocus();
    QWindow* window = m_form->windowHandle();
    for (QChar c : text)
        QTest::keyClick(window, c.toLatin1());
    QTest::keyClick(window, Qt::Key_Return);
}

void MainWindowTest::logIn() {
    typeAndEnter(field("cmboSendText"), QStringLiteral("M0TST"));
    QTRY_VERIFY(screenHas(m_form->screen(),
                          TestNode::formatPrompt("M0TST", m_node->nodeCall(), fixedTime)));
}

void MainWindowTest::startsIdleWithSendTextInFront() {
    QCOMPARE(m_form->windowTitle(), QStringLiteral("KESTREL <-> "));
    auto* sendPages = m_form->findChild<QTabWidget*>(QStringLiteral("PageControl2"));
    QCOMPARE(sendPages->currentWidget()->objectName(), QStringLiteral("SendTextSheet"));
    auto* pages = m_form->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("TTYSheet"));
    QStringList tabs;
    for (int i = 0; i < pages->count(); ++i)
        tabs << pages->tabText(i);
    QCOMPARE(tabs, QStringList({QStringLiteral("TTY"), QStringLiteral("Scope"),
                                QStringLiteral("History")}));
    for (const char* name : {"cmboSendText", "eDxReportFreq", "eDxReportCallSign",
                             "eDxReportRemarks", "eTalkAite", "eTalkHonbun"}) {
        QVERIFY2(!field(name)->isEnabled(), name);
        QCOMPARE(field(name)->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
    }
    QCOMPARE(m_form->findChild<QPushButton*>(QStringLiteral("bConnect"))->text(),
             QStringLiteral("Connect"));
    QCOMPARE(m_form->connectDialog().selectedNodeNumber(), 1);
}

void MainWindowTest::connectsThroughDialogAndShowsNodeClosing() {
    connectWindow();
    QCOMPARE(m_form->windowTitle(), QStringLiteral("KESTREL <-> Test node"));
    QCOMPARE(m_form->statusText(0), QStringLiteral("Connected to 127.0.0.1"));
    QCOMPARE(m_form->findChild<QPushButton*>(QStringLiteral("bConnect"))->text(),
             QStringLiteral("Discon"));
    QCOMPARE(field("bConnect")->accessibleName(), QStringLiteral("Discon"));
    for (const char* name : {"cmboSendText", "eDxReportFreq", "eTalkHonbun"}) {
        QVERIFY2(field(name)->isEnabled(), name);
        QCOMPARE(field(name)->palette().color(QPalette::Base), QColor(Qt::white));
    }
    QTRY_COMPARE(m_node->receivedFrom(0), bytes({255, 253, 1, 255, 252, 24}));

    m_node->dropClient(0);
    QTRY_VERIFY(screenShowsBanner(m_form->screen(), NetTexts::DisconnectedBanner));
    QVERIFY(!screenShowsBanner(m_form->screen(), NetTexts::SocketErrorBanner));
    QCOMPARE(m_form->windowTitle(), QStringLiteral("KESTREL <-> "));
    QCOMPARE(m_form->statusText(0), QStringLiteral("DisConnected from 127.0.0.1"));
    QVERIFY(!field("cmboSendText")->isEnabled());
    QCOMPARE(field("eTalkHonbun")->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
    QCOMPARE(m_form->findChild<QPushButton*>(QStringLiteral("bConnect"))->text(),
             QStringLiteral("Connect"));
    QCOMPARE(field("bConnect")->accessibleName(), QStringLiteral("Connect"));
}

void MainWindowTest::refusedConnectionGivesSocketError() {
    NodeEntry closed = testNodeEntry();
    {
        TestNode unused; // a port that was just free: nothing listens there any more
        QVERIFY(unused.listen());
        closed.port = QString::number(unused.port());
    }
    writeNode(2, closed);
    m_driver->then([](QWidget* dialog) {
        auto* connectDialog = qobject_cast<TfConnect*>(dialog);
        connectDialog->selectNode(1);
        connectDialog->findChild<QPushButton*>(QStringLiteral("bOk"))->click();
    });
    m_form->bConnectClick();
    QTRY_VERIFY(screenShowsBanner(m_form->screen(), NetTexts::SocketErrorBanner));
    QCOMPARE(m_form->statusText(0), QString());
    QCOMPARE(m_form->findChild<QPushButton*>(QStringLiteral("bConnect"))->text(),
             QStringLiteral("Connect"));
    QVERIFY(!m_form->connection().isConnected());
}

void MainWindowTest::startFailuresShowConErrStr_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty address")
        << QString() << QStringLiteral("23") << QStringLiteral("** Please input Address **");
    QTest::newRow("empty port") << QStringLiteral("127.0.0.1") << QString()
                                << QStringLiteral("** Please input port no. **");
    QTest::newRow("23a") << QStringLiteral("127.0.0.1") << QStringLiteral("23a")
                         << QStringLiteral("** Port no. is not numeric **");
}

void MainWindowTest::startFailuresShowConErrStr() {
    QFETCH(QString, address);
    QFETCH(QString, port);
    QFETCH(QString, message);
    m_driver->then([&](QWidget* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("eAddress1"))->setText(address);
        dialog->findChild<QLineEdit*>(QStringLiteral("ePortNo1"))->setText(port);
        dialog->findChild<QPushButton*>(QStringLiteral("bOk"))->click();
    });
    m_driver->thenAnswerMessage();
    m_form->bConnectClick();
    QVERIFY(m_driver->allStepsTaken());
    QCOMPARE(m_driver->messages(), QStringList({message}));
    QCOMPARE(m_form->findChild<QPushButton*>(QStringLiteral("bConnect"))->text(),
             QStringLiteral("Connect"));
    QVERIFY(!field("cmboSendText")->isEnabled());
}

void MainWindowTest::dialogsGuardedAcrossCopies_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("Connect") << QStringLiteral("bConnect")
                             << QString(DesktopTexts::ConnectDialogBusy);
    QTest::newRow("Environ") << QStringLiteral("bEnv") << QString(DesktopTexts::EnvironDialogBusy);
}

void MainWindowTest::dialogsGuardedAcrossCopies() {
    const ExclusiveDialogGuard otherCopy;
    QVERIFY(otherCopy.acquired());
    m_driver->thenAnswerMessage();
    QFETCH(QString, button);
    m_form->findChild<QPushButton*>(button)->click();
    QFETCH(QString, refusal);
    QCOMPARE(m_driver->messages(), QStringList{refusal});
}

// While connected the scroll-buffer file stays as it is; the line width acts at once.
void MainWindowTest::environDialogActsOnTheWindow() {
    connectWindow();
    bool fileChoiceEnabled = true;
    int lineWidth = 0;
    m_driver->then([&](QWidget* dialog) {
        fileChoiceEnabled = dialog->findChild<QWidget*>(QStringLiteral("rgSelBuff"))->isEnabled();
        QTest::keyClick(dialog->findChild<QSpinBox*>(QStringLiteral("udColBytes")), Qt::Key_Down);
        lineWidth = m_form->screen().lineWidth();
        dialog->findChild<QPushButton*>(QStringLiteral("bOk"))->click();
    });
    field("bEnv")->setFocus();
    QTest::keyClick(field("bEnv"), Qt::Key_Space);
    QVERIFY(m_driver->allStepsTaken());
    QVERIFY(!fileChoiceEnabled);
    QCOMPARE(lineWidth, 83);
    QCOMPARE(SettingsFile().LoadColBytes(), 83);
}

void MainWindowTest::answeringNoKeepsConnection() {
    connectWindow();
    m_driver->thenAnswerMessage(QMessageBox::No);
    m_form->bConnectClick();
    QCOMPARE(m_driver->messages(),
             QStringList({QStringLiteral("It is still connecting. Do you finish it? ")}));
    QVERIFY(m_form->connection().isConnected());

    m_driver->thenAnswerMessage(QMessageBox::Yes);
    m_form->bConnectClick();
    QTRY_VERIFY(screenShowsBanner(m_form->screen(), NetTexts::DisconnectedBanner));
}

void MainWindowTest::successfulConnectionSavesNodeTable() {
    // Edits made in the dialog persist once a connection succeeds, without Save.
    m_driver->then([](QWidget* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("eRemarks3"))
            ->setText(QStringLiteral("Kyoto, JA"));
        dialog->findChild<QPushButton*>(QStringLiteral("bOk"))->click();
    });
    m_form->bConnectClick();
    QTRY_VERIFY(m_form->connection().isConnected());
    QCOMPARE(SettingsFile().LoadNodes()[2].remarks, QStringLiteral("Kyoto, JA"));
}

void MainWindowTest::sendersSendWhatTheNodeExpects_data() {
    QTest::addColumn<bool>("sendCrLf");
    QTest::addColumn<QStringList>("fields");  // field names, typed into in order
    QTest::addColumn<QStringList>("typed");   // what is typed into each
    QTest::addColumn<QByteArray>("received"); // what the node gets after the login

    const QStringList sendBox{QStringLiteral("cmboSendText")};
    QTest::newRow("blanks trimmed")
        << true << sendBox << QStringList{QStringLiteral("   sh/dx   ")} << QByteArray("sh/dx\r\n");
    QTest::newRow("CR only") << false << sendBox << QStringList{QStringLiteral("sh/dx")}
                             << QByteArray("sh/dx\r");
    QTest::newRow("talk") << true
                          << QStringList{QStringLiteral("eTalkAite"), QStringLiteral("eTalkHonbun")}
                          << QStringList{QStringLiteral("XX1AA"), QStringLiteral("hello")}
                          << QByteArray("TALK XX1AA hello\r\n");
    QTest::newRow("DX report without remarks")
        << true
        << QStringList{QStringLiteral("eDxReportFreq"), QStringLiteral("eDxReportCallSign"),
                       QStringLiteral("eDxReportRemarks")}
        << QStringList{QStringLiteral("14025.5"), QStringLiteral("XX9ZZ"), QString()}
        << QByteArray("DX 14025.5 XX9ZZ \r\n");
    QTest::newRow("letters never reach the frequency")
        << true
        << QStringList{QStringLiteral("eDxReportFreq"), QStringLiteral("eDxReportCallSign"),
                       QStringLiteral("eDxReportRemarks")}
        << QStringList{QStringLiteral("1a4b0c25.0"), QStringLiteral("xx9zz"),
                       QStringLiteral(" cq ")}
        << QByteArray("DX 14025.0 xx9zz cq\r\n");
}

void MainWindowTest::sendersSendWhatTheNodeExpects() {
    QFETCH(bool, sendCrLf);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, typed);
    QFETCH(QByteArray, received);
    NodeEntry node = testNodeEntry();
    node.sendCrLf = sendCrLf;
    writeNode(1, node);
    connectWindow();
    logIn();
    const QByteArray before = m_node->receivedFrom(0);
    for (qsizetype i = 0; i < fields.size(); ++i)
        typeAndEnter(field(fields[i].toLatin1().constData()), typed[i]);
    QTRY_COMPARE(m_node->receivedFrom(0).sliced(before.size()), received);
    // Every composer empties what it sent; the talk partner stays for the next message.
    QCOMPARE(m_form->findChild<QComboBox*>(QStringLiteral("cmboSendText"))->currentText(),
             QString());
    QCOMPARE(m_form->findChild<QLineEdit*>(QStringLiteral("eTalkHonbun"))->text(), QString());
    QCOMPARE(m_form->findChild<QLineEdit*>(QStringLiteral("eDxReportFreq"))->text(), QString());
}

void MainWindowTest::missingInputSendsNothing_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("enterIn");
    QTest::addColumn<QString>("message");
    QTest::newRow("talk without callsign")
        << QStringLiteral("eTalkAite") << QStringLiteral("eTalkHonbun")
        << QStringLiteral("eTalkHonbun") << QStringLiteral("Please input Callsign");
    QTest::newRow("DX without freq")
        << QStringLiteral("eDxReportFreq") << QStringLiteral("eDxReportCallSign")
        << QStringLiteral("eDxReportRemarks") << QStringLiteral("Please input Freq");
}

void MainWindowTest::missingInputSendsNothing() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, enterIn);
    QFETCH(QString, message);
    connectWindow();
    QTRY_COMPARE(m_node->receivedFrom(0), bytes({255, 253, 1, 255, 252, 24}));
    const QByteArray before = m_node->receivedFrom(0);
    auto* secondField = m_form->findChild<QLineEdit*>(second);
    secondField->setText(QStringLiteral("kept"));
    m_form->findChild<QLineEdit*>(first)->clear();
    m_driver->thenAnswerMessage();
    auto* target = m_form->findChild<QLineEdit*>(enterIn);
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Return);
    QCOMPARE(m_driver->messages(), QStringList({message}));
    QCOMPARE(secondField->text(), QStringLiteral("kept"));
    QCOMPARE(m_node->receivedFrom(0), before);
}

void MainWindowTest::keyHistoryKeepsNewest21AtClose() {
    connectWindow();
    auto* combo = m_form->findChild<QComboBox*>(QStringLiteral("cmboSendText"));
    QCOMPARE(combo->count(), 0);
    for (int i = 1; i <= 30; ++i)
        typeAndEnter(combo, QStringLiteral("line %1").arg(i));
    QCOMPARE(combo->count(), 21);
    QCOMPARE(combo->itemText(0), QStringLiteral("line 30"));
    // Up recalls the line sent last; Up and Down then step through the recalled lines.
    combo->lineEdit()->setFocus();
    QTest::keyClick(combo->lineEdit(), Qt::Key_Up);
    QCOMPARE(combo->currentText(), QStringLiteral("line 30"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Down);
    QCOMPARE(combo->currentText(), QStringLiteral("line 29"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Up);
    QCOMPARE(combo->currentText(), QStringLiteral("line 30"));

    m_form->close();
    QFile file(
        QFileInfo(SettingsFile::defaultPath()).dir().filePath(QStringLiteral("KestrelKey.txt")));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.size(), 22); // 21 lines and the empty rest after the last line end
    QCOMPARE(lines.first(), QByteArray("line 30"));
    QCOMPARE(lines[20], QByteArray("line 10"));
}

void MainWindowTest::wheelRecallsOnlyInFocusedSendBox() {
    connectWindow();
    auto* combo = m_form->findChild<QComboBox*>(QStringLiteral("cmboSendText"));
    for (const char* line : {"first", "second"})
        typeAndEnter(combo, QString::fromLatin1(line));
    const auto turnWheel = [combo] {
        const QPointF centre = QRectF(combo->rect()).center();
        QWheelEvent wheel(centre, combo->mapToGlobal(centre), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(combo, &wheel);
    };
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    field("bConnect")->setFocus();
    QTRY_VERIFY(field("bConnect")->hasFocus());
    turnWheel();
    QCOMPARE(combo->currentIndex(), -1);
    combo->setFocus();
    QTRY_VERIFY(combo->hasFocus());
    turnWheel();

    QCOMPARE(combo->currentText(), QStringLiteral("second"));
}

void MainWindowTest::tenMegabytesWithoutLineEndKeepWindowResponsive() {
    connectWindow();
    QSignalSpy passes(&m_form->connection().receiver(), &NodeReceiver::received);
    ScreenCursor cursor = m_form->screen().cursorAtEnd();
    const qsizetype burst = 10 * 1024 * 1024;
    m_node->sendRaw(QByteArray(burst, 'x'));
    quint64 lines = 0;
    QTRY_VERIFY_WITH_TIMEOUT((
                                 lines +=
                                 [&] {
                                     const ScreenNews news = m_form->screen().ReadSince(cursor);
                                     return news.lines.size() + news.missed;
                                 }(),
                                 lines == quint64(burst / ScreenBuffer::DefaultLineWidth)),
                             60000);
    // The burst was taken in slices, each in a pass of its own, so the window kept
    // painting and answering between them.
    QVERIFY(passes.size() >= burst / NodeReceiver::SliceBytes);
    QVERIFY(m_form->connection().isConnected());
}

void MainWindowTest::everyControlHasAnAccessibleName() {

    for (const char* name :
         {"bConnect", "chkReconnect", "bEnd", "bHelp", "cmboSendText", "eDxReportFreq",
          "eDxReportCallSign", "eDxReportRemarks", "eTalkAite", "eTalkHonbun"})
        QVERIFY2(!field(name)->accessibleName().isEmpty(), name);
    QCOMPARE(field("eDxReportFreq")->toolTip(), QStringLiteral("Freq"));
    QCOMPARE(field("eTalkAite")->accessibleName(), QStringLiteral("Callsign"));
    TfConnect& dialog = m_form->connectDialog();
    QCOMPARE(dialog.findChild<QWidget*>(QStringLiteral("ePortNo12"))->accessibleName(),
             QStringLiteral("Port no."));
}

// Recall is through the list, Up, Down and the wheel only: nothing completes a line.
void MainWindowTest::sendBoxSendsOnlyWhatWasTyped() {
    connectWindow();
    logIn();
    for (const char* line : {"sh/dx 20", "bye"}) // recalled lines, not sent here
        m_form->sendPanel().sendBox()->insertItem(0, QString::fromLatin1(line));
    const QByteArray before = m_node->receivedFrom(0);
    typeAndEnter(field("cmboSendText"), QStringLiteral("sh/dx"));
    typeAndEnter(field("cmboSendText"), QStringLiteral("B"));
    QTRY_COMPARE(m_node->receivedFrom(0).sliced(before.size()), QByteArray("sh/dx\r\nB\r\n"));
}

void MainWindowTest::pastedTextKeepsOneLine_data() {
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("kept");
    QTest::newRow("send box") << QStringLiteral("cmboSendText") << QStringLiteral("sh/dx\nbye")
                              << QStringLiteral("sh/dx");
    QTest::newRow("talk") << QStringLiteral("eTalkHonbun") << QStringLiteral("hi\r\nthere")
                          << QStringLiteral("hi");
    QTest::newRow("frequency") << QStringLiteral("eDxReportFreq")
                               << QStringLiteral("14a025.5 kHz\n7") << QStringLiteral("14025.5");
}

void MainWindowTest::pastedTextKeepsOneLine() {
    QFETCH(QString, fieldName);
    QFETCH(QString, pasted);
    QFETCH(QString, kept);
    connectWindow();
    auto* pages = m_form->findChild<QTabWidget*>(QStringLiteral("PageControl2"));
    QWidget* target = field(fieldName.toLatin1().constData());
    pages->setCurrentWidget(target->parentWidget());
    target->setFocus();
    QTRY_VERIFY(target->hasFocus());
    QGuiApplication::clipboard()->setText(pasted);
    QTest::keyClick(m_form->windowHandle(), Qt::Key_V, Qt::ControlModifier);
    auto* edit = qobject_cast<QLineEdit*>(target);
    if (!edit)
        edit = qobject_cast<QComboBox*>(target)->lineEdit();
    QCOMPARE(edit->text(), kept);
}

// The node closes while the box for an unwritable settings file waits for the operator:
// once it is answered the window shows the state the socket is in.
void MainWindowTest::failedSaveWhileNodeClosesLeavesWindowIdle() {
    std::optional<FileSizeLimit> diskFull;
    m_driver->then([&diskFull](QWidget* dialog) {
        diskFull.emplace(16); // the node table no longer fits
        dialog->findChild<QPushButton*>(QStringLiteral("bOk"))->click();
    });
    m_driver->then([this, &diskFull](QWidget* box) {
        diskFull.reset();
        m_node->dropClient(0);
        QTRY_VERIFY(!m_form->connection().isConnected());
        qobject_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
    });
    m_form->bConnectClick();
    QTRY_VERIFY(m_driver->allStepsTaken());
    QTRY_COMPARE(m_form->statusText(0), QStringLiteral("DisConnected from 127.0.0.1"));
    QCOMPARE(m_form->findChild<QPushButton*>(QStringLiteral("bConnect"))->text(),
             QStringLiteral("Connect"));
    QCOMPARE(m_form->windowTitle(), QStringLiteral("KESTREL <-> "));
    QVERIFY(!field("cmboSendText")->isEnabled());
}

// Without a stored size the window opens wide enough for a whole line of the node.
void MainWindowTest::firstWindowShowsWholeNodeLines() {
    const auto* terminal = m_form->findChild<TerminalView*>(QStringLiteral("Image1"));
    const int columns = terminal->width() / terminal->fontMetrics().horizontalAdvance(u'M');
    const bool screenFull = m_form->frameGeometry().width() >=
                            QGuiApplication::primaryScreen()->availableGeometry().width();
    QVERIFY2(columns >= SettingsFile().LoadColBytes() || screenFull,
             qPrintable(QString::number(columns)));
}

void MainWindowTest::windowOpensOnAScreen() {
    m_form.reset();
    SettingsFile().SaveWindowGeometry({-5000, 90000, 600, 450});
    m_form = std::make_unique<TForm1>();
    m_form->show();
    QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(
        m_form->geometry().topLeft()));
    // As stored, unless the top bar's buttons need more.
    QCOMPARE(m_form->size(), QSize(600, 450).expandedTo(m_form->minimumSizeHint()));
}

// F1 runs script1.txt, which logs in through node 1 and asks for spots: the node gets
// exactly those lines. With Shift held nothing runs.
void MainWindowTest::functionKeyWithoutModifierRunsScript() {
    QVERIFY(QDir().mkpath(scriptFolder()));
    QFile script(ScriptPath(0));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("node 1\n  until login: \nsend XX1AA\nuntil >\nsend sh/dx\n");
    script.close();
    QTest::keyClick(m_form->windowHandle(), Qt::Key_F1, Qt::ShiftModifier);
    QVERIFY(!m_form->scriptWindow().isVisible());
    QTest::keyClick(m_form->windowHandle(), Qt::Key_F1);
    QTRY_VERIFY_WITH_TIMEOUT(!m_form->scriptWindow().isVisible(), 10000);
    QTRY_COMPARE(m_node->receivedFrom(0),
                 bytes({255, 253, 1, 255, 252, 24}) + "XX1AA\r\nsh/dx\r\n");
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
