#pragma once

// Gives a control the name a screen reader announces (its caption, or its hint where it
// has none) and its hint as tooltip.

#include <QString>

class QWidget;

void describeControl(QWidget* control, const QString& name, const QString& hint = QString());
