#pragma once

// The "Watch" sheet of the environment dialog: the watched calls, one pattern per line,
// under a hint of the forms they take; the alert's sound file with its "Files" button;
// and the "play a sound" box. Every edit goes at once into the settings it was given,
// and is announced by changed().

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
struct WatchSettings;

class WatchSheet : public QWidget {
    Q_OBJECT

public:
    explicit WatchSheet(WatchSettings& settings, QWidget* parent = nullptr);

    // Shows the settings again, after they were changed elsewhere; announces nothing.
    void showSettings();

    void bWatchFilesClick();

signals:
    void changed();

private:
    WatchSettings& m_settings;
    QPlainTextEdit* m_mWatchCalls = nullptr;
    QLineEdit* m_eWatchWav = nullptr;
    QCheckBox* m_chkWatchSound = nullptr;
};
