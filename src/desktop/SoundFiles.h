#pragma once

// How a chosen sound file is shown and where the file dialog looks for one: shared by
// every sheet that picks a sound.

#include <QLatin1StringView>
#include <QString>

namespace SoundFiles {

// Qt's form of "WAV (*.WAV)|*.WAV|ALL (*.*)|*.*": a Linux file name may end in either case.
inline constexpr QLatin1StringView WavFilter{"WAV (*.WAV *.wav);;ALL (*)"};
// The caption of the button that opens the file dialog.
inline constexpr QLatin1StringView FilesButton{"Files"};

// A sound file as its row shows it: the name after the last folder separator, '/' or
// a Windows path's '\' or ':'.
QString shownFileName(const QString& path);
// Where the sound file dialog opens: the desktop's sound folder (/usr/share/sounds), or
// the home folder on a system without one.
QString soundFolder();

} // namespace SoundFiles
