#include "scope/TfFilter.h"

#include "scope/ScopeTexts.h"
#include "scope/SpotScope.h"
#include "widgets/Accessibility.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* groupButton(const char* name, QLatin1StringView caption, QLatin1StringView hint) {
    auto* button = new QPushButton(caption);
    button->setObjectName(QLatin1String(name));
    describeControl(button, caption, hint);
    return button;
}

} // namespace

TfFilter::TfFilter(BandFilter& filter, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint)
    , m_filter(filter) {
    setObjectName(QStringLiteral("fFilter"));
    setWindowTitle(ScopeTexts::FilterTitle);
    auto* boxes = new QGridLayout;
    for (int i = 0; i < BandCount; ++i) {
        const Band band = Band(i);
        auto* box = new QCheckBox(QString::fromLatin1(bandRange(band).filterCaption));
        box->setObjectName(QStringLiteral("chk") + QLatin1String(bandRange(band).name));
        box->setChecked(m_filter.isChecked(band));
        describeControl(box, box->text());
        connect(box, &QCheckBox::toggled, this, [this, band] { chk160Click(band); });
        boxes->addWidget(box, i % 6, i / 6);
        m_boxes[size_t(i)] = box;
    }
    auto* bAll = groupButton("bAll", ScopeTexts::AllBandsCaption, ScopeTexts::AllBandsHint);
    auto* bWarc = groupButton("bWarc", ScopeTexts::WarcCaption, ScopeTexts::WarcHint);
    auto* bLow = groupButton("bLow", ScopeTexts::LowCaption, ScopeTexts::LowHint);
    auto* bHigh = groupButton("bHigh", ScopeTexts::HighCaption, ScopeTexts::HighHint);
    connect(bAll, &QPushButton::clicked, this, &TfFilter::bAllClick);
    connect(bWarc, &QPushButton::clicked, this, &TfFilter::bWarcClick);
    connect(bLow, &QPushButton::clicked, this, &TfFilter::bLowClick);
    connect(bHigh, &QPushButton::clicked, this, &TfFilter::bHighClick);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {bAll, bWarc, bLow, bHigh})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfFilter::chk160Click(Band band) {
    m_filter.setChecked(band, box(band)->isChecked());
    // The two lowest bands wait for the list's next redraw.
    if (band != Band::M160 && band != Band::M80)
        emit refreshAll();
}

void TfFilter::setBox(Band band, bool checked) {
    const QSignalBlocker quiet(box(band)); // the group buttons refresh the list themselves
    box(band)->setChecked(checked);
    m_filter.setChecked(band, checked);
}

void TfFilter::checkOnly(std::initializer_list<Band> bands) {
    for (int i = 0; i < BandCount; ++i)
        setBox(Band(i), false);
    emit refreshAll();
    for (Band band : bands)
        setBox(band, true);
    emit refreshAll();
}

void TfFilter::bAllClick() {
    for (int i = 0; i < BandCount; ++i)
        setBox(Band(i), true);
    emit refreshAll();
}

void TfFilter::bWarcClick() {
    checkOnly({Band::M30, Band::M17, Band::M12});
}

void TfFilter::bLowClick() {
    checkOnly({Band::M160, Band::M80, Band::M40});
}

void TfFilter::bHighClick() {
    checkOnly({Band::M20, Band::M15, Band::M10});
}
