#include "screen/HistorySheet.h"

#include "screen/ScreenTexts.h"
#include "widgets/Accessibility.h"
#include "widgets/TextViewLook.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

QPushButton* button(const char* name, QLatin1StringView caption, QLatin1StringView hint) {
    return named(new QPushButton(caption), name, caption, hint);
}

// Shows the busy pointer for as long as it lives.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace

HistorySheet::HistorySheet(const ScreenBuffer& screen, QWidget* parent)
    : QWidget(parent)
    , m_screen(screen) {
    setObjectName(QStringLiteral("HistorySheet"));
    m_mHistory = named(new QPlainTextEdit, "mHistory", ScreenTexts::HistoryName);
    m_mHistory->setReadOnly(true);
    // The caret stays usable, so the operator (and a screen reader) can move through the text.
    m_mHistory->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_mHistory->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_mHistory->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildSearchBar());
    layout->addWidget(m_mHistory, 1);
}

QWidget* HistorySheet::buildSearchBar() {
    m_panel3 = new QWidget;
    m_panel3->setObjectName(QStringLiteral("Panel3"));
    auto* refresh = button("Refresh", ScreenTexts::RefreshCaption, ScreenTexts::RefreshHint);
    m_eFind = named(new QLineEdit, "eFind", ScreenTexts::FindTextName);
    auto* bFindNext = button("bFindNext", ScreenTexts::NextCaption, ScreenTexts::TowardLastHint);
    auto* bFindPrev = button("bFindPrev", ScreenTexts::PrevCaption, ScreenTexts::TowardHeadHint);
    auto* bFind = button("bFind", ScreenTexts::FindCaption, ScreenTexts::TowardLastHint);
    m_chkIgnoreCase = named(new QCheckBox(ScreenTexts::IgnoreCaseCaption), "chkIgnoreCase",
                            ScreenTexts::IgnoreCaseCaption);
    m_chkIgnoreCase->setChecked(true);
    connect(refresh, &QPushButton::clicked, this, &HistorySheet::RefreshClick);
    connect(bFindNext, &QPushButton::clicked, this, &HistorySheet::bFindNextClick);
    connect(bFindPrev, &QPushButton::clicked, this, &HistorySheet::bFindPrevClick);
    connect(bFind, &QPushButton::clicked, this, &HistorySheet::bFindClick);
    connect(m_eFind, &QLineEdit::returnPressed, this, &HistorySheet::eFindReturnPressed);

    auto* layout = new QHBoxLayout(m_panel3);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* control : std::initializer_list<QWidget*>{refresh, m_eFind, bFindNext, bFindPrev,
                                                            bFind, m_chkIgnoreCase})
        layout->addWidget(control);
    layout->addStretch();
    return m_panel3;
}

void HistorySheet::setHistoryLines(int lines) {
    m_historyLines = lines;
}

void HistorySheet::setTerminalFont(const QFont& font, const QColor& text,
                                   const QColor& background) {
    showInTerminalLook(*m_mHistory, font, text, background);
}

void HistorySheet::setCharset(int windowsCharset) {
    m_charset.setCharset(windowsCharset);
}

void HistorySheet::RefreshClick() {
    const BusyPointer busy;
    m_mHistory->setUpdatesEnabled(false);
    m_mHistory->setPlainText(HistoryFind::historyText(m_screen, m_historyLines, m_charset));
    // The newest lines in view; the caret stays at the start, where a search begins.
    QScrollBar* scrollBar = m_mHistory->verticalScrollBar();
    scrollBar->setValue(scrollBar->maximum());
    m_mHistory->setUpdatesEnabled(true);
}

void HistorySheet::bFindClick() {
    searchMemo(HistoryFind::Direction::Find);
}

void HistorySheet::bFindNextClick() {
    searchMemo(HistoryFind::Direction::Next);
}

void HistorySheet::bFindPrevClick() {
    searchMemo(HistoryFind::Direction::Prev);
}

// Enter in the box finds, then the next match each time; the caret stays in the box, so
// the operator can go on pressing Enter or change the text.
void HistorySheet::eFindReturnPressed() {
    const QString selected = m_mHistory->textCursor().selectedText();
    const Qt::CaseSensitivity caseSensitivity =
        m_chkIgnoreCase->isChecked() ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const bool onMatch =
        !selected.isEmpty() && selected.compare(m_eFind->text(), caseSensitivity) == 0;
    searchMemo(onMatch ? HistoryFind::Direction::Next : HistoryFind::Direction::Find, false);
}

void HistorySheet::searchMemo(HistoryFind::Direction direction, bool focusMatch) {
    const QString key = m_eFind->text();
    QTextCursor cursor = m_mHistory->textCursor();
    const Qt::CaseSensitivity caseSensitivity =
        m_chkIgnoreCase->isChecked() ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const std::optional<qsizetype> found =
        HistoryFind::search(m_mHistory->document()->toPlainText(), cursor.selectionStart(), key,
                            direction, caseSensitivity);
    if (!found)
        return;
    if (focusMatch)
        m_mHistory->setFocus();
    cursor.setPosition(int(*found));
    cursor.setPosition(int(*found + key.size()), QTextCursor::KeepAnchor);
    m_mHistory->setTextCursor(cursor);
}
