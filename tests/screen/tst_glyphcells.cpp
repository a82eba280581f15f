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

} // namespace

class GlyphCellsTest : public QObject {
    Q_OBJECT

private slots:
    void rowLooksAsDrawnText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("columns"); // how many fit
        QTest::newRow("spot") << u"DX de W3LPL:     14025.0  JA1XYZ       CW 599 up 2   1234Z"_s
                              << 200;
        QTest::newRow("Latin-1") << u"73 de Ñandú °±é ÿ"_s << 200;
        QTest::newRow("cut at the width") << u"0123456789"_s << 4;
        QTest::newRow("blanks only") << u"     "_s << 200;
    }
    void rowLooksAsDrawnText() {
        QFETCH(QString, text);
        QFETCH(int, columns);
        const QFont font = fixedFont();
        const int cell = QFontMetrics(font).horizontalAdvance(QLatin1Char('M'));
        GlyphCells cells;
        cells.setLook(font, Text, Background);
        const QImage row = cells.compose(text, columns * cell + cell / 2);
        const int shown = int(std::min<qsizetype>(text.size(), columns));
        QCOMPARE(row.width(), shown * cell);
        QCOMPARE(row, drawnAsText(font, text, shown * cell).convertToFormat(row.format()));
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

    // A new look draws new cells.
    void lookChangeRedrawsCells() {
        GlyphCells cells;
        cells.setLook(fixedFont(), Text, Background);
        const QImage before = cells.compose(u"W"_s, 1000);
        cells.setLook(fixedFont(), Qt::red, Qt::white);
        const QImage after = cells.compose(u"W"_s, 1000);
        QCOMPARE(after.pixelColor(0, 0), QColor(Qt::white));
        QVERIFY(before != after);
    }
};

QTEST_MAIN(GlyphCellsTest)
#include "tst_glyphcells.moc"
