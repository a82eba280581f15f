#include "ModalDriver.h"
#include "files/FilesTexts.h"
#include "files/LogPanel.h"
#include "screen/LinePipeline.h"
#include "screen/ScreenBuffer.h"
#include "settings/SettingsFile.h"

#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The operator starts a log, stops it, and starts it again on the same day through the
// menu, adding to the morning's file.
class LogPanelTest : public QObject {
    Q_OBJECT

private slots:
    void startStopAndAddOnTheSameDay() {
        QTemporaryDir dir;
        SettingsFile settings(dir.filePath(QStringLiteral("Kestrel.ini")));
        QVERIFY(settings.SaveLogDir(dir.path()));
        ScreenBuffer screen;
        LinePipeline pipeline;
        screen.setPipeline(&pipeline);
        QWidget window;
        LogPanel controller(pipeline, settings, &window);
        QMenu menu;
        controller.addMenuItem(&menu);
        QAction* logStart1 = menu.findChild<QAction*>(QStringLiteral("LogStart1"));
        QCOMPARE(logStart1->text(), FilesTexts::LogStartMenuItem);
        QSignalSpy status(&controller, &LogPanel::statusTextChanged);
        const QString path = dir.filePath(LogToggle::proposedName());

        ModalDriver driver;
        QStringList seen;
        const auto acceptProposed = [&](QWidget* dialog) {
            auto* save = qobject_cast<QFileDialog*>(dialog);
            seen << save->windowTitle() << save->directory().path()
                 << save->selectedFiles().value(0);
            static_cast<QDialog*>(dialog)->accept();
        };
        driver.then(acceptProposed);
        driver.thenAnswerMessage(QMessageBox::Yes);
        driver.then(acceptProposed);
        driver.then([&](QWidget* dialog) {
            seen << dialog->findChild<QLabel*>(QStringLiteral("Label1"))->text();
            dialog->findChild<QPushButton*>(QStringLiteral("bAdd"))->click();
        });

        controller.button()->click();
        QCOMPARE(controller.button()->text(), FilesTexts::LogEndButton);
        QCOMPARE(logStart1->text(), FilesTexts::LogEndButton);
        QCOMPARE(status.takeLast().at(0).toString(), path);
        screen.PutString("morning\n");
        controller.button()->click();
        QCOMPARE(logStart1->text(), FilesTexts::LogStartButton);
        logStart1->trigger();
        screen.PutString("evening\n");
        controller.close();

        QVERIFY(driver.allStepsTaken());
        QVERIFY(driver.unexpected().isEmpty());
        QCOMPARE(driver.messages(), QStringList(FilesTexts::StopLogging));
        const QStringList proposal{FilesTexts::LogDialogTitle, dir.path(), path};
        QCOMPARE(seen, proposal + proposal +
                           QStringList(LogToggle::proposedName() + FilesTexts::AlreadyExists));
        QCOMPARE(controller.button()->text(), FilesTexts::LogStartButton);
        QCOMPARE(status.takeLast().at(0).toString(), QString());
        QFile log(path);
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(log.readAll(), QByteArray("morning\nevening\n"));
    }
};

QTEST_MAIN(LogPanelTest)
#include "tst_logpanel.moc"
