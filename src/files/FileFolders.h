#pragma once

// The folders the settings file keeps for the file dialogs: where the last session log
// went (LOG DIR) and where the last uploaded file came from (UPLOAD DIR).

#include "base/SettingsKeys.h"

#include <QString>

struct LogFolder {
    QString dir = SettingsKeys::LogDir.defaultText.toString();
};

template <SettingsGroup<LogFolder> Folder, typename Visit>
void visitKeys(Folder& log, const Visit& visit) {
    visit(SettingsKeys::LogDir, log.dir);
}

struct UploadFolder {
    QString dir = SettingsKeys::UploadDir.defaultText.toString();
};

template <SettingsGroup<UploadFolder> Folder, typename Visit>
void visitKeys(Folder& upload, const Visit& visit) {
    visit(SettingsKeys::UploadDir, upload.dir);
}
