// The reconnect dialog and the main window's check box, on the offscreen platform.

#include "net/LastConnection.h"
#include "net/NodeConnection.h"
#include "net/OperatorMessages.h"
#include "net/reconnect/ReconnectPanel.h"
#include "net/reconnect/TfReconn.h"
#include "screen/ScreenBuffer.h"
#include "send/LineSender.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

class TfReconnTest : public QObject {
    Q_OBJECT

private slots:
    void countdownShownAndEnded_data();
    void countdownShownAndEnded();
};

void TfReconnTest::countdownShownAndEnded_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("attempts");
    QTest::addColumn<bool>("nextOfferShows");
    QTest::newRow("runs out") << QString() << 1 << true;
    QTest::newRow("ABORT") << QStringLiteral("ABORT") << 0 << true;
    QTest::newRow("Escape") << QStringLiteral("Escape") << 0 << true;
    QTest::newRow("program closing") << QStringLiteral("program closing") << 0 << false;
    QTest::newRow("Reconnect not ticked") << QStringLiteral("not ticked") << 0 << false;
}

void TfReconnTest::countdownShownAndEnded() {
    QFETCH(QString, how);
    QFETCH(int, attempts);
    QFETCH(bool, nextOfferShows);
    ScreenBuffer screen;
    NodeConnection connection(screen);
    LineSender sender(connection.sender(), screen);
    LastConnection last;
    OperatorMessages messages;
    QWidget window;
    ReconnectPanel panel(connection, sender, last, messages, &window);
    TfReconn& dialog = panel.dialog();
    QCheckBox* chkReconnect = panel.button();
    int calls = 0;
    last.SetLastNode(1);
    panel.countdown().setActions({[&calls] { ++calls; }, {}});
    panel.countdown().setSecondsSource([] { return 20; });
    panel.countdown().setMillisecondsPerSecond(3);
    chkReconnect->setChecked(how != QLatin1String("not ticked"));
    panel.countdown().offer(QStringLiteral("127.0.0.1"));
    QCOMPARE(dialog.isVisible(), chkReconnect->isChecked());
    if (dialog.isVisible()) {
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("Try to reconnect -> 127.0.0.1"));
        auto* bar = dialog.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
        QCOMPARE(QList<int>({bar->maximum(), bar->value()}), QList<int>({20, 20}));
    }
    if (how == QLatin1String("ABORT"))
        dialog.findChild<QPushButton*>(QStringLiteral("bAbort"))->click();
    else if (how == QLatin1String("Escape"))
        QTest::keyClick(&dialog, Qt::Key_Escape);
    else if (how == QLatin1String("program closing"))
        panel.stop();
    QTRY_VERIFY(!dialog.isVisible());
    QVERIFY(!panel.countdown().isCounting());
    QCOMPARE(calls, attempts);
    panel.countdown().offer(QStringLiteral("127.0.0.1"));
    QCOMPARE(dialog.isVisible(), nextOfferShows);
}

QTEST_MAIN(TfReconnTest)
#include "tst_tfreconn.moc"
