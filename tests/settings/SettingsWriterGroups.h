#pragma once

// What tst_settings_writer saves on each pass, and how tst_settingsfile tells which pass
// a loaded group came from.

#include "settings/SettingsFile.h"

inline FontSettings writerFont(int pass) {
    FontSettings font;
    font.charset = 0;
    font.color = 0x0000FF;
    font.height = -20;
    font.name = QStringLiteral("Writer %1").arg(pass);
    font.pitch = 1;
    font.size = 20;
    font.bold = true;
    font.italic = true;
    return font;
}

inline NodeTable writerNodes(int pass) {
    NodeTable nodes = defaultNodeTable();
    for (NodeEntry& node : nodes) {
        node.sendCrLf = false;
        node.linkActive = true;
        node.comPort = 3;
    }
    nodes[0].remarks = QStringLiteral("pass %1").arg(pass);
    return nodes;
}

// The pass a group was saved by, -1 for a group never saved, -2 for anything else.
inline int fontPass(const FontSettings& font) {
    if (font == FontSettings())
        return -1;
    const int pass = font.name.section(u' ', 1).toInt();
    return font == writerFont(pass) ? pass : -2;
}

inline int nodesPass(const NodeTable& nodes) {
    if (nodes == defaultNodeTable())
        return -1;
    const int pass = nodes[0].remarks.section(u' ', 1).toInt();
    return nodes == writerNodes(pass) ? pass : -2;
}
