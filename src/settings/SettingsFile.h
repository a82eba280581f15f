#pragma once

// Kestrel.ini: every persistent setting, one group of keys at a time, in the Windows
// INI dialect (see IniFile).
//
// Every key, its default and its range are listed in SettingsKeys. Loads never fail: a
// missing, unreadable or garbled file, section or key gives the default, and integers are
// brought into their range. Saves rewrite only their own keys: under a lock file they
// read the file as it is now, change their keys and replace the file atomically, so
// copies of the program saving at once never lose or mangle each other's keys. A file
// that is there but cannot be read (too large, not a plain file) is never replaced, as
// that would drop every key of it. A failed save returns false and leaves the message for
// the operator (naming the file) in lastError(); the file stays as it was.
//
// Not thread-safe; one object per thread that needs one (they may share the path).

#include "base/NodeEntry.h"
#include "base/SettingsKeys.h"

#include <QString>

#include <array>

struct FontSettings {
    int charset = SettingsKeys::FontCharset.defaultNumber; // Windows charset number
    int color = SettingsKeys::FontColor.defaultNumber;
    int height = SettingsKeys::FontHeight.defaultNumber;
    QString name = SettingsKeys::FontName.defaultText.toString();
    int pitch = SettingsKeys::FontPitch.defaultNumber;
    int size = SettingsKeys::FontSize.defaultNumber;
    bool bold = SettingsKeys::FontBold.defaultOn();
    bool italic = SettingsKeys::FontItalic.defaultOn();
    bool operator==(const FontSettings&) const = default;
};

struct WindowGeometry {
    int left = SettingsKeys::WindowLeft.defaultNumber;
    int top = SettingsKeys::WindowTop.defaultNumber;
    int width = SettingsKeys::WindowWidth.defaultNumber;
    int height = SettingsKeys::WindowHeight.defaultNumber;
    bool sizeStored = false; // the file holds both WIDTH and HEIGHT
    bool operator==(const WindowGeometry&) const = default;
};

// Indexes into the lists the environment dialog offers: baud rates 1200, 2400, 4800, 9600,
// 19200, 38400, 115200; data bits 7, 8; stop bits 1, 1.5, 2; parity NONE, ODD, EVEN; flow
// SOFT, CTS/RTS, CTS/DTR.
// What the baud-rate and data-bit positions stand for; the port and the dialog both read
// them here.
inline constexpr std::array<int, 7> Rs232cBaudRates{1200, 2400, 4800, 9600, 19200, 38400, 115200};
inline constexpr std::array<int, 2> Rs232cByteSizes{7, 8};

struct Rs232cSettings {
    int baudRate = SettingsKeys::BaudRate.defaultNumber;
    int bitLen = SettingsKeys::BitLen.defaultNumber;
    int stopLen = SettingsKeys::StopLen.defaultNumber;
    int parity = SettingsKeys::Parity.defaultNumber;
    int flow = SettingsKeys::Flow.defaultNumber;
    bool linkCrLf = SettingsKeys::LinkCrLf.defaultOn();
    bool operator==(const Rs232cSettings&) const = default;
};

struct SoundSettings {
    // By sound index: 0 connect, 1 disconnect, 2 to 4 trigger strings 1 to 3.
    std::array<QString, 5> files;
    std::array<QString, 3> strings;
    bool operator==(const SoundSettings&) const = default;
};

// The serial speeds the rig sheet offers.
inline constexpr std::array<int, 6> RigSpeeds{4800, 9600, 19200, 38400, 57600, 115200};

struct RigSettings {
    int model = SettingsKeys::RigModel.defaultNumber; // Hamlib's model number, 0 no rig
    QString port = SettingsKeys::RigPort.defaultText.toString();
    int speed = SettingsKeys::RigSpeed.defaultNumber;
    bool setMode = SettingsKeys::RigSetMode.defaultOn(); // the mode a spot's remark names too
    bool debug = SettingsKeys::RigDebug.defaultOn();     // Hamlib's own debug output
    bool operator==(const RigSettings&) const = default;
};

// The watch list's patterns as typed, separated by blanks, and the alert's sound.
struct WatchSettings {
    QString calls = SettingsKeys::WatchCalls.defaultText.toString();
    QString sound = SettingsKeys::WatchSound.defaultText.toString();
    bool soundOn = SettingsKeys::WatchSoundOn.defaultOn();
    bool operator==(const WatchSettings&) const = default;
};

class SettingsFile {
public:
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
    // RS232C DEVICE<port>, trimmed; empty when not set or for a port outside COM1 to COM8.
    QString LoadRs232cDevice(int port) const;

    bool LoadSaverOff() const;
    bool SaveSaverOff(bool saverOff);

    int LoadHistoryLines() const;
    bool SaveHistoryLines(int lines);

    SoundSettings LoadSounds() const;
    bool SaveSounds(const SoundSettings& sounds);

    int LoadColBytes() const;
    bool SaveColBytes(int colBytes);

    int LoadScrollFileSelect() const; // 0 fixed, 1 per node, 2 none
    bool SaveScrollFileSelect(int select);

    int LoadLinkCheck() const; // minutes
    bool SaveLinkCheck(int minutes);

    int LoadReconnectSec() const;
    bool SaveReconnectSec(int seconds);

    QString LoadLogDir() const;
    bool SaveLogDir(const QString& dir);

    QString LoadUploadDir() const;
    bool SaveUploadDir(const QString& dir);

    RigSettings LoadRig() const;
    bool SaveRig(const RigSettings& rig);
    WatchSettings LoadWatch() const;
    bool SaveWatch(const WatchSettings& watch);

    // The message for the operator after a failed save.
    QString lastError() const { return m_lastError; }

private:
    QString m_path;
    QString m_lastError;
};
