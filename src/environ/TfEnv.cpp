#include "environ/TfEnv.h"

#include "base/DisplayCharset.h"
#include "desktop/SoundFiles.h"
#include "environ/EnvTexts.h"
#include "environ/EnvironmentHost.h"
#include "screen/TerminalFont.h"
#include "script/ScriptFiles.h"
#include "widgets/Accessibility.h"
#include "widgets/MessageBoxes.h"
#include "widgets/SingleLineField.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

using namespace EnvironmentRules;

// An up-down whose field shows what its index stands for ("9600", "CTS/RTS").
class ListUpDown : public QSpinBox {
public:
    explicit ListUpDown(QStringList texts)
        : m_texts(std::move(texts)) {}

protected:
    QString textFromValue(int value) const override { return m_texts.value(value); }
    int valueFromText(const QString& text) const override {
        return int(std::max<qsizetype>(m_texts.indexOf(text), 0));
    }
    QValidator::State validate(QString& text, int&) const override {
        return m_texts.contains(text) ? QValidator::Acceptable : QValidator::Intermediate;
    }

private:
    QStringList m_texts;
};

QPushButton* makeButton(const char* name, const QString& caption) {
    return named(new QPushButton(caption), name, caption);
}

// An up-down with the read-only field that shows its value (an edit beside an up-down
// on Windows): the arrows, the arrow keys and the wheel change it, typing does not.
QSpinBox* makeUpDown(QSpinBox* upDown, const char* name, const char* fieldName,
                     const SettingsKey& key, const QString& caption, int step = 1) {
    named(upDown, name, caption);
    upDown->setRange(key.minimum, key.maximum);
    upDown->setSingleStep(step);
    auto* field = upDown->findChild<QLineEdit*>();
    named(field, fieldName, caption);
    field->setReadOnly(true);
    return upDown;
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QWidget* sheetOf(QLayout* layout) {
    auto* sheet = new QWidget;
    sheet->setLayout(layout);
    return sheet;
}

QLabel* labelOf(QLatin1StringView text) {
    return new QLabel(text);
}

QLayout* withUnit(QSpinBox* upDown, QLatin1StringView unit) {
    auto* row = new QHBoxLayout;
    row->addWidget(upDown);
    row->addWidget(labelOf(unit));
    row->addStretch();
    return row;
}

QGroupBox* groupOf(QLatin1StringView title, QWidget* content) {
    auto* group = new QGroupBox(title);
    (new QVBoxLayout(group))->addWidget(content);
    return group;
}

} // namespace

TfEnv::TfEnv(SettingsFile& settings, EnvironmentSettings& environment, EnvironmentHost& host,
             QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_environment(environment)
    , m_host(host) {
    setObjectName(QStringLiteral("fEnv"));
    setWindowTitle(EnvTexts::Caption);
    m_pages = new QTabWidget;
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->tabBar()->setUsesScrollButtons(false); // every caption whole, or the list
    m_pages->tabBar()->setElideMode(Qt::ElideNone);
    m_pageList = named(new QListWidget, "PageList", EnvTexts::Caption);
    m_pageList->hide();
    connect(m_pageList, &QListWidget::currentRowChanged, m_pages, &QTabWidget::setCurrentIndex);
    connect(m_pages, &QTabWidget::currentChanged, m_pageList,
            [this](int index) { m_pageList->setCurrentRow(index); });
    addPage(buildWindow1(), EnvTexts::Window1Sheet);
    addPage(buildWindow2(), EnvTexts::Window2Sheet);
    addPage(buildRs232c(), EnvTexts::Rs232cSheet);
    addPage(buildScript(), EnvTexts::ScriptSheet);
    addPage(buildSound(), EnvTexts::SoundSheet);
    addPage(buildScrollBuffer(), EnvTexts::ScrollBufferSheet);
    addPage(buildLinkCheck(), EnvTexts::LinkCheckSheet);
    addPage(buildReconnect(), EnvTexts::ReconnectSheet);
    auto* bOk = makeButton("bOk", EnvTexts::CloseButton);
    bOk->setDefault(true);
    connect(bOk, &QPushButton::clicked, this, &QDialog::accept);
    auto* sheets = new QHBoxLayout;
    sheets->addWidget(m_pageList);
    sheets->addWidget(m_pages, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sheets);
    layout->addWidget(bOk, 0, Qt::AlignRight);
}

void TfEnv::addPage(QWidget* sheet, const QString& caption) {
    m_pages->addTab(sheet, caption);
    m_pageList->addItem(caption);
}

// The dialog with its row of tabs, every caption whole, against the screen it opens on.
void TfEnv::choosePageStyle() {
    const QScreen* shownOn = screen();
    if (!shownOn)
        return;
    m_pageList->hide();
    m_pages->tabBar()->show();
    layout()->activate();
    const bool listed = minimumSizeHint().width() > shownOn->availableGeometry().width();
    m_pages->tabBar()->setVisible(!listed);
    m_pageList->setVisible(listed);
    if (listed) {
        m_pageList->setFixedWidth(m_pageList->sizeHintForColumn(0) + 2 * m_pageList->frameWidth() +
                                  8);
        m_pageList->setCurrentRow(m_pages->currentIndex());
    }
}

QWidget* TfEnv::buildWindow1() {
    auto* bBackGroundColor = makeButton("bBackGroundColor", EnvTexts::Change);
    connect(bBackGroundColor, &QPushButton::clicked, this, &TfEnv::bBackGroundColorClick);
    m_udColBytes = makeUpDown(new QSpinBox, "udColBytes", "eColBytes", SettingsKeys::ColBytes,
                              EnvTexts::ColBytes1);
    connectSpinBox(m_udColBytes, &EnvironmentSettings::colBytes);
    connect(m_udColBytes, &QSpinBox::valueChanged, this,
            [this](int colBytes) { m_host.setLineWidth(colBytes); });
    auto* colBytes = new QGridLayout;
    colBytes->addWidget(labelOf(EnvTexts::ColBytes1), 0, 0);
    colBytes->addWidget(labelOf(EnvTexts::ColBytes2), 1, 0);
    colBytes->addWidget(m_udColBytes, 0, 1, 2, 1);
    colBytes->addWidget(labelOf(EnvTexts::ColBytes3), 2, 0);
    auto* layout = new QVBoxLayout;
    layout->addWidget(buildFontGroup());
    layout->addWidget(groupOf(EnvTexts::BackgroundGroup, bBackGroundColor));
    layout->addLayout(colBytes);
    layout->addStretch();
    return sheetOf(layout);
}

// The sample in the terminal's font and colours, the font dialog and the charset.
QWidget* TfEnv::buildFontGroup() {
    m_panel2 = named(new QLabel(EnvTexts::Sample), "Panel2", EnvTexts::Sample);
    m_panel2->setAutoFillBackground(true);
    m_panel2->setAlignment(Qt::AlignCenter);
    auto* bShow = makeButton("bShow", EnvTexts::Change);
    connect(bShow, &QPushButton::clicked, this, &TfEnv::bShowClick);
    m_cmboCharset = named(new QComboBox, "cmboCharset", EnvTexts::CharacterSet);
    for (const DisplayCharset::Choice& choice : DisplayCharset::choices())
        m_cmboCharset->addItem(choice.name, choice.charset);
    connect(m_cmboCharset, &QComboBox::activated, this, &TfEnv::cmboCharsetChange);
    auto* font = new QGroupBox(EnvTexts::FontGroup);
    auto* layout = new QFormLayout(font);
    layout->addRow(m_panel2);
    layout->addRow(bShow);
    layout->addRow(EnvTexts::CharacterSet, m_cmboCharset);
    return font;
}

QWidget* TfEnv::buildWindow2() {
    auto* bSaveWinPos = makeButton("bSaveWinPos", EnvTexts::Save);
    connect(bSaveWinPos, &QPushButton::clicked, this, &TfEnv::bSaveWinPosClick);
    m_chkSaverOff = named(new QCheckBox(EnvTexts::SaverOff), "chkSaverOff", EnvTexts::SaverOff);
    connect(m_chkSaverOff, &QCheckBox::toggled, this,
            [this](bool on) { m_environment.saverOff = on; });
    m_eHistoryLines = named(new QLineEdit, "eHistoryLines", EnvTexts::HistoryLines);
    m_eHistoryLines->setMaxLength(4);
    keepSingleLine(m_eHistoryLines, isDigit); // typed or pasted, only digits stay
    auto* history = new QHBoxLayout;
    history->addWidget(labelOf(EnvTexts::HistoryLines));
    history->addWidget(m_eHistoryLines);
    history->addWidget(new QLabel(historyRangeText()));
    history->addStretch();
    auto* layout = new QVBoxLayout;
    layout->addWidget(groupOf(EnvTexts::WindowPosition, bSaveWinPos));
    layout->addWidget(m_chkSaverOff);
    layout->addLayout(history);
    layout->addStretch();
    return sheetOf(layout);
}

QWidget* TfEnv::buildRs232c() {
    struct Row {
        const char* upDown;
        const char* field;
        QLatin1StringView caption;
    };
    const Row rows[] = {{"udBaudRate", "eBaudRate", EnvTexts::BaudRate},
                        {"udBitLen", "eBitLen", EnvTexts::BitLen},
                        {"udStop", "eStop", EnvTexts::Stop},
                        {"udParity", "eParity", EnvTexts::Parity},
                        {"udFlow", "eFlow", EnvTexts::Flow}};
    auto* group = new QGroupBox(EnvTexts::Rs232cGroup);
    auto* form = new QFormLayout(group);
    for (size_t i = 0; i < m_rs232cUpDowns.size(); ++i) {
        const Rs232cField field = Rs232cFields[i];
        QSpinBox* upDown = makeUpDown(new ListUpDown(listTexts(field)), rows[i].upDown,
                                      rows[i].field, keyOf(field), rows[i].caption);
        connect(upDown, &QSpinBox::valueChanged, this,
                [this, field](int index) { indexOf(m_environment.rs232c, field) = index; });
        form->addRow(rows[i].caption, upDown);
        m_rs232cUpDowns[i] = upDown;
    }
    m_chkSendCrLf = named(new QCheckBox(EnvTexts::SendCrLf), "chkSendCrLf", EnvTexts::SendCrLf);
    connect(m_chkSendCrLf, &QCheckBox::toggled, this, [this](bool on) {
        m_environment.rs232c.linkCrLf = on;
        m_host.setSerialCrLf(on);
    });
    form->addRow(m_chkSendCrLf);
    auto* layout = new QVBoxLayout;
    layout->addWidget(group);
    layout->addStretch();
    return sheetOf(layout);
}

QWidget* TfEnv::buildScript() {
    auto* keys = new QGridLayout;
    for (int tag = 0; tag < ScriptCount; ++tag) {
        const QByteArray name = "bFunc" + QByteArray::number(tag + 1);
        auto* bFunc = makeButton(name.constData(), EnvTexts::KeyPrefix + QString::number(tag + 1));
        connect(bFunc, &QPushButton::clicked, this, [this, tag] { m_host.editScript(tag); });
        keys->addWidget(bFunc, tag / 6, tag % 6);
    }
    auto* bScriptHelo = makeButton("bScriptHelo", EnvTexts::Example);
    connect(bScriptHelo, &QPushButton::clicked, this, [this] { m_host.showScriptExample(); });
    auto* layout = new QVBoxLayout;
    layout->addWidget(labelOf(EnvTexts::EditScripts));
    layout->addLayout(keys);
    layout->addWidget(bScriptHelo, 0, Qt::AlignLeft);
    layout->addStretch();
    return sheetOf(layout);
}

QWidget* TfEnv::buildSound() {
    auto* pages = new QTabWidget;
    pages->setObjectName(QStringLiteral("PageControl2"));
    pages->addTab(buildActionSheet(), EnvTexts::ActionSheet);
    pages->addTab(buildStringsSheet(), EnvTexts::StringsSheet);
    auto* layout = new QVBoxLayout;
    layout->addWidget(pages);
    return sheetOf(layout);
}

// One sound's read-only file name with its "Files" and "test" buttons.
QLayout* TfEnv::buildSoundRow(int tag, const char* filesName, const char* testName) {
    m_eWav[size_t(tag)]->setReadOnly(true);
    auto* files = makeButton(filesName, SoundFiles::FilesButton);
    connect(files, &QPushButton::clicked, this, [this, tag] { bConFilesClick(tag); });
    auto* test = makeButton(testName, EnvTexts::Test);
    connect(test, &QPushButton::clicked, this, [this, tag] { m_host.playSound(tag); });
    auto* row = new QHBoxLayout;
    row->addWidget(m_eWav[size_t(tag)], 1);
    row->addWidget(files);
    row->addWidget(test);
    return row;
}

QWidget* TfEnv::buildActionSheet() {
    m_eWav[0] = named(new QLineEdit, "eWavConnect", EnvTexts::OnConnect);
    m_eWav[1] = named(new QLineEdit, "eWavDisConnect", EnvTexts::OnDisconnect);
    auto* form = new QFormLayout;
    form->addRow(EnvTexts::OnConnect, buildSoundRow(0, "bConFiles", "bWavTestConnect"));
    form->addRow(EnvTexts::OnDisconnect, buildSoundRow(1, "bDisconFIles", "bWavTestDisConnect"));
    return sheetOf(form);
}

QWidget* TfEnv::buildStringsSheet() {
    auto* grid = new QGridLayout;
    grid->addWidget(labelOf(EnvTexts::ReceiveStrings), 0, 0);
    grid->addWidget(labelOf(EnvTexts::WavFileName), 0, 1);
    for (int n = 1; n <= 3; ++n) {
        const QByteArray number = QByteArray::number(n);
        const int tag = n + 1;
        QLineEdit* trigger = named(new QLineEdit, ("eString" + number).constData(),
                                   EnvTexts::ReceiveStrings + QString::number(n));
        keepSingleLine(trigger);
        connect(trigger, &QLineEdit::textChanged, this, [this, n](const QString& text) {
            m_environment.sounds.strings[size_t(n - 1)] = text;
        });
        m_eStrings[size_t(n - 1)] = trigger;
        m_eWav[size_t(tag)] = named(new QLineEdit, ("eWavFile" + number).constData(),
                                    EnvTexts::WavFileName + QString::number(n));
        grid->addWidget(trigger, n, 0);
        grid->addLayout(
            buildSoundRow(tag, ("bFiles" + number).constData(), ("bWavTest" + number).constData()),
            n, 1);
    }
    grid->setRowStretch(4, 1);
    return sheetOf(grid);
}

QWidget* TfEnv::buildScrollBuffer() {
    auto* bClearBuffer = makeButton("bClearBuffer", EnvTexts::Clear);
    connect(bClearBuffer, &QPushButton::clicked, this, &TfEnv::bClearBufferClick);
    auto* clear = new QHBoxLayout;
    clear->addWidget(labelOf(EnvTexts::ScrollBuffer));
    clear->addWidget(bClearBuffer);
    clear->addStretch();
    auto* box =
        named(new QGroupBox(EnvTexts::ScrollFileName), "rgSelBuff", EnvTexts::ScrollFileName);
    auto* items = new QVBoxLayout(box);
    m_rgSelBuff = new QButtonGroup(box);
    int index = 0;
    for (QLatin1StringView item : {EnvTexts::Fixed, EnvTexts::EveryNode, EnvTexts::NotUse}) {
        auto* radio = new QRadioButton(item);
        describeControl(radio, item);
        m_rgSelBuff->addButton(radio, index++);
        items->addWidget(radio);
    }
    connect(m_rgSelBuff, &QButtonGroup::idToggled, this, [this](int select, bool checked) {
        if (checked)
            m_environment.scrollFileSelect = select;
    });
    m_rgSelBuffBox = box;
    auto* layout = new QVBoxLayout;
    layout->addLayout(clear);
    layout->addWidget(box);
    layout->addStretch();
    return sheetOf(layout);
}

QWidget* TfEnv::buildLinkCheck() {
    m_udLinkCheck = makeUpDown(new QSpinBox, "udLinkCheck", "eLinkCheck", SettingsKeys::LinkCheck,
                               EnvTexts::LinkCheckUnit, 10);
    connectSpinBox(m_udLinkCheck, &EnvironmentSettings::linkCheckMinutes);
    auto* layout = new QVBoxLayout;
    layout->addLayout(withUnit(m_udLinkCheck, EnvTexts::LinkCheckUnit));
    layout->addWidget(labelOf(EnvTexts::LinkCheckNote));
    layout->addStretch();
    return sheetOf(layout);
}

QWidget* TfEnv::buildReconnect() {
    m_udReconnSec = makeUpDown(new QSpinBox, "udReconnSec", "eReconn", SettingsKeys::ReconnectSec,
                               EnvTexts::ReconnectSeconds, 10);
    connectSpinBox(m_udReconnSec, &EnvironmentSettings::reconnectSec);
    auto* layout = new QVBoxLayout;
    layout->addWidget(labelOf(EnvTexts::ReconnectSeconds));
    layout->addLayout(withUnit(m_udReconnSec, EnvTexts::ReconnectUnit));
    layout->addWidget(labelOf(EnvTexts::ReconnectNote));
    layout->addStretch();
    return sheetOf(layout);
}

// The running program reads the value as soon as the operator sets it.
void TfEnv::connectSpinBox(QSpinBox* upDown, int EnvironmentSettings::*value) {
    connect(upDown, &QSpinBox::valueChanged, this,
            [this, value](int position) { m_environment.*value = position; });
}

void TfEnv::setScrollFileChoiceEnabled(bool enabled) {
    m_rgSelBuffBox->setEnabled(enabled);
}

void TfEnv::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        choosePageStyle();
        FormShow();
    }
    QDialog::showEvent(event);
}

void TfEnv::FormShow() {
    showSample();
    showCharset(m_host.terminalFont().charset);
    {
        const QSignalBlocker asItIs(m_udColBytes); // the terminal has this width already
        m_udColBytes->setValue(m_environment.colBytes);
    }
    m_chkSaverOff->setChecked(m_environment.saverOff);
    // The stored count is not checked on load; the field shows what closing would keep.
    m_eHistoryLines->setText(
        QString::number(SettingsKeys::HistoryLines.bounded(m_environment.historyLines)));
    showRs232c();
    for (size_t i = 0; i < m_eWav.size(); ++i)
        m_eWav[i]->setText(SoundFiles::shownFileName(m_environment.sounds.files[i]));
    for (size_t i = 0; i < m_eStrings.size(); ++i)
        m_eStrings[i]->setText(m_environment.sounds.strings[i]);
    if (QAbstractButton* item = m_rgSelBuff->button(m_environment.scrollFileSelect))
        item->setChecked(true);
    m_udLinkCheck->setValue(m_environment.linkCheckMinutes);
    m_udReconnSec->setValue(m_environment.reconnectSec);
}

void TfEnv::showRs232c() {
    for (size_t i = 0; i < m_rs232cUpDowns.size(); ++i)
        m_rs232cUpDowns[i]->setValue(indexOf(m_environment.rs232c, Rs232cFields[i]));
    const QSignalBlocker showingOnly(m_chkSendCrLf); // what the program has already
    m_chkSendCrLf->setChecked(m_environment.rs232c.linkCrLf);
}

void TfEnv::showSample() {
    const FontSettings font = m_host.terminalFont();
    m_panel2->setFont(terminalFont(font));
    QPalette palette = m_panel2->palette();
    palette.setColor(QPalette::Window, m_host.background());
    palette.setColor(QPalette::WindowText, colorFromWindows(font.color));
    m_panel2->setPalette(palette);
}

// A number the list does not know is shown as itself with the code page it is decoded
// with, and kept until another is picked.
void TfEnv::showCharset(int charset) {
    int index = m_cmboCharset->findData(charset);
    if (index < 0) {
        m_cmboCharset->addItem(QStringLiteral("%1 (%2)").arg(charset).arg(
                                   QLatin1StringView(DisplayCharset::codecName(charset))),
                               charset);
        index = m_cmboCharset->count() - 1;
    }
    m_cmboCharset->setCurrentIndex(index);
}

void TfEnv::cmboCharsetChange() {
    FontSettings font = m_host.terminalFont();
    font.charset = m_cmboCharset->currentData().toInt();
    m_host.setTerminalFont(font);
}

// The font is read again from the file, as another copy may have changed it; its
// charset is the one chosen here, which the font dialog does not offer.
void TfEnv::bShowClick() {
    FontSettings font = m_settings.load<FontSettings>();
    font.charset = m_cmboCharset->currentData().toInt();
    m_host.setTerminalFont(font);
    bool chosen = false;
    const QFont picked = QFontDialog::getFont(&chosen, terminalFont(font), this);
    if (chosen) {
        m_host.setTerminalFont(fontSettingsOf(picked, font));
        if (!m_settings.save(m_host.terminalFont()))
            showMessage(this, m_settings.lastError());
    }
    showSample();
}

void TfEnv::bBackGroundColorClick() {
    const QColor color = QColorDialog::getColor(m_host.background(), this);
    if (!color.isValid())
        return;
    m_host.setBackground(color);
    showSample();
}

void TfEnv::bSaveWinPosClick() {
    if (!m_settings.save(m_host.windowGeometry()))
        showMessage(this, m_settings.lastError());
}

void TfEnv::bClearBufferClick() {
    if (askYesNo(this, EnvTexts::ClearSure))
        m_host.clearScreen();
}

void TfEnv::bConFilesClick(int tag) {
    const QString path = QFileDialog::getOpenFileName(this, QString(), SoundFiles::soundFolder(),
                                                      SoundFiles::WavFilter);
    if (path.isEmpty())
        return;
    m_environment.sounds.files[size_t(tag)] = path;
    m_eWav[size_t(tag)]->setText(SoundFiles::shownFileName(path));
}

void TfEnv::done(int result) {
    FormClose();
    QDialog::done(result);
}

void TfEnv::FormClose() {
    m_environment.historyLines = historyLinesFromText(m_eHistoryLines->text());
    m_host.setHistoryLines(m_environment.historyLines);
    m_host.setLinkCheckMinutes(m_environment.linkCheckMinutes);
    bool saved = saveEnvironment(m_settings, m_host.terminalFont(),
                                 colorToWindows(m_host.background()), m_environment);
    for (const auto& save : m_sheetSaves)
        saved = save() && saved;
    if (!saved)
        showMessage(this, m_settings.lastError());
}

void TfEnv::addSheet(QWidget* sheet, const QString& caption, std::function<bool()> save) {
    addPage(sheet, caption);
    m_sheetSaves.push_back(std::move(save));
}
