#pragma once

// The status bar's rig panel: the rig's frequency or its failure, as RigControl tells
// it. Its spoken name follows the text, so a screen reader hears each change; hidden
// while no rig is configured.

#include <QLabel>

class RigControl;

class RigStatusPanel : public QLabel {
    Q_OBJECT

public:
    explicit RigStatusPanel(RigControl& control, QWidget* parent = nullptr);

    void showStatus(const QString& text);
};
