// The main window on the offscreen platform, connecting through its dialog to the test
// node on 127.0.0.1.

#include "FileSizeLimit.h"
#include "ModalDriver.h"
#include "RecordedSounds.h"
#include "TestBytes.h"
#include "TestFiles.h"
#include "TestNode.h"
#include "app/EnvironControls.h"
#include "app/TForm1.h"
#include "desktop/DesktopTexts.h"
#include "desktop/ExclusiveDialogGuard.h"
#include "environ/TfEnv.h"
#include "net/NetTexts.h"
#include "net/TfConnect.h"
#include "net/reconnect/ReconnectControls.h"
#include "scope/SpotScope.h"
#include "screen/TerminalView.h"
#include "script/ScriptFiles.h"
#include "script/TfHelp.h"
#include "script/TfScript.h"
#include "send/SendPanel.h"
#include "settings/SettingsFile.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
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

using namespace Qt::StringLiterals;

namespace {

const QDateTime fixedTime(QDate(2026, 12, 6), QTime(9, 44), Qt::UTC);
// IAC DO ECHO, IAC WONT TERMINAL-TYPE: the answers to the test node's offers.
const QByteArray negotiationAnswer = bytes({255, 253, 1, 255, 252, 24});
const char* const SendFields[] = {"cmboSendText",     "eDxReportFreq", "eDxReportCallSign",
                                  "eDxReportRemarks", "eTalkAite",     "eTalkHonbun"};

QString keyHistoryPath() {
    return QFileInfo(SettingsFile::defaultPath()).dir().filePath(u"KestrelKey.txt"_s);
}

// A banner ends whatever line it is put after, such as an unanswered "login: ".
bool screenShowsBanner(const ScreenBuffer& screen, QLatin1StringView banner) {
    const QByteArray text = QByteArray(banner.latin1()).trimmed();
    QList<QByteArray> lines;
    screen.GetNewestLines(ScreenBuffer::LineCount, lines);
    return std::any_of(lines.begin(), lines.end(),
                       [&](const QByteArray& line) { return line.endsWith(text); });
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(m_home.isValid());
        qputenv("XDG_CONFIG_HOME", m_home.filePath(u"config"_s).toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", m_home.filePath(u"run"_s).toLocal8Bit());
        QDir().mkpath(m_home.filePath(u"run"_s));
        QFile::setPermissions(m_home.filePath(u"run"_s),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void init() {
        QFile::remove(SettingsFile::defaultPath());
        QFile::remove(keyHistoryPath());
        m_node = std::make_unique<TestNode>();
        m_node->setClock([] { return fixedTime; });
        QVERIFY(m_node->listen());
        writeNode(1, testNodeEntry());
        m_driver = std::make_unique<ModalDriver>();
        m_form = std::make_unique<TForm1>(std::make_unique<RecordedSounds>());
        m_form->show();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }

    void cleanup() {
        QVERIFY2(m_driver->unexpected().isEmpty(), qPrintable(m_driver->unexpected().join(u',')));
        m_form.reset();
        m_driver.reset();
        m_node.reset();
    }

    void startsIdleWithSendTextInFrontAndEveryControlNamed() {
        verifyConnected(false);
        QCOMPARE(sendPanel().currentWidget()->objectName(), u"SendTextSheet"_s);
        auto* pages = field<QTabWidget>("PageControl1");
        QCOMPARE(pages->currentWidget()->objectName(), u"TTYSheet"_s);
        QStringList tabs;
        for (int i = 0; i < pages->count(); ++i)
            tabs << pages->tabText(i);
        QCOMPARE(tabs, QStringList({u"TTY"_s, u"Scope"_s, u"Band map"_s, u"History"_s}));
        QCOMPARE(connectDialog().selectedNodeNumber(), 1);
        for (const char* name : SendFields)
            QVERIFY2(!field(name)->accessibleName().isEmpty(), name);
        for (const char* name : {"bConnect", "chkReconnect", "bEnd", "bHelp"})
            QVERIFY2(!field(name)->accessibleName().isEmpty(), name);
        QCOMPARE(field("eDxReportFreq")->toolTip(), u"Freq"_s);
        QCOMPARE(field("eTalkAite")->accessibleName(), u"Callsign"_s);
        QCOMPARE(connectDialog().findChild<QWidget*>(u"ePortNo12"_s)->accessibleName(),
                 u"Port no."_s);
    }

    // Edits made in the dialog persist once a connection succeeds, without Save. Discon asks
    // first: No keeps the connection, Yes closes it.
    void connectsThroughDialogAndClosesOnlyOnYes() {
        connectWindow([](TfConnect* dialog) {
            dialog->findChild<QLineEdit*>(u"eRemarks3"_s)->setText(u"Kyoto, JA"_s);
        });
        verifyConnected(true);
        QCOMPARE(m_form->statusText(0), u"Connected to 127.0.0.1"_s);
        QCOMPARE(SettingsFile().load<NodeTable>()[2].remarks, u"Kyoto, JA"_s);
        QTRY_COMPARE(m_node->receivedFrom(0), negotiationAnswer);
        m_driver->thenAnswerMessage(QMessageBox::No);
        m_driver->thenAnswerMessage(QMessageBox::Yes);
        m_form->bConnectClick();
        QVERIFY(m_form->core().connection().isConnected());
        m_form->bConnectClick();
        QCOMPARE(m_driver->messages(),
                 QStringList(2, u"It is still connecting. Do you finish it? "_s));
        QTRY_VERIFY(screenShowsBanner(m_form->core().screen(), NetTexts::DisconnectedBanner));
        QVERIFY(!screenShowsBanner(m_form->core().screen(), NetTexts::SocketErrorBanner));
        verifyConnected(false);
        QCOMPARE(m_form->statusText(0), u"DisConnected from 127.0.0.1"_s);
    }

    void failedStartLeavesWindowIdle_data() {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("message"); // none: the node refuses, the screen says so
        TestNode unused;                      // a port that was just free: nothing listens there
        QVERIFY(unused.listen());
        QTest::newRow("refused") << QString::number(unused.port()) << QString();
        QTest::newRow("23a") << u"23a"_s << u"** Port no. is not numeric **"_s;
    }
    void failedStartLeavesWindowIdle() {
        QFETCH(QString, port);
        QFETCH(QString, message);
        m_driver->then([&port](QWidget* dialog) {
            dialog->findChild<QLineEdit*>(u"ePortNo1"_s)->setText(port);
            dialog->findChild<QPushButton*>(u"bOk"_s)->click();
        });
        if (!message.isEmpty())
            m_driver->thenAnswerMessage();
        m_form->bConnectClick();
        QVERIFY(m_driver->allStepsTaken());
        QCOMPARE(m_driver->messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QTRY_COMPARE(screenShowsBanner(m_form->core().screen(), NetTexts::SocketErrorBanner),
                     message.isEmpty());
        QVERIFY(!m_form->core().connection().isConnected());
        QCOMPARE(m_form->statusText(0), QString());
        verifyConnected(false);
    }

    // While another copy of the program has one of these dialogs open, its button only says so.
    void dialogsGuardedAcrossCopies_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("Connect") << u"bConnect"_s << QString(DesktopTexts::ConnectDialogBusy);
        QTest::newRow("Environ") << u"bEnv"_s << QString(DesktopTexts::EnvironDialogBusy);
    }
    void dialogsGuardedAcrossCopies() {
        const ExclusiveDialogGuard otherCopy;
        QVERIFY(otherCopy.acquired());
        m_driver->thenAnswerMessage();
        QFETCH(QString, button);
        m_form->findChild<QPushButton*>(button)->click();
        QFETCH(QString, refusal);
        QCOMPARE(m_driver->messages(), QStringList{refusal});
    }

    // While connected the scroll-buffer file stays as it is; the line width acts at once.
    void environDialogActsOnTheWindow() {
        connectWindow();
        bool fileChoiceEnabled = true;
        int lineWidth = 0;
        m_driver->then([&](QWidget* dialog) {
            fileChoiceEnabled = dialog->findChild<QWidget*>(u"rgSelBuff"_s)->isEnabled();
            QTest::keyClick(dialog->findChild<QSpinBox*>(u"udColBytes"_s), Qt::Key_Down);
            lineWidth = m_form->core().screen().lineWidth();
            dialog->findChild<QPushButton*>(u"bOk"_s)->click();
        });
        field("bEnv")->setFocus();
        QTest::keyClick(field("bEnv"), Qt::Key_Space);
        QVERIFY(m_driver->allStepsTaken());
        QVERIFY(!fileChoiceEnabled);
        QCOMPARE(lineWidth, 83);
        QCOMPARE(SettingsFile().load<EnvironmentSettings>().colBytes, 83);
    }

    void composersSendWhatTheNodeExpects_data() {
        QTest::addColumn<bool>("sendCrLf");
        QTest::addColumn<QStringList>("fields");  // field names, typed into in order
        QTest::addColumn<QStringList>("typed");   // what is typed into each
        QTest::addColumn<QByteArray>("received"); // what the node gets after the negotiation
        QTest::addColumn<QString>("message");     // the refusal shown instead
        const auto row = [](const char* name, bool crLf, const QStringList& fields,
                            const QStringList& typed, const QByteArray& received,
                            const QString& message = {}) {
            QTest::newRow(name) << crLf << fields << typed << received << message;
        };
        const QStringList talk{u"eTalkAite"_s, u"eTalkHonbun"_s};
        const QStringList dx{u"eDxReportFreq"_s, u"eDxReportCallSign"_s, u"eDxReportRemarks"_s};
        row("blanks trimmed, CR only", false, {u"cmboSendText"_s}, {u"   sh/dx   "_s}, "sh/dx\r");
        row("talk", true, talk, {u"XX1AA"_s, u"hello"_s}, "TALK XX1AA hello\r\n");
        row("talk without callsign", true, talk, {QString(), u"kept"_s}, {},
            u"Please input Callsign"_s);
        row("letters never reach the frequency", true, dx, {u"1a4b0c25.0"_s, u"xx9zz"_s, u" cq "_s},
            "DX 14025.0 xx9zz cq\r\n");
        row("DX without freq", true, dx, {QString(), u"XX9ZZ"_s, u"kept"_s}, {},
            u"Please input Freq"_s);
    }
    // A composer empties the field it sent from, and keeps it when it refuses.
    void composersSendWhatTheNodeExpects() {
        QFETCH(bool, sendCrLf);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, typed);
        QFETCH(QByteArray, received);
        QFETCH(QString, message);
        NodeEntry node = testNodeEntry();
        node.sendCrLf = sendCrLf;
        writeNode(1, node);
        connectWindow();
        if (!message.isEmpty())
            m_driver->thenAnswerMessage();
        for (qsizetype i = 0; i < fields.size(); ++i)
            typeAndEnter(field(fields[i]), typed[i]);
        QCOMPARE(m_driver->messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QTRY_COMPARE(m_node->receivedFrom(0), negotiationAnswer + received);
        QCOMPARE(edit(fields.last())->text(), message.isEmpty() ? QString() : typed.last());
    }

    // The newest 21 lines stay, for the next session too. Up, Down and the wheel of the
    // focused box bring them back; nothing completes a line being typed.
    void sendBoxRecallsNewest21Lines() {
        connectWindow();
        auto* combo = field<QComboBox>("cmboSendText");
        for (int i = 1; i <= 30; ++i)
            typeAndEnter(combo, u"line %1"_s.arg(i));
        typeAndEnter(combo, u"LINE 2"_s); // a completer would make it "line 29"
        QTRY_VERIFY(m_node->receivedFrom(0).endsWith("line 30\r\nLINE 2\r\n"));
        QCOMPARE(combo->count(), 21);
        // Up recalls the line sent last; Up and Down then step through the recalled lines.
        QTest::keyClick(combo->lineEdit(), Qt::Key_Up);
        QCOMPARE(combo->currentText(), u"LINE 2"_s);
        QTest::keyClick(combo->lineEdit(), Qt::Key_Down);
        QCOMPARE(combo->currentText(), u"line 30"_s);
        QTest::keyClick(combo->lineEdit(), Qt::Key_Up);
        const auto turnWheelDown = [combo] {
            const QPointF centre = QRectF(combo->rect()).center();
            QWheelEvent wheel(centre, combo->mapToGlobal(centre), QPoint(), QPoint(0, -120),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(combo, &wheel);
        };
        field("bConnect")->setFocus();
        QTRY_VERIFY(field("bConnect")->hasFocus());
        turnWheelDown();
        QCOMPARE(combo->currentText(), u"LINE 2"_s);
        focus(combo);
        turnWheelDown();
        QCOMPARE(combo->currentText(), u"line 30"_s);

        m_form->close();
        const QList<QByteArray> saved = readFile(keyHistoryPath()).split('\n');
        QCOMPARE(saved.size(), 22); // 21 lines and the empty rest after the last line end
        QCOMPARE(saved.first(), QByteArray("LINE 2"));
        QCOMPARE(saved[20], QByteArray("line 11"));
    }

    void pastedTextKeepsOneLine_data() {
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("kept");
        QTest::newRow("send box") << u"cmboSendText"_s << u"sh/dx\nbye"_s << u"sh/dx"_s;
        QTest::newRow("talk") << u"eTalkHonbun"_s << u"hi\r\nthere"_s << u"hi"_s;
        QTest::newRow("frequency") << u"eDxReportFreq"_s << u"14a025.5 kHz\n7"_s << u"14025.5"_s;
    }
    void pastedTextKeepsOneLine() {
        QFETCH(QString, fieldName);
        QFETCH(QString, pasted);
        connectWindow();
        focus(field(fieldName));
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keyClick(m_form->windowHandle(), Qt::Key_V, Qt::ControlModifier);
        QTEST(edit(fieldName)->text(), "kept");
    }

    void tenMegabytesWithoutLineEndKeepWindowResponsive() {
        connectWindow();
        QSignalSpy passes(&m_form->core().connection().receiver(), &NodeReceiver::received);
        ScreenCursor cursor = m_form->core().screen().cursorAtEnd();
        const qsizetype burst = 10 * 1024 * 1024;
        m_node->sendRaw(QByteArray(burst, 'x'));
        quint64 lines = 0;
        const auto countLines = [&] {
            const ScreenNews news = m_form->core().screen().ReadSince(cursor);
            return lines += news.lines.size() + news.missed;
        };
        QTRY_VERIFY_WITH_TIMEOUT(countLines() == quint64(burst / ScreenBuffer::DefaultLineWidth),
                                 60000);
        // The burst was taken in slices, each in a pass of its own, so the window kept
        // painting and answering between them.
        QVERIFY(passes.size() >= burst / NodeReceiver::SliceBytes);
        QVERIFY(m_form->core().connection().isConnected());
    }

    // The node closes while the box for an unwritable settings file waits for the operator:
    // once it is answered the window shows the state the socket is in.
    void failedSaveWhileNodeClosesLeavesWindowIdle() {
        std::optional<FileSizeLimit> diskFull;
        m_driver->then([&diskFull](QWidget* dialog) {
            diskFull.emplace(16); // the node table no longer fits
            dialog->findChild<QPushButton*>(u"bOk"_s)->click();
        });
        QString shown;
        m_driver->then([this, &diskFull, &shown](QWidget* box) {
            diskFull.reset();
            m_node->dropClient(0);
            QTRY_VERIFY(!m_form->core().connection().isConnected());
            shown = qobject_cast<QMessageBox*>(box)->text();
            qobject_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
        });
        m_form->bConnectClick();
        QTRY_VERIFY(m_driver->allStepsTaken());
        QVERIFY2(shown.startsWith(u"Unable to write "_s), qPrintable(shown));
        QTRY_COMPARE(m_form->statusText(0), u"DisConnected from 127.0.0.1"_s);
        verifyConnected(false);
    }

    // Without a stored size the window opens wide enough for a whole line of the node;
    // a stored place off every screen is moved onto one.
    void windowOpensOnAScreenShowingWholeNodeLines() {
        const auto* terminal = field<TerminalView>("Image1");
        const int columns = terminal->width() / terminal->fontMetrics().horizontalAdvance(u'M');
        const bool screenFull = m_form->frameGeometry().width() >=
                                QGuiApplication::primaryScreen()->availableGeometry().width();
        QVERIFY2(columns >= SettingsFile().load<EnvironmentSettings>().colBytes || screenFull,
                 qPrintable(QString::number(columns)));

        m_form.reset();
        SettingsFile().save(WindowGeometry{-5000, 90000, 600, 450});
        m_form = std::make_unique<TForm1>(std::make_unique<RecordedSounds>());
        m_form->show();
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(
            m_form->geometry().topLeft()));
        // As stored, unless the top bar's buttons need more.
        QCOMPARE(m_form->size(), QSize(600, 450).expandedTo(m_form->minimumSizeHint()));
    }

    // F1 runs script1.txt, which logs in through node 1 and asks for spots (with Shift held
    // nothing runs); then F5's asks for more. Reconnect is ticked: the node goes down and
    // comes back, and after the countdown F1's script logs in again, not F5's.
    void reconnectRerunsTheScriptThatConnected() {
        writeScript(0, "node 1\n  until login: \nsend XX1AA\nuntil >\nsend sh/dx\n");
        writeScript(4, "send sh/dx 20\n");
        tickReconnect();
        pressKey(Qt::Key_F1, Qt::ShiftModifier);
        QVERIFY(!scriptWindow().isVisible());
        pressKey(Qt::Key_F1);
        const QByteArray loggedIn = negotiationAnswer + "XX1AA\r\nsh/dx\r\n";
        QTRY_COMPARE_WITH_TIMEOUT(m_node->receivedFrom(0), loggedIn, 10000);
        QTRY_VERIFY(!scriptWindow().isVisible());
        pressKey(Qt::Key_F5);
        QTRY_COMPARE(m_node->receivedFrom(0), loggedIn + "sh/dx 20\r\n");
        QTRY_VERIFY(!scriptWindow().isRunActive());
        const quint16 port = m_node->port();
        m_node.reset();
        QTRY_VERIFY(!m_form->core().connection().isConnected());
        m_node = std::make_unique<TestNode>();
        QVERIFY(m_node->listen(port));
        QTRY_COMPARE_WITH_TIMEOUT(m_node->receivedFrom(0), loggedIn, 20000);
        QTRY_VERIFY(!scriptWindow().isVisible());
    }

    // A node that turns the call away after the login while the script still waits for its
    // prompt ends the script with the session, also when the operator has hidden the
    // script window; with "Reconnect" ticked the call is made again and again.
    void nodeClosingDuringLoginEndsScript_data() {
        QTest::addColumn<bool>("windowHidden");
        QTest::addColumn<bool>("reconnect");
        QTest::newRow("script window shown") << false << false;
        QTest::newRow("script window hidden") << true << false;
        QTest::newRow("reconnect ticked") << false << true;
        QTest::newRow("reconnect ticked, script window hidden") << true << true;
    }
    void nodeClosingDuringLoginEndsScript() {
        int logins = 0;
        TestNode* node = m_node.get();
        connect(node, &TestNode::clientLoggedIn, node, [node, &logins](int client) {
            ++logins;
            node->sendLine("Sorry XX1AA is an invalid callsign", client);
            node->dropClient(client);
        });
        // The node turns the call away before the answer the script waits for.
        writeScript(0, "node 1\nuntil login: \nsend XX1AA\nuntil Welcome back\nsend sh/dx\n");
        QFETCH(bool, reconnect);
        if (reconnect)
            tickReconnect();
        pressKey(Qt::Key_F1);
        QFETCH(bool, windowHidden);
        if (windowHidden) {
            QTRY_VERIFY(scriptWindow().isVisible());
            scriptWindow().close();
        }
        if (reconnect) {
            QTRY_VERIFY_WITH_TIMEOUT(logins >= 3, 20000);
            field<QCheckBox>("chkReconnect")->click();
        } else {
            QTRY_COMPARE(logins, 1);
            QTRY_VERIFY(!scriptWindow().isRunActive());
            QVERIFY(!scriptWindow().isVisible());
        }
    }

    // "sh/dx" lists newest first: of two spots of one station within 1 kHz, the table keeps
    // the newer, listed first, with its own time, spotter and line.
    void listingKeepsTheNewerSpot() {
        m_node->clearSpots();
        const QDateTime older(QDate(2026, 12, 6), QTime(10, 42), Qt::UTC);
        m_node->addSpot({"K1OLD", 14025.4, "XX3RIG", "older", older});
        m_node->addSpot({"K2NEW", 14025.0, "XX3RIG", "newer", older.addSecs(4 * 60)});
        connectWindow();
        typeAndEnter(field("cmboSendText"), u"XX1AA"_s);
        typeAndEnter(field("cmboSendText"), u"sh/dx 5"_s);
        const SpotScope& all = m_form->core().scopes().all();
        QTRY_VERIFY(m_node->receivedFrom(0).endsWith("sh/dx 5\r\n") && all.count() == 1);
        QTRY_COMPARE(all.entry(0).spotterView().toByteArray(), QByteArray("K2NEW"));
        QCOMPARE(all.entry(0).spotTime, older.addSecs(4 * 60).toSecsSinceEpoch());
        QVERIFY(all.entry(0).lineView().contains("1046Z newer"));
        QCOMPARE(all.count(), 1);
    }

    // "Example" on the Script sheet opens the script help, which the operator can use (Esc
    // closes it) while the environment dialog stays open.
    void scriptExampleIsUsableOverEnvironmentDialog() {
        m_driver->then([](QWidget* dialog) {
            auto* env = qobject_cast<TfEnv*>(dialog);
            QVERIFY(env);
            env->findChild<QPushButton*>(u"bScriptHelo"_s)->click();
            QWidget* help = nullptr;
            for (QWidget* window : QApplication::topLevelWidgets())
                help = qobject_cast<TfScriptHelp*>(window) ? window : help;
            QVERIFY(help && help->isVisible());
            help->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(help));
            QTest::keyClick(help->windowHandle(), Qt::Key_Escape);
            QTRY_VERIFY(!help->isVisible());
            env->done(QDialog::Accepted);
        });
        m_form->findChild<QPushButton*>(u"bEnv"_s)->click();
        QVERIFY(m_driver->allStepsTaken());
    }

private:
    void writeScript(int index, const QByteArray& text) {
        QVERIFY(QDir().mkpath(scriptFolder()));
        QVERIFY(writeFile(ScriptPath(index), text));
    }

    // Ticks "Reconnect" as the operator does; the countdown's second is made short.
    void tickReconnect() {
        m_form->core().reconnect().setMillisecondsPerSecond(20);
        field<QCheckBox>("chkReconnect")->click();
        QVERIFY(field<QCheckBox>("chkReconnect")->isChecked());
    }

    // A key typed into the main window, made the active window first as the operator's
    // click on it does.
    void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        QTest::keyClick(m_form->windowHandle(), key, modifiers);
    }

    void writeNode(int number, const NodeEntry& node) {
        SettingsFile settings;
        NodeTable table = settings.load<NodeTable>();
        table[size_t(number - 1)] = node;
        QVERIFY(settings.save(table));
    }

    NodeEntry testNodeEntry() const {
        NodeEntry node;
        node.address = u"127.0.0.1"_s;
        node.port = QString::number(m_node->port());
        node.remarks = u"Test node"_s;
        node.localEcho = false;
        return node;
    }

    // Presses Connect and picks node 1 in the dialog, after what the operator edits there.
    void connectWindow(const std::function<void(TfConnect*)>& edit = {}) {
        m_driver->then([edit](QWidget* dialog) {
            auto* connectDialog = qobject_cast<TfConnect*>(dialog);
            QVERIFY(connectDialog);
            if (edit)
                edit(connectDialog);
            connectDialog->selectNode(0);
            connectDialog->findChild<QPushButton*>(u"bOk"_s)->click();
        });
        m_form->bConnectClick();
        QVERIFY(m_driver->allStepsTaken());
        QTRY_VERIFY(m_form->core().connection().isConnected());
        QTRY_COMPARE(m_form->core().screen().GetCurrentLine(), QByteArray("login: "));
        // Keyboard input reaches an active window only, as it did not after the dialog.
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }

    // The caption, the Connect button and the send fields, with a node and without one.
    void verifyConnected(bool connected) {
        QCOMPARE(m_form->windowTitle(), connected ? u"KESTREL <-> Test node"_s : u"KESTREL <-> "_s);
        const QString caption = connected ? u"Discon"_s : u"Connect"_s;
        QCOMPARE(field<QPushButton>("bConnect")->text(), caption);
        QCOMPARE(field("bConnect")->accessibleName(), caption);
        const QColor base = connected ? QColor(Qt::white) : QColor(0xC0, 0xC0, 0xC0);
        for (const char* name : SendFields) {
            QVERIFY2(field(name)->isEnabled() == connected, name);
            QCOMPARE(field(name)->palette().color(QPalette::Base), base);
        }
    }

    // Brings the field's sheet to the front and the focus to the field, as a click does.
    void focus(QWidget* target) {
        sendPanel().setCurrentWidget(target->parentWidget());
        target->setFocus();
        QTRY_VERIFY(target->hasFocus());
    }

    // Types through the window, as the keyboard does: the keys go wherever the focus is.
    void typeAndEnter(QWidget* target, const QString& text) {
        focus(target);
        QWindow* window = m_form->windowHandle();
        for (QChar c : text)
            QTest::keyClick(window, c.toLatin1());
        QTest::keyClick(window, Qt::Key_Return);
    }
    template <class Widget = QWidget>
    Widget* field(QAnyStringView name) {
        return m_form->findChild<Widget*>(name.toString());
    }

    TfScript& scriptWindow() { return *m_form->findChild<TfScript*>(); }
    SendPanel& sendPanel() { return *m_form->findChild<SendPanel*>(); }
    TfConnect& connectDialog() { return *m_form->findChild<TfConnect*>(); }

    // The line edit typed into: the field itself, or the send box's.
    QLineEdit* edit(QAnyStringView name) {
        auto* combo = field<QComboBox>(name);
        return combo ? combo->lineEdit() : field<QLineEdit>(name);
    }

    QTemporaryDir m_home;
    std::unique_ptr<TestNode> m_node;
    std::unique_ptr<TForm1> m_form;
    std::unique_ptr<ModalDriver> m_driver;
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
