#include "screen/HistorySheet.h"
#include "screen/ScreenBuffer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

class HistorySheetTest : public QObject {
    Q_OBJECT

private slots:
    void operatorRefreshesAndSearches();
};

// Refresh, type a search text and press the buttons as an operator would.
void HistorySheetTest::operatorRefreshesAndSearches() {
    ScreenBuffer screen;
    for (int i = 1; i <= 6000; ++i)
        screen.PutString("DX de K1ABC:     14025.0  JA1XYZ       cq " + QByteArray::number(i) +
                         "\r\n");
    screen.PutString("login: ");
    HistorySheet sheet(screen);
    sheet.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sheet));
    auto* memo = sheet.findChild<QPlainTextEdit*>(QStringLiteral("mHistory"));
    const auto press = [&sheet, memo](const char* name) {
        QTest::mouseClick(sheet.findChild<QAbstractButton*>(QLatin1String(name)), Qt::LeftButton);
        return memo->textCursor();
    };
    sheet.setHistoryLines(10); // 9 lines and the one under construction
    QCOMPARE(press("Refresh").document()->blockCount(), 10);
    QVERIFY(memo->document()->firstBlock().text().endsWith(u" cq 5992"));
    QCOMPARE(memo->document()->lastBlock().text(), QStringLiteral("login: "));
    sheet.setHistoryLines(5000); // never more than 4900
    QCOMPARE(press("Refresh").document()->blockCount(), 4900);
    QVERIFY(memo->document()->firstBlock().text().endsWith(u" cq 1102"));
    QCOMPARE(memo->verticalScrollBar()->value(), memo->verticalScrollBar()->maximum());
    QVERIFY(!QApplication::overrideCursor());

    QTest::keyClicks(sheet.findChild<QLineEdit*>(QStringLiteral("eFind")),
                     QStringLiteral("ja1xyz"));
    QCOMPARE(press("bFind").selectedText(), QStringLiteral("JA1XYZ"));
    QVERIFY(memo->hasFocus());
    QCOMPARE(press("bFindNext").blockNumber(), 1);
    QCOMPARE(press("bFindPrev").blockNumber(), 0);
    press("chkIgnoreCase");
    QCOMPARE(press("bFindNext").blockNumber(), 0); // nothing found: the selection stays
    QCOMPARE(memo->textCursor().selectedText(), QStringLiteral("JA1XYZ"));
}

QTEST_MAIN(HistorySheetTest)
#include "tst_historysheet.moc"
