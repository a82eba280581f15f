#pragma once

// The terminal's font and colours on another view of the node's text (the lists, the band
// map, the history), so the operator reads them all alike.

class QColor;
class QFont;
class QWidget;

void showInTerminalLook(QWidget& view, const QFont& font, const QColor& text,
                        const QColor& background);
