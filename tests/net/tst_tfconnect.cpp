#include "net/LastConnection.h"
#include "net/TfConnect.h"
#include "settings/SettingsFile.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

class TfConnectTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void portFieldsTakeDigitsOnly();
    void activeBoxEnablesItsComPort();
    void cancelKeepsEditsAndWritesOnlyWhatWasSaved();
    void okTakesTheSheetInFrontAsItIsNow();

private:
    template <typename Control>
    Control* control(const char* name, int node) {
        return m_dialog->findChild<Control*>(QLatin1String(name) + QString::number(node));
    }

    QTemporaryDir m_folder;
    std::unique_ptr<SettingsFile> m_settings;
    LastConnection m_last;
    std::unique_ptr<TfConnect> m_dialog;
};

void TfConnectTest::init() {
    m_settings = std::make_unique<SettingsFile>(m_folder.filePath(QStringLiteral("Kestrel.ini")));
    m_last = LastConnection();
    m_dialog = std::make_unique<TfConnect>(*m_settings, m_last);
}

void TfConnectTest::cleanup() {
    m_dialog.reset();
    QFile::remove(m_settings->path());
}

void TfConnectTest::portFieldsTakeDigitsOnly() {
    QLineEdit* port = control<QLineEdit>("ePortNo", 2);
    port->setText(QStringLiteral("23"));
    port->setCursorPosition(2);
    QTest::keyClicks(port, QStringLiteral("7a3-"));
    QCOMPARE(port->text(), QStringLiteral("2373"));
    QTest::keyClick(port, Qt::Key_Backspace);
    QCOMPARE(port->text(), QStringLiteral("237"));
}

void TfConnectTest::activeBoxEnablesItsComPort() {
    QVERIFY(!control<QSpinBox>("udComPort", 4)->isEnabled());
    control<QCheckBox>("chkActive", 4)->click();
    QVERIFY(control<QSpinBox>("udComPort", 4)->isEnabled());
    QVERIFY(!control<QSpinBox>("udComPort", 5)->isEnabled());
    control<QSpinBox>("udComPort", 4)->setValue(6);
    control<QCheckBox>("chkActive", 4)->click();
    QVERIFY(!control<QSpinBox>("udComPort", 4)->isEnabled());
    QCOMPARE(m_dialog->nodes()[3].comPort, 6); // kept while disabled
}

void TfConnectTest::cancelKeepsEditsAndWritesOnlyWhatWasSaved() {
    control<QLineEdit>("eRemarks", 9)->setText(QStringLiteral("Osaka, JA"));
    m_dialog->findChild<QPushButton*>(QStringLiteral("bSave"))->click();
    control<QLineEdit>("eRemarks", 9)->setText(QStringLiteral("not saved"));
    m_dialog->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QCOMPARE(m_dialog->nodes()[8].remarks, QStringLiteral("not saved"));
    QCOMPARE(m_settings->load<NodeTable>()[8].remarks, QStringLiteral("Osaka, JA"));
}

void TfConnectTest::okTakesTheSheetInFrontAsItIsNow() {
    m_dialog->selectNode(6);
    control<QLineEdit>("eAddress", 7)->setText(QStringLiteral("dx.example"));
    control<QCheckBox>("chkSendCrLf", 7)->setChecked(false);
    m_dialog->findChild<QPushButton*>(QStringLiteral("bOk"))->click();
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QCOMPARE(m_last.LastConnAction(), 7);
    const NodeEntry node = m_dialog->selectedNode();
    QCOMPARE(node.address, QStringLiteral("dx.example"));
    QVERIFY(!node.sendCrLf);
}

QTEST_MAIN(TfConnectTest)
#include "tst_tfconnect.moc"
