#include "script/TfScript.h"

#include "desktop/Accessibility.h"
#include "script/ScriptFiles.h"
#include "script/ScriptTexts.h"
#include "script/TAuto.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfScript::TfScript(ScriptNodeHost& node, const ScreenBuffer& screen, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_node(node)
    , m_screen(screen) {
    setObjectName(QStringLiteral("fScript"));
    setWindowTitle(ScriptTexts::WindowCaption);
    setFixedSize(378, 186);
    m_memo1 = new QPlainTextEdit;
    m_memo1->setObjectName(QStringLiteral("Memo1"));
    m_memo1->setReadOnly(true);
    m_memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    describeControl(m_memo1, ScriptTexts::WindowCaption);
    m_bAbort = new QPushButton(ScriptTexts::AbortButton);
    m_bAbort->setObjectName(QStringLiteral("bAbort"));
    describeControl(m_bAbort, ScriptTexts::AbortButton, ScriptTexts::AbortHint);
    m_bDsp = new QPushButton(this);
    m_bDsp->setObjectName(QStringLiteral("bDsp"));
    m_bDsp->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_memo1, 1);
    layout->addWidget(m_bAbort, 0, Qt::AlignHCenter);
    connect(m_bAbort, &QPushButton::clicked, this, &TfScript::bAbortClick);
    connect(m_bDsp, &QPushButton::clicked, this, &TfScript::bDspClick);
}

TfScript::~TfScript() {
    shutDown();
}

void TfScript::runScript(int index) {
    m_scriptFileName = ScriptPath(index);
    showAgain();
}

// Showing a hidden window starts the run unless one still goes; a shown one, as after
// an error, only comes to the front.
void TfScript::showAgain() {
    show();
    raise();
    activateWindow();
}

void TfScript::abortIfShowing() {
    if (isVisible())
        bAbortClick();
}

bool TfScript::shutDown() {
    return !m_auto || m_auto->shutDown();
}

// Only asks: a "wait" under way ends first, and the window never waits for the thread.
void TfScript::bAbortClick() {
    if (m_auto)
        m_auto->abort();
    close();
}

void TfScript::bDspClick() {
    m_memo1->appendPlainText(m_displayText);
}

void TfScript::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!runActive())
        FormShow();
}

void TfScript::FormShow() {
    m_memo1->clear();
    m_auto.reset(); // a run that has closed the window is over but for its last step
    m_closedByRun = false;
    ScriptHost& host = *this;
    m_auto = std::make_unique<TAuto>(host, m_screen, m_running, m_scriptFileName);
    m_auto->setCommandPause(m_commandPause);
    m_auto->start();
}

bool TfScript::runActive() const {
    return m_auto && m_auto->isRunning() && !m_closedByRun;
}

void TfScript::showLine(const QString& line) {
    m_displayText = line;
    m_bDsp->click();
}

void TfScript::closeWindow() {
    m_closedByRun = true;
    close();
}
