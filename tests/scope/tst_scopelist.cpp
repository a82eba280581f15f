// The scope lists change only the rows that changed: a listing shown after another
// leaves the view the same rows as a list drawn afresh, with the fewest row changes.

#include "SpotLines.h"
#include "base/DisplayCharset.h"
#include "scope/ScopeListDelegate.h"
#include "scope/ScopeListModel.h"
#include "scope/ScopeListView.h"
#include "scope/ScopeSet.h"
#include "scope/ScopeSheet.h"
#include "scope/SpotMarks.h"
#include "screen/ScreenBuffer.h"
#include "screen/TerminalFont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QListView>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyledItemDelegate>
#include <QTest>
#include <QWheelEvent>

namespace {

// "A:0 B:0" lists spot A, then spot B, each aged 0.
ScopeListing listingOf(const QByteArray& rows) {
    ScopeListing listing;
    for (const QByteArray& row : rows.split(' ')) {
        listing.lines << row;
        listing.spotKeys << row.left(row.indexOf(':'));
    }
    return listing;
}

// What the model tells its view, in order: "+1-2" rows 1 to 2 inserted, "-1-2" removed,
// "~1-2" changed, "reset" shown afresh.
QStringList editsOf(const QAbstractItemModel& model, const std::function<void()>& change) {
    QStringList edits;
    const auto rows = [&edits](const char* kind) {
        return [&edits, kind](const QModelIndex&, int first, int last) {
            edits << QString::fromLatin1(kind).arg(first).arg(last);
        };
    };
    QObject scope;
    QObject::connect(&model, &QAbstractItemModel::rowsInserted, &scope, rows("+%1-%2"));
    QObject::connect(&model, &QAbstractItemModel::rowsRemoved, &scope, rows("-%1-%2"));
    QObject::connect(&model, &QAbstractItemModel::dataChanged, &scope,
                     [&edits](const QModelIndex& top, const QModelIndex& bottom) {
                         edits << QStringLiteral("~%1-%2").arg(top.row()).arg(bottom.row());
                     });
    QObject::connect(&model, &QAbstractItemModel::modelReset, &scope,
                     [&edits] { edits << QStringLiteral("reset"); });
    change();
    return edits;
}

// The scope sheet on screen, its "All" list filled with one 20 m spot per call.
struct ShownSheet {
    ScreenBuffer screen;
    LinePipeline pipeline;
    ScopeSet scopes;
    ScopeSheet sheet{scopes, pipeline, screen};
    QListView* list = sheet.findChild<QListView*>(QStringLiteral("lstScope"));

    ShownSheet() {
        scopes.context().now = [] { return qint64(1767225600); };
        sheet.show();
    }
    void add(const QByteArray& khz, const QByteArray& call) {
        scopes.all().AddLine(SpotLines::dxDe("XX1AA:", khz, call));
        sheet.RefreshAll();
    }
};
} // namespace

class ScopeListTest : public QObject {
    Q_OBJECT

private slots:
    void listingReplacesListing_data();
    void listingReplacesListing();
    void charsetChangeDecodesAgain();
    void rowsLookAsInOtherLists();
    void tunedRowIsNearestOnBand_data();
    void tunedRowIsNearestOnBand();
    void marksShowAndSpotsActivate();
    void newSpotRepaintsRowsNotScrollBars();
    void everyRowScrollsIntoView();
};

void ScopeListTest::listingReplacesListing_data() {
    QTest::addColumn<QByteArray>("shown");
    QTest::addColumn<QByteArray>("next");
    QTest::addColumn<QString>("edits");
    const auto row = [](const char* name, const char* shown, const char* next, const char* edits) {
        QTest::newRow(name) << QByteArray(shown) << QByteArray(next) << QString::fromLatin1(edits);
    };
    row("spot enters", "A:0 C:0", "A:0 B:0 C:0", "+1-1");
    row("spot ages out", "A:0 B:0 C:0", "A:0 C:0", "-1-1");
    row("ages go up", "A:0 B:0 C:0", "A:1 B:0 C:1", "~0-0 ~2-2");
    row("filter hides", "A:0 B:0 C:0 D:0 E:0", "A:0 E:0", "-1-3");
    row("spot moves", "A:0 B:0 C:0 D:0", "A:0 C:0 B:0 D:0", "-1-1 +2-2");
    row("all new", "A:0 B:0", "C:0 D:0", "reset");
    row("key twice", "A:0 B:0", "A:0 A:1", "reset");
}

void ScopeListTest::listingReplacesListing() {
    QFETCH(QByteArray, shown);
    QFETCH(QByteArray, next);
    QFETCH(QString, edits);
    DisplayCharset charset;
    SpotMarks marks;
    ScopeListModel model(charset, marks, nullptr);
    model.show(listingOf(shown));
    QCOMPARE(editsOf(model, [&] { model.show(listingOf(next)); }).join(u' '), edits);
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.index(row).data().toString();
    QCOMPARE(texts.join(u' '), QString::fromLatin1(next));
}

void ScopeListTest::charsetChangeDecodesAgain() {
    DisplayCharset charset(0); // Windows-1252
    SpotMarks marks;
    ScopeListModel model(charset, marks, nullptr);
    model.show(listingOf("A:\xe9"));
    charset.setCharset(204); // Windows-1251
    model.show(listingOf("A:\xe9"));
    QCOMPARE(model.index(0).data().toString(), QStringLiteral("A:\u0439"));
}

// The rows are painted as the stock item painter paints them, the selected one on the
// highlight.
void ScopeListTest::rowsLookAsInOtherLists() {
    ShownSheet shown;
    shown.sheet.setListFont(asTerminalFont(QFontDatabase::systemFont(QFontDatabase::FixedFont)),
                            Qt::yellow, Qt::black);
    for (const char* call : {"K1AA", "K2BB", "K3CC"})
        shown.add("14025.0", call);
    QListView* list = shown.list;
    QTRY_COMPARE(list->model()->rowCount(), 3);
    list->setCurrentIndex(list->model()->index(1, 0));
    const QRect selectedRow = list->visualRect(list->currentIndex());
    QImage painted = list->viewport()->grab().toImage();
    const QColor highlight = list->palette().color(QPalette::Highlight);
    const QColor selectedBackground =
        painted.pixelColor(selectedRow.left() + 1, selectedRow.center().y());
    QVERIFY2(qAbs(selectedBackground.hue() - highlight.hue()) < 8,
             qPrintable(selectedBackground.name()));
    list->setItemDelegate(new QStyledItemDelegate(list));
    QImage stockPainted = list->viewport()->grab().toImage();
    QPainter(&painted).fillRect(selectedRow, Qt::black);
    QPainter(&stockPainted).fillRect(selectedRow, Qt::black);
    QCOMPARE(painted, stockPainted);
}

void ScopeListTest::tunedRowIsNearestOnBand_data() {
    QTest::addColumn<QVariant>("rigHz");
    QTest::addColumn<int>("row");
    const auto row = [](const char* name, QVariant hz, int tuned) {
        QTest::newRow(name) << hz << tuned;
    };
    row("on a spot", qint64(14025000), 1);
    row("nearer of two", qint64(14025600), 2);
    row("within 1 kHz", qint64(14023900), 0);
    row("beyond 1 kHz", qint64(14027200), -1);
    row("40 m", qint64(7025000), 3);
    row("band edge", qint64(2000300), -1);
    row("no band", qint64(5357000), -1);
    row("no rig", QVariant(), -1);
}

void ScopeListTest::tunedRowIsNearestOnBand() {
    QFETCH(QVariant, rigHz);
    QFETCH(int, row);
    SpotMarks marks;
    marks.setRigFrequency(rigHz.isValid() ? std::optional(rigHz.toLongLong()) : std::nullopt);
    const QList<QByteArray> keys = {"  14024.8K1AA        ", "  14025.03Y0X        ",
                                    "  14026.0K2BB        ", "   7026.0K3CC        ",
                                    "   2001.0K4DD        "};
    QCOMPARE(marks.tunedRow(keys), row);
    QCOMPARE(SpotKey::call(keys[1]), QByteArrayView("3Y0X"));
}

// A watched station's row is drawn on amber and named so to a screen reader; the rig's
// spot is framed; a double click or Enter offers the row's spot from the table.
void ScopeListTest::marksShowAndSpotsActivate() {
    ShownSheet shown;
    shown.sheet.setListFont(asTerminalFont(QFontDatabase::systemFont(QFontDatabase::FixedFont)),
                            Qt::white, Qt::black);
    for (const char* call : {"K1AA", "3Y0X"})
        shown.add("14025.0", call);
    QListView* list = shown.list;
    QTRY_COMPARE(list->model()->rowCount(), 2);
    SpotMarks& marks = shown.sheet.marks();
    marks.setWatchTest([](QByteArrayView call) { return call == "3Y0X"; });
    marks.setRigFrequency(14025300);
    const QModelIndex tuned = list->model()->index(0, 0); // the first of two as near
    const QModelIndex watched = list->model()->index(1, 0);
    QCOMPARE(tuned.data(Qt::AccessibleDescriptionRole).toString(),
             QStringLiteral("the rig is tuned here"));
    QCOMPARE(watched.data(Qt::AccessibleDescriptionRole).toString(),
             QStringLiteral("on the watch list"));
    const QImage painted = list->viewport()->grab().toImage();
    const QRect row = list->visualRect(watched);
    const QColor amber(0xFF, 0xD7, 0x5E);
    QCOMPARE(painted.pixelColor(row.center()), amber);
    QCOMPARE(painted.pixelColor(row.left() + 4, row.center().y()), amber); // under a blank
    const QRect tunedRow = list->visualRect(tuned);
    QCOMPARE(painted.pixelColor(tunedRow.center().x(), tunedRow.top()), QColor(Qt::white));

    QSignalSpy activated(&shown.sheet, &ScopeSheet::spotActivated);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center()); // as a mouse does
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
    list->setFocus();
    list->setCurrentIndex(tuned);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(activated.size(), 2);
    const auto spotOf = [&](int call) { return activated[call][0].value<DxSpot>(); };
    QCOMPARE(spotOf(0).dxCallView().trimmed(), "3Y0X");
    QCOMPARE(spotOf(1).dxCallView().trimmed(), "K1AA");
    QCOMPARE(spotOf(1).freqKhz, 14025.0);
}

// Rows wider and more than the view: both bars show, the one beside the rows scrolls
// them as Qt's own would, and a new spot in a full list changes only its own row and the
// one it drops, and repaints the rows and nothing around them.
void ScopeListTest::newSpotRepaintsRowsNotScrollBars() {
    ShownSheet shown;
    QFont large = asTerminalFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    large.setPointSize(16);
    shown.sheet.setListFont(large, Qt::white, Qt::black);
    shown.sheet.resize(300, 200);
    auto* list = qobject_cast<ScopeListView*>(shown.list);
    QVERIFY(list);
    QScrollBar* downBar = list->downBar();
    shown.add("14000.0", "K1AA"); // one row: no bar, and no margin for it
    QTRY_VERIFY(list->horizontalScrollBar()->isVisible());
    QVERIFY(!downBar->isVisible());
    QCOMPARE(list->viewport()->geometry().right(), list->contentsRect().right());
    for (int khz = 14001; khz < 14000 + SpotScope::Capacity; ++khz)
        shown.add(QByteArray::number(khz) + ".0", "K" + QByteArray::number(khz));
    QTRY_VERIFY(downBar->isVisible() && list->horizontalScrollBar()->isVisible());
    QVERIFY(list->contentsRect().contains(downBar->geometry()));
    QVERIFY(!list->viewport()->geometry().intersects(downBar->geometry()));

    downBar->setValue(downBar->maximum());
    const QModelIndex last = list->model()->index(list->model()->rowCount() - 1, 0);
    QVERIFY(list->viewport()->rect().contains(list->visualRect(last).bottomLeft()));
    QWheelEvent up(QPointF(10, 10), list->viewport()->mapToGlobal(QPointF(10, 10)), {},
                   QPoint(0, 120), Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list->viewport(), &up);
    QVERIFY(downBar->value() < downBar->maximum());

    struct Paints : QObject {
        QHash<QObject*, int> counts;
        bool eventFilter(QObject* watched, QEvent* event) override {
            counts[watched] += event->type() == QEvent::Paint;
            return false;
        }
    } paints;
    QCoreApplication::processEvents(); // the paints scrolling asked for
    const QList<QScrollBar*> bars = list->findChildren<QScrollBar*>();
    for (QScrollBar* bar : bars)
        bar->installEventFilter(&paints);
    list->viewport()->installEventFilter(&paints);
    const QStringList edits = editsOf(*list->model(), [&] {
        shown.add("14020.5", "JA1ABC");
        QTRY_VERIFY(paints.counts.value(list->viewport()) > 0);
    });
    QCOMPARE(edits, QStringList({QStringLiteral("-0-0"), QStringLiteral("+20-20")}));
    QVERIFY(list->model()->index(20, 0).data().toString().contains(QStringLiteral("JA1ABC")));
    for (QScrollBar* bar : bars)
        QCOMPARE(paints.counts.value(bar), 0);
}

// All rows are as wide as the widest, whichever row comes first, so the end of every
// row can be scrolled to.
void ScopeListTest::everyRowScrollsIntoView() {
    DisplayCharset charset(0);
    SpotMarks marks;
    ScopeListView list;
    list.setModel(new ScopeListModel(charset, marks, &list));
    list.setItemDelegate(new ScopeListDelegate(&list));
    list.setUniformItemSizes(true);
    list.resize(200, 200);
    list.show();
    const QByteArray longest = "B:" + QByteArray(120, 'x');
    static_cast<ScopeListModel*>(list.model())->show(listingOf("A:x " + longest + " C:x"));
    QTRY_VERIFY(list.horizontalScrollBar()->maximum() > 0);
    const int range = list.horizontalScrollBar()->maximum();
    QVERIFY(range + list.viewport()->width() >=
            list.fontMetrics().horizontalAdvance(QString::fromLatin1(longest)));
    // A flood's list is filled afresh at each redraw: its width holds until it is empty.
    auto* model = static_cast<ScopeListModel*>(list.model());
    model->show(listingOf("D:x E:x F:x G:x"));
    QCOMPARE(model->index(0).data(ScopeListModel::WidestTextRole).toString().size(),
             longest.size());
    list.doItemsLayout(); // the layout the new rows ask for, now
    QCOMPARE(list.horizontalScrollBar()->maximum(), range);
    model->show(ScopeListing());
    model->show(listingOf("H:x"));
    QCOMPARE(model->index(0).data(ScopeListModel::WidestTextRole).toString(),
             QStringLiteral("H:x"));
}

QTEST_MAIN(ScopeListTest)
#include "tst_scopelist.moc"
