#pragma once

// Gives a control the name a screen reader announces (its caption, or its hint where it
// has none) and its hint as tooltip; and changes a button's caption and its spoken name
// together, so the name never tells something the button no longer says.

#include <QString>

class QAbstractButton;
class QWidget;

void describeControl(QWidget* control, const QString& name, const QString& hint = QString());

// Gives a new control its object name and its spoken name (and hint) at once.
template <typename Control>
Control* named(Control* control, const char* objectName, const QString& spokenName,
               const QString& hint = QString()) {
    control->setObjectName(QLatin1String(objectName));
    describeControl(control, spokenName, hint);
    return control;
}
void setCaption(QAbstractButton* button, const QString& caption);
