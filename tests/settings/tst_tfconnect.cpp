#include "net/LastConnection.h"
#include "settings/SettingsFile.h"
#include "settings/TfConnect.h"

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
    void portFieldsTakeDigitsOnly_data();
    void portFieldsTakeDigitsOnly();
    void activeBoxEnablesItsComPort();
    void cancelKeepsEditsWithoutWriting();
    void saveThenCancelKeepsSavedValues();
    void okRecordsTheSheetInFront();
    void selectedNodeIsTheSheetInFront();

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
    m_dialog->LoadNodes(m_settings->LoadNodes());
}

void TfConnectTest::cleanup() {
    m_dialog.reset();
    QFile::remove(m_settings->path());
}

void TfConnectTest::portFieldsTakeDigitsOnly_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("letter") << QStringLiteral("a") << QStringLiteral("23");
    QTest::newRow("minus") << QStringLiteral("-") << QStringLiteral("23");
    QTest::newRow("digits") << QStringLiteral("00") << QStringLiteral("2300");
    QTest::newRow("mixed") << QStringLiteral("7a3-") << QStringLiteral("2373");
}

void TfConnectTest::portFieldsTakeDigitsOnly() {
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QLineEdit* port = control<QLineEdit>("ePortNo", 2);
    port->setText(QStringLiteral("23"));
    port->setCursorPosition(2);
    QTest::keyClicks(port, typed);
    QCOMPARE(port->text(), kept);
    QTest::keyClick(port, Qt::Key_Backspace);
    QCOMPARE(port->text(), kept.chopped(1));
}

void TfConnectTest::activeBoxEnablesItsComPort() {
    m_dialog->show();
    QVERIFY(!control<QSpinBox>("udComPort", 4)->isEnabled());
    control<QCheckBox>("chkActive", 4)->click();
    QVERIFY(control<QSpinBox>("udComPort", 4)->isEnabled());
    QVERIFY(!control<QSpinBox>("udComPort", 5)->isEnabled());
    control<QSpinBox>("udComPort", 4)->setValue(6);
    control<QCheckBox>("chkActive", 4)->click();
    QVERIFY(!control<QSpinBox>("udComPort", 4)->isEnabled());
    QCOMPARE(m_dialog->nodes()[3].comPort, 6); // kept while disabled, and saved
    QCOMPARE(m_dialog->findChild<QLineEdit*>(QStringLiteral("eRs232c4"))->isEnabled(), false);
}

void TfConnectTest::cancelKeepsEditsWithoutWriting() {
    control<QLineEdit>("eAddress", 1)->setText(QStringLiteral("edited.example"));
    m_dialog->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QCOMPARE(m_dialog->selectedNode().address, QStringLiteral("edited.example"));
    QVERIFY(!QFile::exists(m_settings->path()));
}

void TfConnectTest::saveThenCancelKeepsSavedValues() {
    control<QLineEdit>("eRemarks", 9)->setText(QStringLiteral("Osaka, JA"));
    m_dialog->findChild<QPushButton*>(QStringLiteral("bSave"))->click();
    control<QLineEdit>("eRemarks", 9)->setText(QStringLiteral("not saved"));
    m_dialog->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    QCOMPARE(m_settings->LoadNodes()[8].remarks, QStringLiteral("Osaka, JA"));
}

void TfConnectTest::okRecordsTheSheetInFront() {
    m_dialog->selectNode(6);
    m_dialog->findChild<QPushButton*>(QStringLiteral("bOk"))->click();
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QCOMPARE(m_last.LastConnAction(), 7);
}

void TfConnectTest::selectedNodeIsTheSheetInFront() {
    m_dialog->selectNode(2);
    control<QLineEdit>("eAddress", 3)->setText(QStringLiteral("dx.example"));
    control<QCheckBox>("chkSendCrLf", 3)->setChecked(false);
    QCOMPARE(m_dialog->selectedNodeNumber(), 3);
    const NodeEntry node = m_dialog->selectedNode();
    QCOMPARE(node.address, QStringLiteral("dx.example"));
    QVERIFY(!node.sendCrLf);
    m_dialog->selectNode(12); // out of range: stays
    QCOMPARE(m_dialog->selectedNodeNumber(), 3);
}

QTEST_MAIN(TfConnectTest)
#include "tst_tfconnect.moc"
