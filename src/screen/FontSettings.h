#pragma once

// The terminal's font and background as the settings file keeps them (sections FONT and
// COLOR): Windows font attributes and 0x00BBGGRR colours. TerminalFont turns them into
// what the views draw with.

#include "base/SettingsKeys.h"

#include <QString>

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

template <SettingsGroup<FontSettings> Font, typename Visit>
void visitKeys(Font& font, const Visit& visit) {
    visit(SettingsKeys::FontCharset, font.charset);
    visit(SettingsKeys::FontColor, font.color);
    visit(SettingsKeys::FontHeight, font.height);
    visit(SettingsKeys::FontName, font.name);
    visit(SettingsKeys::FontPitch, font.pitch);
    visit(SettingsKeys::FontSize, font.size);
    visit(SettingsKeys::FontBold, font.bold);
    visit(SettingsKeys::FontItalic, font.italic);
}

// The terminal's background, 0x00BBGGRR.
struct BackgroundSettings {
    int color = SettingsKeys::Background.defaultNumber;
    bool operator==(const BackgroundSettings&) const = default;
};

template <SettingsGroup<BackgroundSettings> Background, typename Visit>
void visitKeys(Background& background, const Visit& visit) {
    visit(SettingsKeys::Background, background.color);
}
