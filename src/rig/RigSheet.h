#pragma once

// The environment dialog's "Rig" sheet: the rig model from Hamlib's list (narrowed by a
// find field), its port, serial speed, and whether spots set the rig's mode too. It
// edits the settings it is given as the operator goes and tells each change; whoever
// holds the settings saves them. Hamlib's list is read when the sheet is first shown,
// so a program that never opens it never loads Hamlib's rig drivers.

#include "rig/RigModels.h"
#include "rig/RigSettings.h"

#include <QWidget>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;

class RigSheet : public QWidget {
    Q_OBJECT

public:
    // models gives the list offered after "None"; Hamlib's own by default.
    explicit RigSheet(RigSettings& settings,
                      std::function<QList<RigModel>()> models = &RigModels::all,
                      QWidget* parent = nullptr);

    // Shows the settings again; done each time the sheet is shown.
    void showSettings();

signals:
    void changed();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showModels();
    void showSpeed();

    RigSettings& m_settings;
    std::function<QList<RigModel>()> m_loadModels;
    std::optional<QList<RigModel>> m_models;
    QLineEdit* m_eRigFilter;
    QComboBox* m_cmboRigModel;
    QLineEdit* m_eRigPort;
    QComboBox* m_cmboRigSpeed;
    QCheckBox* m_chkRigMode;
};
