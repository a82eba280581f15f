#include "settings/SettingsFile.h"

#include "base/AtomicWrite.h"
#include "base/SettingsFolder.h"
#include "settings/IniFile.h"
#include "settings/SettingsTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <functional>

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

// A missing key or a value of the wrong form keeps the field as it is.
void SettingsKeyLoader::operator()(const SettingsKey& key, int& field, int index) const {
    Q_ASSERT(key.type == SettingType::Int);
    field = key.bounded(readNumber(m_ini, key, index).value_or(field));
}

// Kept as a number: any value but 0 is on.
void SettingsKeyLoader::operator()(const SettingsKey& key, bool& field, int index) const {
    Q_ASSERT(key.type == SettingType::Bool);
    field = readNumber(m_ini, key, index).value_or(int(field)) != 0;
}

void SettingsKeyLoader::operator()(const SettingsKey& key, QString& field, int index) const {
    Q_ASSERT(key.type == SettingType::Text);
    field = m_ini.value(key.section, key.nameAt(index)).value_or(field);
}

void SettingsKeySaver::operator()(const SettingsKey& key, const QString& value, int index) const {
    m_ini.setValue(key.section, key.nameAt(index), value);
}

void SettingsKeySaver::operator()(const SettingsKey& key, int value, int index) const {
    (*this)(key, QString::number(value), index);
}

void SettingsKeySaver::operator()(const SettingsKey& key, bool value, int index) const {
    (*this)(key, QString(value ? u'1' : u'0'), index);
}

QString SettingsFile::defaultPath() {
    return kestrelSettingsFolder() + QStringLiteral("/Kestrel.ini");
}

SettingsFile::SettingsFile(QString path)
    : m_path(std::move(path)) {}

void SettingsFile::loadKeys(const std::function<void(const SettingsKeyLoader&)>& visit) const {
    const IniFile ini = readSettings(m_path).ini;
    visit(SettingsKeyLoader(ini));
}

bool SettingsFile::saveKeys(const std::function<void(const SettingsKeySaver&)>& visit) {
    return rewrite(m_path, m_lastError, [&visit](IniFile& ini) { visit(SettingsKeySaver(ini)); });
}

bool SettingsFile::holdsNumber(const SettingsKey& key) const {
    return readNumber(readSettings(m_path).ini, key, 0).has_value();
}
