#pragma once

// The main window's captions, status texts and questions, kept in one place.

namespace AppTexts {
inline constexpr const char* CaptionBase = "KESTREL <-> ";
inline constexpr const char* Connect = "Connect";
inline constexpr const char* Discon = "Discon";
inline constexpr const char* End = "End";
inline constexpr const char* StillConnecting = "It is still connecting. Do you finish it? ";
inline constexpr const char* LookingFor = "Looking for ";
inline constexpr const char* Calling = "Calling ";
inline constexpr const char* ConnectedTo = "Connected to ";
inline constexpr const char* DisconnectedFrom = "DisConnected from ";
} // namespace AppTexts
