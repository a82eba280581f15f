#include "screen/LinePipeline.h"
#include "screen/ScreenBuffer.h"

#include <QStringList>
#include <QTest>

#include <array>
#include <memory>

namespace {

// Writes down every call it gets, with the ring position it saw at that moment.
struct Journal {
    const ScreenBuffer* screen = nullptr;
    QStringList entries;
};

struct RecordingStage : LineSink {
    RecordingStage(Journal& journal, QString name)
        : m_journal(journal)
        , m_name(std::move(name)) {}
    void takeLine(QByteArrayView line) override {
        m_journal.entries.append(QStringLiteral("%1@%2:%3")
                                     .arg(m_name)
                                     .arg(m_journal.screen->currentIndex())
                                     .arg(QString::fromLatin1(line)));
    }

private:
    Journal& m_journal;
    QString m_name;
};

struct RecordingTap : ByteTap {
    explicit RecordingTap(Journal& journal)
        : m_journal(journal) {}
    void tapBytes(QByteArrayView bytes) override {
        m_journal.entries.append(QStringLiteral("relay:") +
                                 QString::fromLatin1(bytes.toByteArray().toHex()));
    }

private:
    Journal& m_journal;
};

const char* const scopeNames[ScopeSlotCount] = {"all", "160", "80", "40", "30", "20",
                                                "17",  "15",  "12", "10", "6",  "2"};

// A screen with a recording stage in every slot of the fan-out.
struct RecordedScreen {
    Journal journal;
    ScreenBuffer screen;
    LinePipeline pipeline;
    RecordingTap relay{journal};
    std::array<std::unique_ptr<RecordingStage>, ScopeSlotCount> scopes;
    RecordingStage log{journal, QStringLiteral("log")};
    RecordingStage sounds{journal, QStringLiteral("sounds")};
    RecordingStage saver{journal, QStringLiteral("saver")};
    RecordingStage linkCheck{journal, QStringLiteral("link")};

    RecordedScreen() {
        journal.screen = &screen;
        for (int i = 0; i < ScopeSlotCount; ++i) {
            scopes[size_t(i)] =
                std::make_unique<RecordingStage>(journal, QString::fromLatin1(scopeNames[i]));
            pipeline.setSpotConsumer(ScopeSlot(i), scopes[size_t(i)].get());
        }
        pipeline.setRelay(&relay);
        pipeline.setLog(&log);
        pipeline.setSoundTriggers(&sounds);
        pipeline.setScreenSaverCheck(&saver);
        pipeline.setLinkCheck(&linkCheck);
        screen.setPipeline(&pipeline);
    }
};

QStringList spotEntries(const QStringList& entries) {
    QStringList result;
    for (const QString& entry : entries) {
        const QString name = entry.section(QLatin1Char('@'), 0, 0);
        for (const char* scope : scopeNames) {
            if (name == QLatin1String(scope))
                result.append(entry);
        }
    }
    return result;
}

} // namespace

class LinePipelineTest : public QObject {
    Q_OBJECT

private slots:
    void completedLineGoesThroughStagesInOrder();
    void spotScopesSeeOnlyShortLines_data();
    void spotScopesSeeOnlyShortLines();
    void lockedScopeStillLogs();
    void emptySlotsAreSkipped();
    void trimmedForLog_data();
    void trimmedForLog();
};

void LinePipelineTest::completedLineGoesThroughStagesInOrder() {
    RecordedScreen recorded;
    recorded.screen.PutString("DX de M0TST:  \t\r\n");
    QStringList expected{QStringLiteral("relay:") +
                         QString::fromLatin1(QByteArray("DX de M0TST:  \t\r\n").toHex())};
    for (const char* scope : scopeNames)
        expected.append(QStringLiteral("%1@0:DX de M0TST:  \t").arg(QLatin1String(scope)));
    expected << QStringLiteral("log@0:DX de M0TST:") << QStringLiteral("sounds@0:DX de M0TST:")
             << QStringLiteral("saver@0:DX de M0TST:")
             // The link check is re-armed once the ring has moved on.
             << QStringLiteral("link@1:DX de M0TST:");
    QCOMPARE(recorded.journal.entries, expected);
}

void LinePipelineTest::spotScopesSeeOnlyShortLines_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("offered");
    QTest::newRow("81 bytes") << 81 << true;
    QTest::newRow("82 bytes") << 82 << false;
    QTest::newRow("84 bytes, cut by the width") << 84 << false;
    QTest::newRow("empty") << 0 << true;
}

void LinePipelineTest::spotScopesSeeOnlyShortLines() {
    QFETCH(int, length);
    QFETCH(bool, offered);
    RecordedScreen recorded;
    recorded.screen.PutString(QByteArray(length, 'a') + (length < 84 ? "\n" : ""));
    QCOMPARE(spotEntries(recorded.journal.entries).size(), offered ? ScopeSlotCount : 0);
    QVERIFY(recorded.journal.entries.contains(QStringLiteral("log@0:") +
                                              QString(length, QLatin1Char('a'))));
}

void LinePipelineTest::lockedScopeStillLogs() {
    RecordedScreen recorded;
    recorded.pipeline.setScopeLocked(true);
    recorded.screen.PutString("DX de M0TST:     14025.0  XX9ZZ\r\n");
    QVERIFY(spotEntries(recorded.journal.entries).isEmpty());
    QVERIFY(
        recorded.journal.entries.contains(QStringLiteral("log@0:DX de M0TST:     14025.0  XX9ZZ")));
    recorded.pipeline.setScopeLocked(false);
    recorded.screen.PutString("again\n");
    QCOMPARE(spotEntries(recorded.journal.entries).size(), ScopeSlotCount);
}

void LinePipelineTest::emptySlotsAreSkipped() {
    Journal journal;
    ScreenBuffer screen;
    journal.screen = &screen;
    LinePipeline pipeline;
    RecordingStage band20(journal, QStringLiteral("20"));
    pipeline.setSpotConsumer(ScopeSlot::Band20, &band20);
    screen.setPipeline(&pipeline);
    screen.PutString("one\r\ntwo\r\n");
    QCOMPARE(journal.entries,
             QStringList({QStringLiteral("20@0:one"), QStringLiteral("20@1:two")}));
}

void LinePipelineTest::trimmedForLog_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("trimmed");
    QTest::newRow("trailing blanks") << QByteArray("text   ") << QByteArray("text");
    QTest::newRow("bells and tabs") << QByteArray("spot 0944Z\a\a\t ") << QByteArray("spot 0944Z");
    QTest::newRow("leading blanks kept") << QByteArray("  14025.0") << QByteArray("  14025.0");
    QTest::newRow("only blanks") << QByteArray(" \x01\x1f ") << QByteArray();
    QTest::newRow("high bytes kept") << QByteArray("\xa0\xff") << QByteArray("\xa0\xff");
}

void LinePipelineTest::trimmedForLog() {
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, trimmed);
    QCOMPARE(LinePipeline::trimmedForLog(line).toByteArray(), trimmed);
}

QTEST_GUILESS_MAIN(LinePipelineTest)
#include "tst_linepipeline.moc"
