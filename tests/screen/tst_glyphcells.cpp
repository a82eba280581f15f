#include "screen/GlyphCells.h"
#include "screen/TerminalFont.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

const QColor Text(Qt::yellow);
const QColor Background(0, 0, 128);

QFont fixedFont() {
    return asTerminalFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

// The text as the terminal draws a row without cells.
QImage drawnAsText(const QFont& font, const QString& text, int width) {
    const QFontMetrics metrics(font);
    QImage image(width, metrics.height(), QImage::Format_RGB32);
    image.fill(Background);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Text);
    painter.drawText(QPoint(0, metrics.ascent()), text);
    return image;
}

bool allBackground(const QImage& image) {
    QImage blank(image.size(), image.format());
    blank.fill(Background);
    return image == blank;
}

} // namespace

class GlyphCellsTest : public QObject {
    Q_OBJECT

private slots:
    // The fixed-pitch fonts a Debian desktop offers, at the sizes an operator picks most;
    // several put ink outside their characters' cells (W, w, K, _, accents, FreeMono Bold's
    // A and M on both sides).
    void rowLooksAsDrawnText_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("points");
        QTest::addColumn<bool>("bold");
        for (const char* family :
             {"DejaVu Sans Mono", "Liberation Mono", "Noto Sans Mono", "FreeMono"}) {
            for (const int points : {9, 14, 18})
                QTest::addRow("%s %d", family, points)
                    << QString::fromLatin1(family) << points << false;
            QTest::addRow("%s 14 bold", family) << QString::fromLatin1(family) << 14 << true;
        }
    }
    void rowLooksAsDrawnText() {
        QFETCH(QString, family);
        QFETCH(int, points);
        QFETCH(bool, bold);
        if (!QFontDatabase::families().contains(family))
            QSKIP(qPrintable(family + u" is not installed (scripts/deps.sh test installs it)"_s));
        QFont font(family, points);
        font.setBold(bold);
        font = asTerminalFont(font);
        const int cell = QFontMetrics(font).horizontalAdvance(QLatin1Char('M'));
        GlyphCells cells;
        cells.setLook(font, Text, Background);
        const QList<std::pair<QString, int>> texts = {
            {u"DX de W3LPL:     14025.0  JA1XYZ       CW 599 up 2   1234Z"_s, 200},
            {u"73 de Ñandú °±é ÿ ©®¼½¾ ÀÁÂÃÄÅÆ æ ØÝ µ¸¿Ç"_s, 200},
            {u"#%&@_¯ AKMNRVWXY bdgjkmqvwy |"_s, 200},
            {u"QRZ? W"_s, 200},   // ink beyond the last character
            {u"WWWWWWWWWW"_s, 4}, // cut at the width: the next W still reaches in
            {u"     "_s, 200},
        };
        for (const auto& [text, columns] : texts) {
            const QImage row = cells.compose(text, columns * cell + cell / 2);
            QVERIFY2(!row.isNull(), qPrintable(text));
            const int shown = int(std::min<qsizetype>(text.size(), columns));
            const QImage drawn = drawnAsText(font, text, (shown + 1) * cell);
            const bool cut = shown < text.size();
            // One cell wider only where the last character's ink reaches beyond it.
            const int width =
                cut || allBackground(drawn.copy(shown * cell, 0, cell, drawn.height()))
                    ? shown * cell
                    : (shown + 1) * cell;
            QCOMPARE(row.width(), width);
            QVERIFY2(row == drawn.copy(0, 0, width, drawn.height()).convertToFormat(row.format()),
                     qPrintable(text));
        }
    }

    void rowWithoutCellsIsLeftToText() {
        GlyphCells cells;
        cells.setLook(fixedFont(), Text, Background);
        QVERIFY(cells.compose(u"DX de 7K1ABC: あ"_s, 1000).isNull());
        QVERIFY(cells.compose(u"20 € up"_s, 1000).isNull());
        QVERIFY(cells.compose(u"tab\tbell\a"_s, 1000).isNull());
        QVERIFY(!cells.compose(u"DX de 7K1ABC:"_s, 1000).isNull());
    }

    void fontOfFractionalWidthIsLeftToText() {
        QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setHintingPreference(QFont::PreferNoHinting);
        font.setPixelSize(13);
        const qreal advance = QFontMetricsF(font).horizontalAdvance(QLatin1Char('M'));
        if (advance == std::round(advance))
            QSKIP("this system's fixed font is a whole number of pixels wide unhinted");
        GlyphCells cells;
        cells.setLook(font, Text, Background);
        QVERIFY(cells.compose(u"CQ"_s, 1000).isNull());
    }
};

QTEST_MAIN(GlyphCellsTest)
#include "tst_glyphcells.moc"
