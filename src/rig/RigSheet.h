#pragma once

// The environment dialog's "Rig" sheet: the rig model from Hamlib's list (narrowed by a
// find field), its port, serial speed, and whether spots set the rig's mode too. It
// edits the settings it is given as the operator goes and tells each change; whoever
// holds the settings saves them.

#include "rig/RigModels.h"
#include "settings/SettingsFile.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;

class RigSheet : public QWidget {
    Q_OBJECT

public:
    // models: the list offered after "None"; Hamlib's own by default.
    RigSheet(RigSettings& settings, QList<RigModel> models = RigModels::all(),
             QWidget* parent = nullptr);

    // Shows the settings again, after their holder changed them.
    void showSettings();

signals:
    void changed();

private:
    void showModels();
    void showSpeed();

    RigSettings& m_settings;
    QList<RigModel> m_models;
    QLineEdit* m_eRigFilter;
    QComboBox* m_cmboRigModel;
    QLineEdit* m_eRigPort;
    QComboBox* m_cmboRigSpeed;
    QCheckBox* m_chkRigMode;
};
