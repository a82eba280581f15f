#pragma once

// The per-user folder that holds the settings file and the key history, shared by every
// running copy of the program.

#include <QString>

// $XDG_CONFIG_HOME/kestrel (usually ~/.config/kestrel); created on first write.
QString kestrelSettingsFolder();
