#include "rig/RigStatusPanel.h"

#include "desktop/Accessibility.h"
#include "rig/RigControl.h"

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
