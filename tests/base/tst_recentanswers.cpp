#include "base/RecentAnswers.h"

#include <QTest>

class TestRecentAnswers : public QObject {
    Q_OBJECT
private slots:
    void eachKeyGetsItsOwnAnswer_data();
    void eachKeyGetsItsOwnAnswer();
    void clearForgetsEveryAnswer();
};

void TestRecentAnswers::eachKeyGetsItsOwnAnswer_data() {
    QTest::addColumn<QByteArrayList>("keys");
    QTest::addColumn<int>("asked");
    QTest::newRow("asked again") << QByteArrayList{"K1AB", "K1AB", "K1AB"} << 1;
    QTest::newRow("same length, same slot") << QByteArrayList{"K1AB", "K1AC", "K1AB"} << 3;
    QTest::newRow("one the other's start") << QByteArrayList{"K1", "K1AB", "K1"} << 3;
    QTest::newRow("longer than a slot holds") << QByteArrayList{"K1ABCDEFG", "K1ABCDEFG"} << 2;
    QTest::newRow("empty") << QByteArrayList{"", ""} << 1;
}

// One slot, so that every key lands where the one before it was kept.
void TestRecentAnswers::eachKeyGetsItsOwnAnswer() {
    QFETCH(QByteArrayList, keys);
    QFETCH(int, asked);
    RecentAnswers<QByteArray, 8, 1> answers;
    int asks = 0;
    const auto echo = [&asks](QByteArrayView key) {
        ++asks;
        return key.toByteArray();
    };
    for (const QByteArray& key : keys)
        QCOMPARE(answers.answer(key, echo), key);
    QCOMPARE(asks, asked);
}

void TestRecentAnswers::clearForgetsEveryAnswer() {
    RecentAnswers<int, 8, 4> answers;
    int answer = 1;
    const auto next = [&answer](QByteArrayView) { return answer++; };
    QCOMPARE(answers.answer("DL1ABC", next), 1);
    QCOMPARE(answers.answer("DL1ABC", next), 1);
    answers.clear();
    QCOMPARE(answers.answer("DL1ABC", next), 2);
}

QTEST_APPLESS_MAIN(TestRecentAnswers)
#include "tst_recentanswers.moc"
