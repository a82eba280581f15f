// The "Watch" sheet shows the watch settings and puts every edit back into them.

#include "watch/WatchSettings.h"
#include "watch/WatchSheet.h"
#include "watch/WatchTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class WatchSheetTest : public QObject {
    Q_OBJECT

private slots:
    void editsTheSettings() {
        WatchSettings settings{u"XX9ZZ 3Y0*"_s, u"/usr/share/sounds/alert.wav"_s, false};
        WatchSheet sheet(settings);
        auto* calls = sheet.findChild<QPlainTextEdit*>(u"mWatchCalls"_s);
        QCOMPARE(calls->toPlainText(), u"XX9ZZ\n3Y0*"_s);
        QCOMPARE(calls->accessibleName(), WatchTexts::Calls);
        QCOMPARE(sheet.findChild<QLineEdit*>(u"eWatchWav"_s)->text(), u"alert.wav"_s);

        QSignalSpy changed(&sheet, &WatchSheet::changed);
        calls->setPlainText(u"*/MM\n\nLA/XX9ZZ, 3Y0*"_s);
        sheet.findChild<QCheckBox*>(u"chkWatchSound"_s)->click();
        QCOMPARE(settings,
                 (WatchSettings{u"*/MM LA/XX9ZZ 3Y0*"_s, u"/usr/share/sounds/alert.wav"_s, true}));
        QCOMPARE(changed.count(), 2);
    }
};

QTEST_MAIN(WatchSheetTest)
#include "tst_watchsheet.moc"
