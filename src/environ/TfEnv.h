#pragma once

// The environment dialog "Environ": every setting but the node table, on the sheets
// Window1, Window2, Rs232c, Script, Sound, Scroll buffer, Link Check and Reconnect.
// It changes the settings the running program holds as the operator edits them, so
// they take effect at once; the terminal font and background are the main window's and
// go through the host. However it is closed (Close, the close box, Esc) it writes all it
// holds, and a failed write is told once. The sheets in front stay in front for the
// next showing.
//
// The sheets are tabs in a row, every caption whole, while the row fits the screen at the
// operator's font; otherwise they are chosen from a list of pages at the dialog's left
// (PageList). Ctrl+Tab steps through them either way.

#include "environ/EnvironmentRules.h"

#include <QDialog>

#include <array>
#include <functional>
#include <vector>

class EnvironmentHost;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;
class QTabWidget;

class TfEnv : public QDialog {
    Q_OBJECT

public:
    TfEnv(SettingsFile& settings, EnvironmentSettings& environment, EnvironmentHost& host,
          QWidget* parent = nullptr);

    // The scroll-buffer file may not change while connected.
    void setScrollFileChoiceEnabled(bool enabled);
    // A sheet of another part of the program, after the dialog's own. Its save runs as the
    // dialog closes, after the dialog's own, and a failure (false, with the settings
    // file's message) is told together with theirs.
    void addSheet(QWidget* sheet, const QString& caption, std::function<bool()> save);

    void bShowClick();
    void bBackGroundColorClick();
    void bSaveWinPosClick();
    void bClearBufferClick();
    void bConFilesClick(int tag); // the "Files" of sound index tag
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildWindow1();
    QWidget* buildFontGroup();
    QWidget* buildWindow2();
    QWidget* buildRs232c();
    QWidget* buildScript();
    QWidget* buildSound();
    QWidget* buildActionSheet();
    QWidget* buildStringsSheet();
    QWidget* buildScrollBuffer();
    QWidget* buildLinkCheck();
    QWidget* buildReconnect();
    QLayout* buildSoundRow(int tag, const char* filesName, const char* testName);
    void connectSpinBox(QSpinBox* upDown, int EnvironmentSettings::*value);

    void FormShow();
    void FormClose();
    void showSample();
    void cmboCharsetChange();
    void showCharset(int charset);
    void showRs232c();
    void addPage(QWidget* sheet, const QString& caption);
    void choosePageStyle();

    SettingsFile& m_settings;
    EnvironmentSettings& m_environment;
    EnvironmentHost& m_host;

    QTabWidget* m_pages = nullptr;
    QListWidget* m_pageList = nullptr; // the sheets when their tabs do not fit
    std::vector<std::function<bool()>> m_sheetSaves;

    QLabel* m_panel2 = nullptr;
    QComboBox* m_cmboCharset = nullptr;
    QSpinBox* m_udColBytes = nullptr;
    QLineEdit* m_eHistoryLines = nullptr;
    std::array<QSpinBox*, std::size(EnvironmentRules::Rs232cFields)> m_rs232cUpDowns = {};
    QButtonGroup* m_rgSelBuff = nullptr;
    QWidget* m_rgSelBuffBox = nullptr;
    std::array<QLineEdit*, 5> m_eWav = {};     // by sound index
    std::array<QLineEdit*, 3> m_eStrings = {}; // trigger strings 1 to 3
    QSpinBox* m_udLinkCheck = nullptr;
    QSpinBox* m_udReconnSec = nullptr;
    QCheckBox* m_chkSaverOff = nullptr;
    QCheckBox* m_chkSendCrLf = nullptr;
};
