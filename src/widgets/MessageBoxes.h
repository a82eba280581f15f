#pragma once

// The program's message boxes: a plain message with an OK button, and the yes/no
// question captioned "KESTREL". Both are modal.

#include <QString>

class QWidget;

void showMessage(QWidget* parent, const QString& text);
bool askYesNo(QWidget* parent, const QString& text);
