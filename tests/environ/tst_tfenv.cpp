// The environment dialog driven as an operator would, with the settings file in a
// temporary folder and a host that notes what the dialog asks of the program.

#include "ModalDriver.h"
#include "desktop/WindowPlacement.h"
#include "environ/EnvironmentHost.h"
#include "environ/TfEnv.h"
#include "files/FileFolders.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace {

struct RecordingHost : EnvironmentHost {
    FontSettings font;
    QColor color = Qt::white;
    QStringList calls;

    FontSettings terminalFont() const override { return font; }
    void setTerminalFont(const FontSettings& chosen) override { font = chosen; }
    QColor background() const override { return color; }
    void setBackground(const QColor& chosen) override { color = chosen; }
    WindowGeometry windowGeometry() const override { return {12, 34, 700, 500, true}; }
    void setLineWidth(int colBytes) override { note("setLineWidth", colBytes); }
    void setHistoryLines(int lines) override { note("setHistoryLines", lines); }
    void setLinkCheckMinutes(int minutes) override { note("setLinkCheckMinutes", minutes); }
    void setSerialCrLf(bool on) override { note("setSerialCrLf", on ? 1 : 0); }
    void clearScreen() override { note("clearScreen"); }
    void editScript(int index) override { note("editScript", index); }
    void showScriptExample() override { note("showScriptExample"); }
    void playSound(int index) override { note("playSound", index); }

    void note(const char* call, int value = -1) {
        calls << QLatin1String(call) + (value < 0 ? QString() : u" %1"_s.arg(value));
    }
};

enum class CloseBy { Button, CloseBox, Escape };

} // namespace

class TfEnvTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        qputenv("XDG_DATA_HOME", m_folder.filePath(u"data"_s).toLocal8Bit());
        QVERIFY(QDir().mkpath(soundFolder()));
    }
    void init() {
        m_settings = SettingsFile(m_folder.filePath(u"Kestrel.ini"_s));
        QFile::remove(m_settings.path());
        m_environment = EnvironmentSettings();
        m_host = RecordingHost();
        m_dialog = std::make_unique<TfEnv>(m_settings, m_environment, m_host);
        m_sheetSaves = 0;
        m_dialog->addSheet(new QWidget, u"Extra"_s, [this] {
            ++m_sheetSaves; // fails with the dialog's own when the file cannot be written
            return m_settings.save(LogFolder{u"/tmp"_s});
        });
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }
    void cleanup() { m_dialog.reset(); }

    // Sheets of other parts are sheets of the dialog itself, beside its own eight. At the
    // dialog's opening size every caption is whole and every sheet can be reached: as tabs
    // while they fit the screen, else as a list of pages; Ctrl+Tab steps through them.
    void sheetsAreWholeAndReachable_data() {
        QTest::addColumn<int>("pixelSize"); // of the dialog's font; 0: the system's
        QTest::newRow("the system's font") << 0;
        QTest::newRow("a large font: the tabs cannot fit") << 48;
    }
    void sheetsAreWholeAndReachable() {
        QFETCH(int, pixelSize);
        TfEnv dialog(m_settings, m_environment, m_host);
        if (pixelSize > 0) {
            QFont large = dialog.font();
            large.setPixelSize(pixelSize);
            dialog.setFont(large);
        }
        for (const QString& caption : {u"Rig"_s, u"Watch"_s})
            dialog.addSheet(new QWidget, caption, [] { return true; });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* pages = dialog.findChild<QTabWidget*>(u"PageControl1"_s);
        QCOMPARE(pages->count(), 10);
        QCOMPARE(pages->tabText(8), u"Rig"_s);
        QCOMPARE(pages->tabText(9), u"Watch"_s);
        QCOMPARE(dialog.findChild<QTabWidget*>(u"PageControl2"_s)->count(), 2); // in "Sound"
        auto* list = dialog.findChild<QListWidget*>(u"PageList"_s);
        const QTabBar* tabs = pages->tabBar();
        QCOMPARE(list->isVisible(), !tabs->isVisible());
        QVERIFY(pixelSize == 0 || list->isVisible());
        if (tabs->isVisible()) {
            for (int i = 0; i < pages->count(); ++i)
                QVERIFY2(tabs->rect().contains(tabs->tabRect(i)), qPrintable(pages->tabText(i)));
        } else {
            QCOMPARE(list->count(), 10);
            for (int i = 0; i < list->count(); ++i)
                QVERIFY(list->visualItemRect(list->item(i)).width() <= list->viewport()->width() &&
                        list->fontMetrics().horizontalAdvance(list->item(i)->text()) <=
                            list->viewport()->width());
            list->setCurrentRow(8);
            QCOMPARE(pages->currentIndex(), 8);
        }
        QTest::keyClick(pages, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(pages->currentIndex(), tabs->isVisible() ? 1 : 9);
        QCOMPARE(list->currentRow(), pages->currentIndex());
    }

    void historyLinesAtClose_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("kept");
        QTest::newRow("50 -> 100") << u"50"_s << 100;
        QTest::newRow("9999 -> 5000") << u"9999"_s << 5000;
        QTest::newRow("empty -> 500") << QString() << 500;
        QTest::newRow("letters refused") << u"2x5y0z0"_s << 2500;
    }
    void historyLinesAtClose() {
        QFETCH(QString, typed);
        auto* field = control<QLineEdit>("eHistoryLines");
        QCOMPARE(field->text(), u"5000"_s);
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, typed);
        closeBy(CloseBy::Button);
        QFETCH(int, kept);
        QCOMPARE(m_settings.load<EnvironmentSettings>().historyLines, kept);
        QVERIFY(m_host.calls.contains(u"setHistoryLines %1"_s.arg(kept)));
    }

    // The values act at once; every way of closing writes the same file.
    void everyWayOfClosingSavesAll_data() {
        QTest::addColumn<CloseBy>("closing");
        QTest::newRow("Close") << CloseBy::Button;
        QTest::newRow("close box") << CloseBy::CloseBox;
        QTest::newRow("Esc") << CloseBy::Escape;
    }
    void everyWayOfClosingSavesAll() {
        QTest::keyClick(control<QSpinBox>("udColBytes"), Qt::Key_Up);
        QTest::keyClick(control<QSpinBox>("udBaudRate"), Qt::Key_Down);
        QTest::keyClick(control<QSpinBox>("udFlow"), Qt::Key_Up);
        QTest::keyClick(control<QComboBox>("cmboCharset"), Qt::Key_Down);
        control<QCheckBox>("chkSaverOff")->click();
        control<QCheckBox>("chkSendCrLf")->click();
        control<QWidget>("rgSelBuff")->findChildren<QRadioButton*>().at(2)->click();
        QTest::keyClick(control<QSpinBox>("udLinkCheck"), Qt::Key_Up);
        QTest::keyClick(control<QSpinBox>("udReconnSec"), Qt::Key_Down);
        QTest::keyClicks(control<QLineEdit>("eString2"), u"DX de"_s);

        QCOMPARE(control<QLineEdit>("eFlow")->text(), u"CTS/RTS"_s);
        QCOMPARE(m_environment.rs232c, (Rs232cSettings{2, 1, 0, 0, 1, false}));
        QCOMPARE(m_host.font.charset, 129);
        QCOMPARE(m_host.calls.filter(u"setLineWidth"_s), QStringList{u"setLineWidth 85"_s});
        QCOMPARE(m_host.calls.filter(u"setSerialCrLf"_s).last(), u"setSerialCrLf 0"_s);
        QCOMPARE(m_environment.sounds.strings[1], u"DX de"_s);
        QCOMPARE(m_environment.scrollFileSelect, 2);
        QCOMPARE(m_environment.reconnectSec, 50);
        QVERIFY(m_environment.saverOff);

        QFETCH(CloseBy, closing);
        closeBy(closing);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_sheetSaves, 1);
        QVERIFY(m_host.calls.contains(u"setLinkCheckMinutes 10"_s));
        QCOMPARE(m_settings.load<FontSettings>().charset, 129);
        QCOMPARE(m_environment.colBytes, 85);
        QCOMPARE(m_environment.linkCheckMinutes, 10);
        QCOMPARE(m_settings.load<EnvironmentSettings>(), m_environment);
    }

    void secondStringsRowSetsFile2() {
        QFile wav(QDir(soundFolder()).filePath(u"bell.WAV"_s));
        QVERIFY(wav.open(QIODevice::WriteOnly));
        wav.close();
        ModalDriver driver;
        driver.then([&](QWidget* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            QCOMPARE(files->directory().path(), soundFolder());
            files->selectFile(wav.fileName());
            static_cast<QDialog*>(files)->accept();
        });
        QTest::keyClicks(control<QLineEdit>("eString2"), u"JA1"_s);
        control<QPushButton>("bFiles2")->click();
        QVERIFY(driver.allStepsTaken() && driver.unexpected().isEmpty());
        QCOMPARE(control<QLineEdit>("eWavFile2")->text(), u"bell.WAV"_s);
        closeBy(CloseBy::Button);
        const SoundSettings sounds = m_settings.load<SoundSettings>();
        QCOMPARE(sounds.files[3], wav.fileName()); // FILE2
        QCOMPARE(sounds.strings[1], u"JA1"_s);
        QVERIFY(sounds.files[2].isEmpty() && sounds.files[4].isEmpty());
    }

    void buttonsActOnTheirIndex_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("call");
        QTest::newRow("F-1") << u"bFunc1"_s << u"editScript 0"_s;
        QTest::newRow("F-12") << u"bFunc12"_s << u"editScript 11"_s;
        QTest::newRow("Example") << u"bScriptHelo"_s << u"showScriptExample"_s;
        QTest::newRow("test connect") << u"bWavTestConnect"_s << u"playSound 0"_s;
        QTest::newRow("test disconnect") << u"bWavTestDisConnect"_s << u"playSound 1"_s;
        QTest::newRow("test string 3") << u"bWavTest3"_s << u"playSound 4"_s;
    }
    void buttonsActOnTheirIndex() {
        QFETCH(QString, button);
        m_dialog->findChild<QPushButton*>(button)->click();
        QFETCH(QString, call);
        QCOMPARE(m_host.calls, QStringList{call});
    }

    void savesWindowAtOnceAndClearsOnYes() {
        control<QPushButton>("bSaveWinPos")->click();
        QCOMPARE(storedGeometry(m_settings), (WindowGeometry{12, 34, 700, 500, true}));
        ModalDriver driver;
        driver.thenAnswerMessage(QMessageBox::No);
        driver.thenAnswerMessage(QMessageBox::Yes);
        control<QPushButton>("bClearBuffer")->click();
        QVERIFY(m_host.calls.isEmpty());
        control<QPushButton>("bClearBuffer")->click();
        QCOMPARE(driver.messages(), QStringList(2, u"Clear scroll buffer.  Sure ? "_s));
        QCOMPARE(m_host.calls, QStringList{u"clearScreen"_s});
    }

    // A later cancelled font dialog keeps the earlier choice, in use and saved.
    void fontAndBackgroundChosenInTheirDialogs() {
        ModalDriver driver;
        driver.then([](QWidget* dialog) {
            auto* fonts = qobject_cast<QFontDialog*>(dialog);
            fonts->setCurrentFont(QFont(u"DejaVu Sans Mono"_s, 17));
            fonts->accept();
        });
        driver.thenFinish(QDialog::Rejected);
        driver.then([](QWidget* dialog) {
            qobject_cast<QColorDialog*>(dialog)->setCurrentColor(QColor(0x12, 0x34, 0x56));
            static_cast<QDialog*>(dialog)->accept();
        });
        control<QPushButton>("bShow")->click();
        QCOMPARE(m_settings.load<FontSettings>().size, 17);
        control<QPushButton>("bShow")->click();
        control<QPushButton>("bBackGroundColor")->click();
        QVERIFY(driver.allStepsTaken() && driver.unexpected().isEmpty());
        QCOMPARE(m_host.font.name, u"DejaVu Sans Mono"_s);
        QCOMPARE(m_settings.load<FontSettings>(), m_host.font);
        QCOMPARE(control<QWidget>("Panel2")->palette().color(QPalette::Window),
                 QColor(0x12, 0x34, 0x56));
        closeBy(CloseBy::Button);
        QCOMPARE(m_settings.load<BackgroundSettings>().color, 0x563412);
        QCOMPARE(m_settings.load<FontSettings>().size, 17);
    }

    void soundsShowFileNameOnly() {
        m_dialog->hide();
        m_environment.sounds.files = {u"C:\\WINDOWS\\Media\\chimes.wav"_s, u"D:ding.wav"_s,
                                      u"/usr/share/sounds/bell.oga"_s};
        m_dialog->show();
        QCOMPARE(control<QLineEdit>("eWavConnect")->text(), u"chimes.wav"_s);
        QCOMPARE(control<QLineEdit>("eWavDisConnect")->text(), u"ding.wav"_s);
        QCOMPARE(control<QLineEdit>("eWavFile1")->text(), u"bell.oga"_s);
    }

    void everyControlIsNamed() {
        for (QWidget* control : m_dialog->findChildren<QWidget*>()) {
            const bool sheets =
                qobject_cast<QTabBar*>(control) || qobject_cast<QTabWidget*>(control);
            if (control->focusPolicy() != Qt::NoFocus && !sheets) // sheets go by their tabs
                QVERIFY2(!control->accessibleName().isEmpty(), control->metaObject()->className());
        }
    }

    void failedSaveIsToldOnce() {
        QVERIFY(QDir().mkpath(m_settings.path())); // a folder where the file should be
        ModalDriver driver;
        driver.thenAnswerMessage();
        closeBy(CloseBy::CloseBox);
        QTRY_VERIFY(driver.allStepsTaken());
        QCOMPARE(driver.messages(), QStringList{m_settings.lastError()});
        QVERIFY(driver.unexpected().isEmpty());
        QVERIFY(QDir().rmdir(m_settings.path()));
    }

private:
    template <typename Control>
    Control* control(const char* name) {
        return m_dialog->findChild<Control*>(QLatin1String(name));
    }
    QString soundFolder() const { return m_folder.filePath(u"data/sounds"_s); }

    void closeBy(CloseBy closing) {
        if (closing == CloseBy::Button) {
            control<QPushButton>("bOk")->click();
        } else if (closing == CloseBy::Escape) {
            QTest::keyClick(control<QLineEdit>("eHistoryLines"), Qt::Key_Escape);
        } else {
            QCloseEvent closeBox;
            QCoreApplication::sendEvent(m_dialog->windowHandle(), &closeBox);
        }
    }

    QTemporaryDir m_folder;
    SettingsFile m_settings;
    EnvironmentSettings m_environment;
    RecordingHost m_host;
    std::unique_ptr<TfEnv> m_dialog;
    int m_sheetSaves = 0;
};

QTEST_MAIN(TfEnvTest)
#include "tst_tfenv.moc"
