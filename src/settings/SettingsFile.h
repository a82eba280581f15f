#pragma once

// Kestrel.ini: every persistent setting, one group of keys at a time, in the Windows
// INI dialect (see IniFile).
//
// Loads never fail: a missing, unreadable or garbled file, section or key gives the
// default, and integers are brought into the range their control allows. Saves rewrite
// only their own keys: under a lock file they read the file as it is now, change their
// keys and replace the file atomically, so copies of the program saving at once never
// lose or mangle each other's keys. A failed save returns false and leaves the message
// for the operator (naming the file) in lastError(); the file stays as it was.
//
// Not thread-safe; one object per thread that needs one (they may share the path).

#include "settings/NodeEntry.h"

#include <QString>

#include <array>

struct FontSettings {
    int charset = 128; // Windows charset number; 128 Shift-JIS
    int color = 0;     // 0x00BBGGRR
    int height = -14;
    QString name = QStringLiteral("Terminal");
    int pitch = 0; // 0 default, 1 variable, 2 fixed
    int size = 14; // points; kept as a signed 8-bit value
    bool bold = false;
    bool italic = false;
    bool operator==(const FontSettings&) const = default;
};

struct WindowGeometry {
    int left = 0;
    int top = 0;
    int width = 640;
    int height = 480;
    bool sizeStored = false; // MERGE-FIXME
    bool operator==(const WindowGeometry&) const = default;
};

// Indexes into the lists the environment dialog offers.
struct Rs232cSettings {
    int baudRate = 3; // 1200, 2400, 4800, 9600, 19200, 38400, 115200
    int bitLen = 1;   // 7, 8
    int stopLen = 0;  // 1, 1.5, 2
    int parity = 0;   // NONE, ODD, EVEN
    int flow = 0;     // SOFT, CTS/RTS, CTS/DTR
    bool linkCrLf = true;
    bool operator==(const Rs232cSettings&) const = default;
};

struct SoundSettings {
    // By sound index: 0 connect, 1 disconnect, 2 to 4 trigger strings 1 to 3.
    std::array<QString, 5> files;
    std::array<QString, 3> strings;
    bool operator==(const SoundSettings&) const = default;
};

class SettingsFile {
public:
    static constexpr int DefaultBackground = 0xFFFFFF;
    static constexpr int DefaultHistoryLines = 5000;
    static constexpr int DefaultColBytes = 84;
    static constexpr int DefaultReconnectSec = 60;

    // The file Kestrel.ini in the per-user settings folder.
    static QString defaultPath();

    explicit SettingsFile(QString path = defaultPath());
    QString path() const { return m_path; }

    NodeTable LoadNodes() const;
    bool SaveNodes(const NodeTable& nodes);

    FontSettings LoadFont() const;
    bool SaveFont(const FontSettings& font);

    int LoadBackground() const; // COLOR BACK_GROUND, 0x00BBGGRR
    bool SaveBackground(int color);

    WindowGeometry LoadWindowGeometry() const;
    bool SaveWindowGeometry(const WindowGeometry& geometry);

    Rs232cSettings LoadRs232c() const;
    bool SaveRs232c(const Rs232cSettings& rs232c);

    bool LoadSaverOff() const;
    bool SaveSaverOff(bool saverOff);

    int LoadHistoryLines() const; // 100 to 5000
    bool SaveHistoryLines(int lines);

    SoundSettings LoadSounds() const;
    bool SaveSounds(const SoundSettings& sounds);

    int LoadColBytes() const; // 20 to 100
    bool SaveColBytes(int colBytes);

    int LoadScrollFileSelect() const; // 0 fixed, 1 per node, 2 none
    bool SaveScrollFileSelect(int select);

    int LoadLinkCheck() const; // minutes, 0 to 60
    bool SaveLinkCheck(int minutes);

    int LoadReconnectSec() const; // 10 to 180
    bool SaveReconnectSec(int seconds);

    QString LoadLogDir() const;
    bool SaveLogDir(const QString& dir);

    QString LoadUploadDir() const;
    bool SaveUploadDir(const QString& dir);

    // The message for the operator after a failed save.
    QString lastError() const { return m_lastError; }

private:
    QString m_path;
    QString m_lastError;
};
