#include "scope/ScopeSet.h"
#include "screen/LinePipeline.h"
#include "screen/ScreenBuffer.h"

#include <QStringList>
#include <QTest>

#include <deque>

namespace {

// Writes down every line or run of bytes it gets, with the ring position it saw then.
struct Recorder : LineSink, ByteTap {
    Recorder(QStringList& journal, const ScreenBuffer& screen, QString name)
        : m_journal(journal)
        , m_screen(screen)
        , m_name(std::move(name)) {}
    void takeLine(QByteArrayView line) override {
        m_journal.append(QStringLiteral("%1@%2:%3")
                             .arg(m_name)
                             .arg(m_screen.currentIndex())
                             .arg(QString::fromLatin1(line)));
    }
    void tapBytes(QByteArrayView bytes) override {
        m_journal.append(m_name + QLatin1Char(':') +
                         QString::fromLatin1(bytes.toByteArray().toHex()));
    }

private:
    QStringList& m_journal;
    const ScreenBuffer& m_screen;
    QString m_name;
};

// "all", or the band of a band table ("160" … "2").
QString tableName(const LineSink* table) {
    const auto* band = dynamic_cast<const BandScope*>(table);
    return band ? QLatin1String(bandRange(band->band()).name) : QStringLiteral("all");
}

// A screen with a recorder in every place of the fan-out: one in the place of each scope
// table, in the order the scope set hands its tables over.
struct RecordedScreen {
    QStringList journal;
    ScreenBuffer screen;
    LinePipeline pipeline;
    ScopeSet scopes;
    std::deque<Recorder> stages;

    RecordedScreen() {
        const auto stage = [this](const QString& name) {
            return &stages.emplace_back(journal, screen, name);
        };
        QList<LineSink*> tables;
        for (const LineSink* table : scopes.spotConsumers())
            tables << stage(tableName(table));
        pipeline.setSpotConsumers(tables);
        pipeline.setRelay(stage(QStringLiteral("relay")));
        pipeline.setLog(stage(QStringLiteral("log")));
        pipeline.setSoundTriggers(stage(QStringLiteral("sounds")));
        pipeline.setScreenSaverCheck(stage(QStringLiteral("saver")));
        pipeline.setLinkCheck(stage(QStringLiteral("link")));
        screen.setPipeline(&pipeline);
    }
};

} // namespace

class LinePipelineTest : public QObject {
    Q_OBJECT

private slots:
    void completedLineGoesThroughStagesInOrder() {
        RecordedScreen recorded;
        recorded.screen.PutString("DX de M0TST:  \t\r\n");
        QStringList expected{QStringLiteral("relay:") +
                                 QString::fromLatin1(QByteArray("DX de M0TST:  \t\r\n").toHex()),
                             QStringLiteral("all@0:DX de M0TST:  \t")};
        for (const BandRange& range : BandPlan)
            expected << QStringLiteral("%1@0:DX de M0TST:  \t").arg(QLatin1String(range.name));
        expected << QStringLiteral("log@0:DX de M0TST:") << QStringLiteral("sounds@0:DX de M0TST:")
                 << QStringLiteral("saver@0:DX de M0TST:")
                 // The link check is re-armed once the ring has moved on.
                 << QStringLiteral("link@1:DX de M0TST:");
        QCOMPARE(recorded.journal, expected);
    }

    void spotTablesSeeShortLinesOnly_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("offered");
        QTest::newRow("81 bytes") << 81 << true;
        QTest::newRow("82 bytes") << 82 << false;
        QTest::newRow("empty") << 0 << true;
    }
    void spotTablesSeeShortLinesOnly() {
        QFETCH(int, length);
        RecordedScreen recorded;
        recorded.screen.PutString(QByteArray(length, 'a') + '\n');
        const QString line(length, QLatin1Char('a'));
        QTEST(recorded.journal.contains(QStringLiteral("all@0:") + line), "offered");
        QVERIFY(recorded.journal.contains(QStringLiteral("log@0:") + line));
    }
};

QTEST_GUILESS_MAIN(LinePipelineTest)
#include "tst_linepipeline.moc"
