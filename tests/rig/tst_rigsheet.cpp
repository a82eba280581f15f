// The Rig sheet driven as an operator would (finding a model, choosing it, the port), and
// the status panel as a screen reader hears it.

#include "rig/RigControl.h"
#include "rig/RigSheet.h"
#include "rig/RigStatusPanel.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class RigSheetTest : public QObject {
    Q_OBJECT

private slots:
    void findAndChooseModel();
    void statusPanelSpeaksItsText();
};

void RigSheetTest::findAndChooseModel() {
    RigSettings settings{2, u"localhost:4532"_s};
    RigSheet sheet(settings, [] {
        return QList<RigModel>{{1, u"Hamlib"_s, u"Dummy"_s},
                               {2, u"Hamlib"_s, u"NET rigctl"_s},
                               {1035, u"Yaesu"_s, u"FT-991"_s}};
    });
    sheet.show();
    QSignalSpy changes(&sheet, &RigSheet::changed);
    auto* models = sheet.findChild<QComboBox*>(u"cmboRigModel"_s);
    QCOMPARE(models->currentText(), u"Hamlib NET rigctl"_s);
    QTest::keyClicks(sheet.findChild<QLineEdit*>(u"eRigFilter"_s), u"991"_s);
    QCOMPARE(models->count(), 3); // None, the chosen one, the one found
    QCOMPARE(models->currentText(), u"Hamlib NET rigctl"_s);
    QTest::keyClick(models, Qt::Key_Down);
    QTest::keyClicks(sheet.findChild<QLineEdit*>(u"eRigPort"_s), u"x"_s);
    // A screen reader toggles the box without clicking it.
    auto* setMode =
        QAccessible::queryAccessibleInterface(sheet.findChild<QCheckBox*>(u"chkRigMode"_s));
    setMode->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QCOMPARE(settings, (RigSettings{1035, u"localhost:4532x"_s, 9600, true}));
    QCOMPARE(changes.count(), 3);
}

void RigSheetTest::statusPanelSpeaksItsText() {
    RigControl control;
    RigStatusPanel panel(control);
    emit control.statusChanged(u"Rig: 14025.000 kHz"_s);
    QCOMPARE(panel.accessibleName(), u"Rig: 14025.000 kHz"_s);
    QVERIFY(!panel.isHidden());
    emit control.statusChanged(QString());
    QVERIFY(panel.isHidden());
}

QTEST_MAIN(RigSheetTest)
#include "tst_rigsheet.moc"
