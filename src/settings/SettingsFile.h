#pragma once

// Kestrel.ini: every persistent setting, one group of keys at a time, in the Windows
// INI dialect (see IniFile).
//
// Every key, its default and its range are listed in SettingsKeys. Each feature keeps its
// settings in a group struct of its own, with a function beside it that hands the file
// every key of the group with its field, in file order:
//
//   template <typename Group, typename Visit>
//   void visitKeys(Group& font, const Visit& visit) {   // Group: FontSettings, or const
//       visit(SettingsKeys::FontCharset, font.charset);  // int, bool or QString fields
//       ...                                              // visit(key, field, n): key n+1
//   }                                                    // of a numbered key
//
// load<Group>() and save(group) work for any such group: a new key is one row of the key
// table and one field of its group.
//
// Loads never fail: a missing, unreadable or garbled file, section or key gives the
// default, and integers are brought into their range. Saves rewrite only their own keys:
// under a lock file they read the file as it is now, change their keys and replace the
// file atomically, so copies of the program saving at once never lose or mangle each
// other's keys. A file that is there but cannot be read (too large, not a plain file) is
// never replaced, as that would drop every key of it. A failed save returns false and
// leaves the message for the operator (naming the file) in lastError(); the file stays as
// it was.
//
// Not thread-safe; one object per thread that needs one (they may share the path).

#include "base/SettingsKeys.h"

#include <QString>

#include <functional>

class IniFile;

// What a group's keys are read into: each field as the file has it, else as it was.
class SettingsKeyLoader {
public:
    explicit SettingsKeyLoader(const IniFile& ini)
        : m_ini(ini) {}
    void operator()(const SettingsKey& key, int& field, int index = 0) const;
    void operator()(const SettingsKey& key, bool& field, int index = 0) const;
    void operator()(const SettingsKey& key, QString& field, int index = 0) const;

private:
    const IniFile& m_ini;
};

// What a group's keys are written from.
class SettingsKeySaver {
public:
    explicit SettingsKeySaver(IniFile& ini)
        : m_ini(ini) {}
    void operator()(const SettingsKey& key, int value, int index = 0) const;
    void operator()(const SettingsKey& key, bool value, int index = 0) const;
    void operator()(const SettingsKey& key, const QString& value, int index = 0) const;

private:
    IniFile& m_ini;
};

class SettingsFile {
public:
    // The file Kestrel.ini in the per-user settings folder.
    static QString defaultPath();

    explicit SettingsFile(QString path = defaultPath());
    QString path() const { return m_path; }

    // The group's keys as the file has them; fields the file lacks keep group's values.
    template <typename Group>
    Group load(Group group = Group()) const {
        loadKeys([&group](const SettingsKeyLoader& loader) { visitKeys(group, loader); });
        return group;
    }
    template <typename Group>
    bool save(const Group& group) {
        return saveKeys([&group](const SettingsKeySaver& saver) { visitKeys(group, saver); });
    }
    // Whatever visit hands over, read at once, or written in one rewrite of the file.
    void loadKeys(const std::function<void(const SettingsKeyLoader&)>& visit) const;
    bool saveKeys(const std::function<void(const SettingsKeySaver&)>& visit);
    // Whether the file holds a number for the key (the first of a numbered key).
    bool holdsNumber(const SettingsKey& key) const;

    // The message for the operator after a failed save.
    QString lastError() const { return m_lastError; }

private:
    QString m_path;
    QString m_lastError;
};
