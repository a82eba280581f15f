#include "screen/HistorySheet.h"
#include "screen/ScreenBuffer.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

class HistorySheetTest : public QObject {
    Q_OBJECT

private slots:
    void operatorRefreshesAndSearches();
};

// Refresh, type a search text and press the buttons as an operator would.
void HistorySheetTest::operatorRefreshesAndSearches() {
    ScreenBuffer screen;
    for (int i = 0; i < 60; ++i)
        screen.PutString("DX de K1ABC:     14025.0  JA1XYZ       cq " + QByteArray::number(i) +
                         "\r\n");
    HistorySheet sheet(screen);
    sheet.setHistoryLines(50);
    sheet.setTerminalFont(QFont(), Qt::green, Qt::black);
    sheet.resize(500, 300);
    sheet.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sheet));
    auto* memo = sheet.findChild<QPlainTextEdit*>(QStringLiteral("mHistory"));
    auto press = [&sheet](const char* name) {
        QTest::mouseClick(sheet.findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
    };
    QList<QWidget*> controls = sheet.searchBar().findChildren<QWidget*>();
    controls.append(memo);
    for (const QWidget* control : controls)
        QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(memo->palette().color(QPalette::Base), QColor(Qt::black));

    press("Refresh");
    QCOMPARE(memo->blockCount(), 50);
    QCOMPARE(memo->verticalScrollBar()->value(), memo->verticalScrollBar()->maximum());
    QVERIFY(!QApplication::overrideCursor());

    QTest::keyClicks(sheet.findChild<QLineEdit*>(QStringLiteral("eFind")),
                     QStringLiteral("ja1xyz"));
    press("bFind");
    QCOMPARE(memo->textCursor().selectedText(), QStringLiteral("JA1XYZ"));
    QCOMPARE(memo->textCursor().blockNumber(), 0);
    QVERIFY(memo->hasFocus());
    press("bFindNext");
    QCOMPARE(memo->textCursor().blockNumber(), 1);
    press("bFindPrev");
    QCOMPARE(memo->textCursor().blockNumber(), 0);

    QTest::mouseClick(sheet.findChild<QCheckBox*>(QStringLiteral("chkIgnoreCase")), Qt::LeftButton);
    press("bFindNext");
    QCOMPARE(memo->textCursor().blockNumber(), 0); // nothing found: the selection stays
    QCOMPARE(memo->textCursor().selectedText(), QStringLiteral("JA1XYZ"));
}

QTEST_MAIN(HistorySheetTest)
#include "tst_historysheet.moc"
