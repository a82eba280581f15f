#pragma once

// Every key of Kestrel.ini, in file order: its section, name, type, default and, for
// integers, the range a loaded value is brought into. The settings file loads and saves
// through this table; whoever needs a key's default or limits (the screen's line width,
// the dialogs' up-downs) reads them here.
//
// A numbered key is one row: ADDRESS with count 12 stands for ADDRESS1 to ADDRESS12.

#include <QString>
#include <QStringView>

#include <algorithm>
#include <concepts>
#include <limits>

enum class SettingType { Int, Bool, Text };

// What a stored integer goes through before its range applies: the byte it was held in.
enum class Narrowing { None, UnsignedByte, SignedByte };

struct SettingsKey {
    QStringView section = {};
    QStringView name = {}; // the stem of a numbered key
    SettingType type = SettingType::Int;
    int defaultNumber = 0; // Int, and Bool as 0 or 1
    QStringView defaultText = {};
    int minimum = std::numeric_limits<int>::min();
    int maximum = std::numeric_limits<int>::max();
    int count = 1; // how many numbered keys, 1 for a plain key
    Narrowing narrowing = Narrowing::None;

    constexpr bool defaultOn() const { return defaultNumber != 0; }

    // The name in the file; index counts from 0 and matters only for numbered keys.
    QString nameAt(int index) const {
        return count == 1 ? name.toString() : name.toString() + QString::number(index + 1);
    }

    // A stored number as the program may use it.
    constexpr int bounded(int stored) const {
        if (narrowing == Narrowing::UnsignedByte)
            stored = static_cast<unsigned char>(stored);
        else if (narrowing == Narrowing::SignedByte)
            stored = static_cast<signed char>(stored);
        return std::clamp(stored, minimum, maximum);
    }

    constexpr SettingsKey numbered(int keys) const {
        SettingsKey key = *this;
        key.count = keys;
        return key;
    }
    constexpr SettingsKey narrowedTo(Narrowing held) const {
        SettingsKey key = *this;
        key.narrowing = held;
        return key;
    }
};

inline constexpr int NodeCount = 12;

// A group of settings to load, or the same group to save (const): see SettingsFile.
template <typename T, typename Group>
concept SettingsGroup = std::same_as<std::remove_const_t<T>, Group>;

namespace SettingsKeys {

constexpr SettingsKey intKey(QStringView section, QStringView name, int byDefault,
                             int minimum = std::numeric_limits<int>::min(),
                             int maximum = std::numeric_limits<int>::max()) {
    return {section, name, SettingType::Int, byDefault, {}, minimum, maximum};
}
constexpr SettingsKey boolKey(QStringView section, QStringView name, bool byDefault) {
    return {section, name, SettingType::Bool, int(byDefault)};
}
constexpr SettingsKey textKey(QStringView section, QStringView name, QStringView byDefault = {}) {
    return {section, name, SettingType::Text, 0, byDefault};
}

// Defaults of a node entry without a preset; the first six nodes have their own
// (NodeTable).
inline constexpr SettingsKey NodeAddress = textKey(u"NODES", u"ADDRESS").numbered(NodeCount);
inline constexpr SettingsKey NodePort = textKey(u"NODES", u"PORT_NO", u"23").numbered(NodeCount);
inline constexpr SettingsKey NodeLocalEcho =
    boolKey(u"NODES", u"LOCAL_ECHO", true).numbered(NodeCount);
inline constexpr SettingsKey NodeSendCrLf =
    boolKey(u"NODES", u"SEND_CRLF", true).numbered(NodeCount);
inline constexpr SettingsKey NodeRemarks = textKey(u"NODES", u"REMARKS").numbered(NodeCount);
inline constexpr SettingsKey NodeLinkActive =
    boolKey(u"NODES", u"LINK_ACTIVE", false).numbered(NodeCount);
// Taken modulo 256, then COM1 to COM8.
inline constexpr SettingsKey NodeLinkCom =
    intKey(u"NODES", u"LINK_COM", 1, 1, 8).numbered(NodeCount).narrowedTo(Narrowing::UnsignedByte);

inline constexpr SettingsKey FontCharset = intKey(u"FONT", u"CHARSET", 128); // 128 Shift-JIS
inline constexpr SettingsKey FontColor = intKey(u"FONT", u"COLOR", 0);       // 0x00BBGGRR
// Negative: the character height in pixels. 512 pixels is beyond any size the font dialog
// offers at any screen scaling, and keeps a corrupt value from asking for a giant font.
inline constexpr SettingsKey FontHeight = intKey(u"FONT", u"HEIGHT", -14, -512, 512);
inline constexpr SettingsKey FontName = textKey(u"FONT", u"NAME", u"Terminal");
// 0 default, 1 variable, 2 fixed.
inline constexpr SettingsKey FontPitch = intKey(u"FONT", u"PITCH", 0);
// Points, held in a signed byte: 200 reads as -56. Not above 0, HEIGHT decides the size.
inline constexpr SettingsKey FontSize =
    intKey(u"FONT", u"SIZE", 14, -128, 127).narrowedTo(Narrowing::SignedByte);
inline constexpr SettingsKey FontBold = boolKey(u"FONT", u"BOLD", false);
inline constexpr SettingsKey FontItalic = boolKey(u"FONT", u"ITALIC", false);

inline constexpr SettingsKey Background = intKey(u"COLOR", u"BACK_GROUND", 0xFFFFFF);

// Edges anywhere a 16-bit screen coordinate reaches; the main window puts itself on a
// screen that is there.
inline constexpr SettingsKey WindowLeft = intKey(u"WINDOW", u"LEFT", 0, -32768, 32767);
inline constexpr SettingsKey WindowTop = intKey(u"WINDOW", u"TOP", 0, -32768, 32767);
inline constexpr SettingsKey WindowWidth = intKey(u"WINDOW", u"WIDTH", 640, 100, 32767);
inline constexpr SettingsKey WindowHeight = intKey(u"WINDOW", u"HEIGHT", 480, 100, 32767);
inline constexpr SettingsKey SaverOff = boolKey(u"WINDOW", u"SAVER_OFF", false);
inline constexpr SettingsKey HistoryLines = intKey(u"WINDOW", u"HISTORY_LINES", 5000, 100, 5000);
inline constexpr SettingsKey ColBytes = intKey(u"WINDOW", u"COL_BYTES", 84, 20, 100);
// 0 fixed, 1 a name for every node, 2 none.
inline constexpr SettingsKey ScrollFileSelect = intKey(u"WINDOW", u"SCROLL_FILE_SELECT", 0, 0, 2);

// Indexes into the lists the environment dialog offers (see Rs232cSettings).
inline constexpr SettingsKey BaudRate = intKey(u"RS232C", u"BAUD_RATE", 3, 0, 6);
inline constexpr SettingsKey BitLen = intKey(u"RS232C", u"BIT_LEN", 1, 0, 1);
inline constexpr SettingsKey StopLen = intKey(u"RS232C", u"STOP_LEN", 0, 0, 2);
inline constexpr SettingsKey Parity = intKey(u"RS232C", u"PARITY", 0, 0, 2);
inline constexpr SettingsKey Flow = intKey(u"RS232C", u"FLOW", 0, 0, 2);
inline constexpr SettingsKey LinkCrLf = boolKey(u"RS232C", u"LINK_CRLF", true);
// The device of COM1 to COM8 on this system; empty means the system's own n-th serial port.
inline constexpr SettingsKey SerialDevice =
    textKey(u"RS232C", u"DEVICE").numbered(NodeLinkCom.maximum);

inline constexpr SettingsKey SoundOnConnect = textKey(u"SOUND_FILE_NAME", u"ON_CONNECT");
inline constexpr SettingsKey SoundOnDisconnect = textKey(u"SOUND_FILE_NAME", u"ON_DISCONNECT");
inline constexpr SettingsKey SoundFile = textKey(u"SOUND_FILE_NAME", u"FILE").numbered(3);
inline constexpr SettingsKey SoundString = textKey(u"SOUND_FILE_NAME", u"STRING").numbered(3);

inline constexpr SettingsKey LinkCheck = intKey(u"TIME", u"LINK_CHECK", 0, 0, 60); // minutes
inline constexpr SettingsKey ReconnectSec = intKey(u"ENV", u"RECONNECT_SEC", 60, 10, 180);
inline constexpr SettingsKey LogDir = textKey(u"LOG", u"DIR");
inline constexpr SettingsKey UploadDir = textKey(u"UPLOAD", u"DIR");

// The rig tuned to a chosen spot, through Hamlib. MODEL is Hamlib's model number, 0 no rig;
// PORT a serial device, or host:port for a networked rig; SPEED the serial speed in bit/s.
inline constexpr SettingsKey RigModel = intKey(u"RIG", u"MODEL", 0, 0);
inline constexpr SettingsKey RigPort = textKey(u"RIG", u"PORT");
inline constexpr SettingsKey RigSpeed = intKey(u"RIG", u"SPEED", 9600, 4800, 115200);
inline constexpr SettingsKey RigSetMode = boolKey(u"RIG", u"SET_MODE", false);
inline constexpr SettingsKey RigDebug = boolKey(u"RIG", u"DEBUG", false);
// The watch list: the call patterns separated by blanks, and the sound of an alert.
inline constexpr SettingsKey WatchCalls = textKey(u"WATCH", u"CALLS");
inline constexpr SettingsKey WatchSound = textKey(u"WATCH", u"SOUND");
inline constexpr SettingsKey WatchSoundOn = boolKey(u"WATCH", u"SOUND_ON", false);
// The operator's own station, the log of what was worked and what the lists make of it.
inline constexpr SettingsKey StationCall = textKey(u"STATION", u"CALL");
inline constexpr SettingsKey StationLocator = textKey(u"STATION", u"LOCATOR");
inline constexpr SettingsKey StationLogFile = textKey(u"STATION", u"ADIF_LOG");
inline constexpr SettingsKey StationNewOneColor =
    intKey(u"STATION", u"NEW_ONE_COLOR", 0x9E9EFF); // light red
inline constexpr SettingsKey StationNewBandColor =
    intKey(u"STATION", u"NEW_BAND_COLOR", 0xFFD89E); // light blue
inline constexpr SettingsKey StationAlertNewOne = boolKey(u"STATION", u"ALERT_NEW_ONE", false);
inline constexpr SettingsKey StationAlertNewBand = boolKey(u"STATION", u"ALERT_NEW_BAND", false);
inline constexpr SettingsKey StationSpotterContinents = textKey(u"STATION", u"SPOTTER_CONTINENTS");
inline constexpr SettingsKey StationHideWorked = boolKey(u"STATION", u"HIDE_WORKED", false);

} // namespace SettingsKeys
