#include "widgets/TextViewLook.h"

#include <QPalette>
#include <QWidget>

void showInTerminalLook(QWidget& view, const QFont& font, const QColor& text,
                        const QColor& background) {
    view.setFont(font);
    QPalette palette = view.palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Text, text);
    view.setPalette(palette);
}
