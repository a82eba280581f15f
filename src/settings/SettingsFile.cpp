#include "settings/SettingsFile.h"

#include "base/AtomicWrite.h"
#include "base/SettingsFolder.h"
#include "settings/IniFile.h"
#include "settings/SettingsTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <functional>
#include <type_traits>

using namespace SettingsKeys;

namespace {

// Long enough for another copy of the program to finish its save, short enough that a
// hung copy cannot freeze this one. A lock left by a crashed copy is taken over at once.
constexpr int LockWaitMs = 5000;

struct SettingsRead {
    StoredFileState state;
    IniFile ini;
};

// Decimal, optionally negative, blanks around it tolerated; nothing for anything else.
std::optional<int> readNumber(const IniFile& ini, const SettingsKey& key, int index) {
    const std::optional<QString> text = ini.value(key.section, key.nameAt(index));
    bool ok = false;
    const int number = text ? text->trimmed().toInt(&ok, 10) : 0;
    return ok ? std::optional(number) : std::nullopt;
}

// A file written on Windows is in the code page of its own FONT CHARSET.
SettingsRead readSettings(const QString& path) {
    const StoredFile file = readStoredFile(path);
    IniFile ini = IniFile::fromBytes(file.bytes, FontCharset.defaultNumber);
    const int charset = readNumber(ini, FontCharset, 0).value_or(FontCharset.defaultNumber);
    if (!ini.isUtf8() && charset != FontCharset.defaultNumber)
        ini = IniFile::fromBytes(file.bytes, charset);
    return {file.state, std::move(ini)};
}

// A missing key or a value of the wrong form keeps the field as it is.
void readKey(const IniFile& ini, const SettingsKey& key, int index, int& field) {
    Q_ASSERT(key.type == SettingType::Int);
    field = key.bounded(readNumber(ini, key, index).value_or(field));
}

// Kept as a number: any value but 0 is on.
void readKey(const IniFile& ini, const SettingsKey& key, int index, bool& field) {
    Q_ASSERT(key.type == SettingType::Bool);
    field = readNumber(ini, key, index).value_or(int(field)) != 0;
}

void readKey(const IniFile& ini, const SettingsKey& key, int index, QString& field) {
    Q_ASSERT(key.type == SettingType::Text);
    field = ini.value(key.section, key.nameAt(index)).value_or(field);
}

void writeKey(IniFile& ini, const SettingsKey& key, int index, const QString& value) {
    ini.setValue(key.section, key.nameAt(index), value);
}

void writeKey(IniFile& ini, const SettingsKey& key, int index, int value) {
    writeKey(ini, key, index, QString::number(value));
}

void writeKey(IniFile& ini, const SettingsKey& key, int index, bool value) {
    writeKey(ini, key, index, QString(value ? u'1' : u'0'));
}

// Loads or saves each key a group visitor hands it.
struct KeyReader {
    const IniFile& ini;
    template <typename T>
    void operator()(const SettingsKey& key, T& field, int index = 0) const {
        readKey(ini, key, index, field);
    }
};

struct KeyWriter {
    IniFile& ini;
    template <typename T>
    void operator()(const SettingsKey& key, const T& field, int index = 0) const {
        writeKey(ini, key, index, field);
    }
};

// The groups of several keys, each listed once in file order for loading and saving.

constexpr auto visitNodes = [](auto& nodes, const auto& visit) {
    const auto each = [&](const SettingsKey& key, auto field) {
        for (int i = 0; i < NodeCount; ++i)
            visit(key, nodes[size_t(i)].*field, i);
    };
    each(NodeAddress, &NodeEntry::address);
    each(NodePort, &NodeEntry::port);
    each(NodeLocalEcho, &NodeEntry::localEcho);
    each(NodeSendCrLf, &NodeEntry::sendCrLf);
    each(NodeRemarks, &NodeEntry::remarks);
    each(NodeLinkActive, &NodeEntry::linkActive);
    each(NodeLinkCom, &NodeEntry::comPort);
};

constexpr auto visitFont = [](auto& font, const auto& visit) {
    visit(FontCharset, font.charset);
    visit(FontColor, font.color);
    visit(FontHeight, font.height);
    visit(FontName, font.name);
    visit(FontPitch, font.pitch);
    visit(FontSize, font.size);
    visit(FontBold, font.bold);
    visit(FontItalic, font.italic);
};

constexpr auto visitGeometry = [](auto& geometry, const auto& visit) {
    visit(WindowLeft, geometry.left);
    visit(WindowTop, geometry.top);
    visit(WindowWidth, geometry.width);
    visit(WindowHeight, geometry.height);
};

constexpr auto visitRs232c = [](auto& rs232c, const auto& visit) {
    visit(BaudRate, rs232c.baudRate);
    visit(BitLen, rs232c.bitLen);
    visit(StopLen, rs232c.stopLen);
    visit(Parity, rs232c.parity);
    visit(Flow, rs232c.flow);
    visit(LinkCrLf, rs232c.linkCrLf);
};

constexpr auto visitSounds = [](auto& sounds, const auto& visit) {
    visit(SoundOnConnect, sounds.files[0]);
    visit(SoundOnDisconnect, sounds.files[1]);
    for (int i = 0; i < SoundFile.count; ++i)
        visit(SoundFile, sounds.files[size_t(i) + 2], i);
    for (int i = 0; i < SoundString.count; ++i)
        visit(SoundString, sounds.strings[size_t(i)], i);
};

constexpr auto visitRig = [](auto& rig, const auto& visit) {
    visit(RigModel, rig.model);
    visit(RigPort, rig.port);
    visit(RigSpeed, rig.speed);
    visit(RigSetMode, rig.setMode);
    visit(RigDebug, rig.debug);
};

constexpr auto visitWatch = [](auto& watch, const auto& visit) {
    visit(WatchCalls, watch.calls);
    visit(WatchSound, watch.sound);
    visit(WatchSoundOn, watch.soundOn);
};

template <typename Group, typename Visit>
Group loadGroup(const QString& path, Group group, const Visit& visit) {
    visit(group, KeyReader{readSettings(path).ini});
    return group;
}

template <typename T>
T loadKey(const QString& path, const SettingsKey& key) {
    T value;
    if constexpr (std::is_same_v<T, QString>)
        value = key.defaultText.toString();
    else
        value = T(key.defaultNumber);
    KeyReader{readSettings(path).ini}(key, value);
    return value;
}

template <typename T>
std::function<void(IniFile&)> settingKey(const SettingsKey& key, const T& value) {
    return [&key, value](IniFile& ini) { writeKey(ini, key, 0, value); };
}

template <typename Group, typename Visit>
std::function<void(IniFile&)> settingGroup(const Group& group, const Visit& visit) {
    return [&group, &visit](IniFile& ini) { visit(group, KeyWriter{ini}); };
}

bool writeFile(const QString& path, const std::function<void(IniFile&)>& change) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(LockWaitMs))
        return false;
    // Read again under the lock: another copy may have saved its keys since.
    SettingsRead current = readSettings(path);
    if (current.state == StoredFileState::Unreadable)
        return false;
    change(current.ini);
    return writeFileAtomically(path, current.ini.toBytes());
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
    return loadGroup(m_path, defaultNodeTable(), visitNodes);
}

bool SettingsFile::SaveNodes(const NodeTable& nodes) {
    return rewrite(m_path, m_lastError, settingGroup(nodes, visitNodes));
}

FontSettings SettingsFile::LoadFont() const {
    return loadGroup(m_path, FontSettings(), visitFont);
}

bool SettingsFile::SaveFont(const FontSettings& font) {
    return rewrite(m_path, m_lastError, settingGroup(font, visitFont));
}

int SettingsFile::LoadBackground() const {
    return loadKey<int>(m_path, Background);
}

bool SettingsFile::SaveBackground(int color) {
    return rewrite(m_path, m_lastError, settingKey(Background, color));
}

WindowGeometry SettingsFile::LoadWindowGeometry() const {
    const IniFile ini = readSettings(m_path).ini;
    WindowGeometry geometry;
    visitGeometry(geometry, KeyReader{ini});
    geometry.sizeStored = readNumber(ini, WindowWidth, 0) && readNumber(ini, WindowHeight, 0);
    return geometry;
}

bool SettingsFile::SaveWindowGeometry(const WindowGeometry& geometry) {
    return rewrite(m_path, m_lastError, settingGroup(geometry, visitGeometry));
}

Rs232cSettings SettingsFile::LoadRs232c() const {
    return loadGroup(m_path, Rs232cSettings(), visitRs232c);
}

bool SettingsFile::SaveRs232c(const Rs232cSettings& rs232c) {
    return rewrite(m_path, m_lastError, settingGroup(rs232c, visitRs232c));
}

QString SettingsFile::LoadRs232cDevice(int port) const {
    QString device;
    if (port >= 1 && port <= SerialDevice.count)
        KeyReader{readSettings(m_path).ini}(SerialDevice, device, port - 1);
    return device.trimmed();
}

bool SettingsFile::LoadSaverOff() const {
    return loadKey<bool>(m_path, SaverOff);
}

bool SettingsFile::SaveSaverOff(bool saverOff) {
    return rewrite(m_path, m_lastError, settingKey(SaverOff, saverOff));
}

int SettingsFile::LoadHistoryLines() const {
    return loadKey<int>(m_path, HistoryLines);
}

bool SettingsFile::SaveHistoryLines(int lines) {
    return rewrite(m_path, m_lastError, settingKey(HistoryLines, lines));
}

SoundSettings SettingsFile::LoadSounds() const {
    return loadGroup(m_path, SoundSettings(), visitSounds);
}

bool SettingsFile::SaveSounds(const SoundSettings& sounds) {
    return rewrite(m_path, m_lastError, settingGroup(sounds, visitSounds));
}

int SettingsFile::LoadColBytes() const {
    return loadKey<int>(m_path, ColBytes);
}

bool SettingsFile::SaveColBytes(int colBytes) {
    return rewrite(m_path, m_lastError, settingKey(ColBytes, colBytes));
}

int SettingsFile::LoadScrollFileSelect() const {
    return loadKey<int>(m_path, ScrollFileSelect);
}

bool SettingsFile::SaveScrollFileSelect(int select) {
    return rewrite(m_path, m_lastError, settingKey(ScrollFileSelect, select));
}

int SettingsFile::LoadLinkCheck() const {
    return loadKey<int>(m_path, LinkCheck);
}

bool SettingsFile::SaveLinkCheck(int minutes) {
    return rewrite(m_path, m_lastError, settingKey(LinkCheck, minutes));
}

int SettingsFile::LoadReconnectSec() const {
    return loadKey<int>(m_path, ReconnectSec);
}

bool SettingsFile::SaveReconnectSec(int seconds) {
    return rewrite(m_path, m_lastError, settingKey(ReconnectSec, seconds));
}

QString SettingsFile::LoadLogDir() const {
    return loadKey<QString>(m_path, LogDir);
}

bool SettingsFile::SaveLogDir(const QString& dir) {
    return rewrite(m_path, m_lastError, settingKey(LogDir, dir));
}

QString SettingsFile::LoadUploadDir() const {
    return loadKey<QString>(m_path, UploadDir);
}

bool SettingsFile::SaveUploadDir(const QString& dir) {
    return rewrite(m_path, m_lastError, settingKey(UploadDir, dir));
}

RigSettings SettingsFile::LoadRig() const {
    return loadGroup(m_path, RigSettings(), visitRig);
}

bool SettingsFile::SaveRig(const RigSettings& rig) {
    return rewrite(m_path, m_lastError, settingGroup(rig, visitRig));
}

WatchSettings SettingsFile::LoadWatch() const {
    return loadGroup(m_path, WatchSettings(), visitWatch);
}

bool SettingsFile::SaveWatch(const WatchSettings& watch) {
    return rewrite(m_path, m_lastError, settingGroup(watch, visitWatch));
}
