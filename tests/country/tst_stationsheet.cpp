// The "Station" sheet, typed into as an operator does: a locator is taken once it is one
// and said not to be one until then; continents and ticks go into the settings at once.

#include "country/CountryTexts.h"
#include "country/StationSettings.h"
#include "country/StationSheet.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

class StationSheetTest : public QObject {
    Q_OBJECT

private slots:
    void typedEditsReachTheSettings() {
        StationSettings settings;
        settings.locator = QStringLiteral("PM95");
        settings.spotterContinents = QStringLiteral("AS");
        StationSheet sheet(settings, QStringLiteral("VER20230502 (cty.csv)"));
        sheet.show();
        QVERIFY(QTest::qWaitForWindowActive(&sheet));
        QCOMPARE(sheet.findChild<QLabel*>(QStringLiteral("lCountryFile"))->text(),
                 QStringLiteral("VER20230502 (cty.csv)"));
        QVERIFY(sheet.findChild<QCheckBox*>(QStringLiteral("chkSpottersAS"))->isChecked());
        QSignalSpy changed(&sheet, &StationSheet::changed);

        auto* locator = sheet.findChild<QLineEdit*>(QStringLiteral("eLocator"));
        QCOMPARE(locator->accessibleName(), CountryTexts::Locator);
        locator->setFocus();
        locator->selectAll();
        QTest::keyClicks(locator, QStringLiteral("jn5"));
        QCOMPARE(settings.locator, QStringLiteral("PM95")); // not a locator yet: the last stays
        QCOMPARE(locator->accessibleDescription(), CountryTexts::LocatorInvalid);
        QTest::keyClicks(locator, QStringLiteral("8TD"));
        QCOMPARE(settings.locator, QStringLiteral("JN58td"));
        QVERIFY(locator->accessibleDescription().isEmpty());

        sheet.findChild<QCheckBox*>(QStringLiteral("chkSpottersEU"))->click();
        sheet.findChild<QCheckBox*>(QStringLiteral("chkHideWorked"))->click();
        sheet.findChild<QCheckBox*>(QStringLiteral("chkAlertNewBand"))->click();
        QCOMPARE(settings.spotterContinents, QStringLiteral("AS EU"));
        QVERIFY(settings.hideWorked);
        QVERIFY(settings.alertNewBand);
        QVERIFY(!settings.alertNewOne);
        QCOMPARE(changed.count(),
                 5); // JN58 (a locator at its fourth character), JN58td, three boxes
    }
};

QTEST_MAIN(StationSheetTest)
#include "tst_stationsheet.moc"
