#pragma once

// The connect dialog: twelve sheets "Node1" to "Node12", one per node of the node
// table. While the program runs its controls are the node table; the sheet in front is
// the node that Connect, a reconnect and a script's "node" use.

#include "base/NodeEntry.h"

#include <QDialog>

#include <array>

class LastConnection;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class SettingsFile;

class TfConnect : public QDialog {
    Q_OBJECT

public:
    TfConnect(SettingsFile& settings, LastConnection& lastConnection, QWidget* parent = nullptr);

    void LoadNodes(const NodeTable& nodes);
    NodeTable nodes() const;

    // The node whose sheet is in front, as its controls hold it now.
    NodeEntry selectedNode() const;
    int selectedNodeNumber() const; // 1 to 12
    void selectNode(int index);     // 0 to 11

    void bSaveClick();
    void bOkClick();
    // Enables each node's COM port exactly while its Active box is checked.
    void chkActive1Click();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct NodeSheet {
        QLineEdit* eAddress = nullptr;
        QLineEdit* ePortNo = nullptr;
        QLineEdit* eRemarks = nullptr;
        QCheckBox* chkLocalEcho = nullptr;
        QCheckBox* chkSendCrLf = nullptr;
        QCheckBox* chkActive = nullptr;
        QSpinBox* udComPort = nullptr;
    };

    QWidget* buildSheet(int number, NodeSheet& sheet);
    NodeEntry entryOf(const NodeSheet& sheet) const;

    SettingsFile& m_settings;
    LastConnection& m_lastConnection;
    QTabWidget* m_pages = nullptr;
    std::array<NodeSheet, NodeCount> m_sheets;
};
