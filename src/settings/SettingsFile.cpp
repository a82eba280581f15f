#include "settings/SettingsFile.h"

#include "files/AtomicWrite.h"
#include "settings/IniFile.h"
#include "settings/SettingsFolder.h"
#include "settings/SettingsTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>
#include <functional>

namespace {

// Long enough for another copy of the program to finish its save, short enough that a
// hung copy cannot freeze this one. A lock left by a crashed copy is taken over at once.
constexpr int LockWaitMs = 5000;

constexpr QStringView NodesSection = u"NODES";
constexpr QStringView FontSection = u"FONT";
constexpr QStringView ColorSection = u"COLOR";
constexpr QStringView WindowSection = u"WINDOW";
constexpr QStringView Rs232cSection = u"RS232C";
constexpr QStringView SoundSection = u"SOUND_FILE_NAME";
constexpr QStringView TimeSection = u"TIME";
constexpr QStringView EnvSection = u"ENV";
constexpr QStringView LogSection = u"LOG";
constexpr QStringView UploadSection = u"UPLOAD";

QString readKey(const IniFile& ini, QStringView section, QStringView key, const QString& fallback) {
    return ini.value(section, key).value_or(fallback);
}

// Decimal, optionally negative, blanks around it tolerated; anything else is the default.
int readKey(const IniFile& ini, QStringView section, QStringView key, int fallback) {
    const std::optional<QString> text = ini.value(section, key);
    if (!text)
        return fallback;
    bool ok = false;
    const int number = text->trimmed().toInt(&ok, 10);
    return ok ? number : fallback;
}

// Kept as a number: any value but 0 is on.
bool readKey(const IniFile& ini, QStringView section, QStringView key, bool fallback) {
    return readKey(ini, section, key, int(fallback)) != 0;
}

void writeKey(IniFile& ini, QStringView section, QStringView key, const QString& value) {
    ini.setValue(section, key, value);
}

void writeKey(IniFile& ini, QStringView section, QStringView key, int value) {
    ini.setValue(section, key, QString::number(value));
}

void writeKey(IniFile& ini, QStringView section, QStringView key, bool value) {
    ini.setValue(section, key, QStringView(value ? u"1" : u"0"));
}

// Loads or saves each key a group visitor hands it, in one section.
struct KeyReader {
    const IniFile& ini;
    QStringView section;
    template <typename T>
    void operator()(QStringView key, T& field) const {
        field = readKey(ini, section, key, field);
    }
};

struct KeyWriter {
    IniFile& ini;
    QStringView section;
    template <typename T>
    void operator()(QStringView key, const T& field) const {
        writeKey(ini, section, key, field);
    }
};

// The groups of several keys, each listed once in file order for loading and saving.

QString numbered(QStringView stem, size_t index) {
    return stem.toString() + QString::number(index + 1);
}

constexpr auto visitNodes = [](auto& nodes, const auto& visit) {
    const auto each = [&](QStringView stem, auto field) {
        for (size_t i = 0; i < nodes.size(); ++i)
            visit(numbered(stem, i), nodes[i].*field);
    };
    each(u"ADDRESS", &NodeEntry::address);
    each(u"PORT_NO", &NodeEntry::port);
    each(u"LOCAL_ECHO", &NodeEntry::localEcho);
    each(u"SEND_CRLF", &NodeEntry::sendCrLf);
    each(u"REMARKS", &NodeEntry::remarks);
    each(u"LINK_ACTIVE", &NodeEntry::linkActive);
    each(u"LINK_COM", &NodeEntry::comPort);
};

constexpr auto visitFont = [](auto& font, const auto& visit) {
    visit(u"CHARSET", font.charset);
    visit(u"COLOR", font.color);
    visit(u"HEIGHT", font.height);
    visit(u"NAME", font.name);
    visit(u"PITCH", font.pitch);
    visit(u"SIZE", font.size);
    visit(u"BOLD", font.bold);
    visit(u"ITALIC", font.italic);
};

constexpr auto visitGeometry = [](auto& geometry, const auto& visit) {
    visit(u"LEFT", geometry.left);
    visit(u"TOP", geometry.top);
    visit(u"WIDTH", geometry.width);
    visit(u"HEIGHT", geometry.height);
};

constexpr auto visitRs232c = [](auto& rs232c, const auto& visit) {
    visit(u"BAUD_RATE", rs232c.baudRate);
    visit(u"BIT_LEN", rs232c.bitLen);
    visit(u"STOP_LEN", rs232c.stopLen);
    visit(u"PARITY", rs232c.parity);
    visit(u"FLOW", rs232c.flow);
    visit(u"LINK_CRLF", rs232c.linkCrLf);
};

constexpr auto visitSounds = [](auto& sounds, const auto& visit) {
    visit(u"ON_CONNECT", sounds.files[0]);
    visit(u"ON_DISCONNECT", sounds.files[1]);
    for (size_t i = 0; i < 3; ++i)
        visit(numbered(u"FILE", i), sounds.files[i + 2]);
    for (size_t i = 0; i < sounds.strings.size(); ++i)
        visit(numbered(u"STRING", i), sounds.strings[i]);
};

template <typename Group, typename Visit>
Group loadGroup(const QString& path, QStringView section, Group group, const Visit& visit) {
    const IniFile ini = IniFile::load(path);
    visit(group, KeyReader{ini, section});
    return group;
}

template <typename T>
T loadKey(const QString& path, QStringView section, QStringView key, const T& fallback) {
    return readKey(IniFile::load(path), section, key, fallback);
}

template <typename T>
std::function<void(IniFile&)> settingKey(QStringView section, QStringView key, const T& value) {
    return [=](IniFile& ini) { writeKey(ini, section, key, value); };
}

template <typename Group, typename Visit>
std::function<void(IniFile&)> settingGroup(QStringView section, const Group& group,
                                           const Visit& visit) {
    return [=, &group](IniFile& ini) { visit(group, KeyWriter{ini, section}); };
}

bool writeFile(const QString& path, const std::function<void(IniFile&)>& change) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(LockWaitMs))
        return false;
    // Read again under the lock: another copy may have saved its keys since.
    IniFile ini = IniFile::load(path);
    change(ini);
    return writeFileAtomically(path, ini.toBytes());
}

// Sets the message for the operator, empty after a save that worked.
bool rewrite(const QString& path, QString& error, const std::function<void(IniFile&)>& change) {
    const bool written = writeFile(path, change);
    error = written ? QString()
                    : SettingsTexts::UnableToWrite.arg(
                          QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
    return written;
}

} // namespace

QString SettingsFile::defaultPath() {
    return kestrelSettingsFolder() + QStringLiteral("/Kestrel.ini");
}

SettingsFile::SettingsFile(QString path)
    : m_path(std::move(path)) {}

NodeTable SettingsFile::LoadNodes() const {
    NodeTable nodes = loadGroup(m_path, NodesSection, defaultNodeTable(), visitNodes);
    for (NodeEntry& node : nodes)
        node.comPort = std::clamp(int(quint8(node.comPort)), 1, 8); // a byte, COM1 to COM8
    return nodes;
}

bool SettingsFile::SaveNodes(const NodeTable& nodes) {
    return rewrite(m_path, m_lastError, settingGroup(NodesSection, nodes, visitNodes));
}

FontSettings SettingsFile::LoadFont() const {
    FontSettings font = loadGroup(m_path, FontSection, FontSettings(), visitFont);
    font.size = qint8(font.size);
    return font;
}

bool SettingsFile::SaveFont(const FontSettings& font) {
    return rewrite(m_path, m_lastError, settingGroup(FontSection, font, visitFont));
}

int SettingsFile::LoadBackground() const {
    return loadKey(m_path, ColorSection, u"BACK_GROUND", DefaultBackground);
}

bool SettingsFile::SaveBackground(int color) {
    return rewrite(m_path, m_lastError, settingKey(ColorSection, u"BACK_GROUND", color));
}

WindowGeometry SettingsFile::LoadWindowGeometry() const {
    return loadGroup(m_path, WindowSection, WindowGeometry(), visitGeometry);
}

bool SettingsFile::SaveWindowGeometry(const WindowGeometry& geometry) {
    return rewrite(m_path, m_lastError, settingGroup(WindowSection, geometry, visitGeometry));
}

Rs232cSettings SettingsFile::LoadRs232c() const {
    Rs232cSettings rs232c = loadGroup(m_path, Rs232cSection, Rs232cSettings(), visitRs232c);
    rs232c.baudRate = std::clamp(rs232c.baudRate, 0, 6);
    rs232c.bitLen = std::clamp(rs232c.bitLen, 0, 1);
    rs232c.stopLen = std::clamp(rs232c.stopLen, 0, 2);
    rs232c.parity = std::clamp(rs232c.parity, 0, 2);
    rs232c.flow = std::clamp(rs232c.flow, 0, 2);
    return rs232c;
}

bool SettingsFile::SaveRs232c(const Rs232cSettings& rs232c) {
    return rewrite(m_path, m_lastError, settingGroup(Rs232cSection, rs232c, visitRs232c));
}

bool SettingsFile::LoadSaverOff() const {
    return loadKey(m_path, WindowSection, u"SAVER_OFF", false);
}

bool SettingsFile::SaveSaverOff(bool saverOff) {
    return rewrite(m_path, m_lastError, settingKey(WindowSection, u"SAVER_OFF", saverOff));
}

int SettingsFile::LoadHistoryLines() const {
    return std::clamp(loadKey(m_path, WindowSection, u"HISTORY_LINES", DefaultHistoryLines), 100,
                      5000);
}

bool SettingsFile::SaveHistoryLines(int lines) {
    return rewrite(m_path, m_lastError, settingKey(WindowSection, u"HISTORY_LINES", lines));
}

SoundSettings SettingsFile::LoadSounds() const {
    return loadGroup(m_path, SoundSection, SoundSettings(), visitSounds);
}

bool SettingsFile::SaveSounds(const SoundSettings& sounds) {
    return rewrite(m_path, m_lastError, settingGroup(SoundSection, sounds, visitSounds));
}

int SettingsFile::LoadColBytes() const {
    return std::clamp(loadKey(m_path, WindowSection, u"COL_BYTES", DefaultColBytes), 20, 100);
}

bool SettingsFile::SaveColBytes(int colBytes) {
    return rewrite(m_path, m_lastError, settingKey(WindowSection, u"COL_BYTES", colBytes));
}

// Other values are passed on as read: the code that uses them decides.
int SettingsFile::LoadScrollFileSelect() const {
    return loadKey(m_path, WindowSection, u"SCROLL_FILE_SELECT", 0);
}

bool SettingsFile::SaveScrollFileSelect(int select) {
    return rewrite(m_path, m_lastError, settingKey(WindowSection, u"SCROLL_FILE_SELECT", select));
}

int SettingsFile::LoadLinkCheck() const {
    return std::clamp(loadKey(m_path, TimeSection, u"LINK_CHECK", 0), 0, 60);
}

bool SettingsFile::SaveLinkCheck(int minutes) {
    return rewrite(m_path, m_lastError, settingKey(TimeSection, u"LINK_CHECK", minutes));
}

int SettingsFile::LoadReconnectSec() const {
    return std::clamp(loadKey(m_path, EnvSection, u"RECONNECT_SEC", DefaultReconnectSec), 10, 180);
}

bool SettingsFile::SaveReconnectSec(int seconds) {
    return rewrite(m_path, m_lastError, settingKey(EnvSection, u"RECONNECT_SEC", seconds));
}

QString SettingsFile::LoadLogDir() const {
    return loadKey(m_path, LogSection, u"DIR", QString());
}

bool SettingsFile::SaveLogDir(const QString& dir) {
    return rewrite(m_path, m_lastError, settingKey(LogSection, u"DIR", dir));
}

QString SettingsFile::LoadUploadDir() const {
    return loadKey(m_path, UploadSection, u"DIR", QString());
}

bool SettingsFile::SaveUploadDir(const QString& dir) {
    return rewrite(m_path, m_lastError, settingKey(UploadSection, u"DIR", dir));
}
