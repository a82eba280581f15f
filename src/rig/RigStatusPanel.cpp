#include "rig/RigStatusPanel.h"

#include "rig/RigControl.h"
#include "widgets/Accessibility.h"

RigStatusPanel::RigStatusPanel(RigControl& control, QWidget* parent)
    : QLabel(parent) {
    setObjectName(QStringLiteral("RigStatus"));
    hide();
    connect(&control, &RigControl::statusChanged, this, &RigStatusPanel::showStatus);
}

void RigStatusPanel::showStatus(const QString& text) {
    setText(text);
    describeControl(this, text);
    setVisible(!text.isEmpty());
}
