#include "widgets/Accessibility.h"

#include <QAbstractButton>

void describeControl(QWidget* control, const QString& name, const QString& hint) {
    QString spoken = name;
    spoken.remove(QLatin1Char('&')); // menu accelerators are not read out
    control->setAccessibleName(spoken.trimmed());
    if (!hint.isEmpty())
        control->setToolTip(hint);
}

void setCaption(QAbstractButton* button, const QString& caption) {
    button->setText(caption);
    describeControl(button, caption);
}
