#include "script/TfScript.h"

#include "script/ScriptFiles.h"
#include "script/ScriptTexts.h"
#include "script/TAuto.h"
#include "widgets/Accessibility.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

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
    requestRun(ScriptPath(index));
}

bool TfScript::rerunConnectingScript() {
    if (m_connectingScript.isEmpty())
        return false;
    if (m_state == State::Running)
        stopRun();
    requestRun(m_connectingScript);
    return true;
}

void TfScript::requestRun(const QString& path) {
    switch (m_state) {
    case State::Idle:
        startRun(path);
        break;
    case State::Running: // only comes to the front
        m_scriptFileName = path;
        show();
        raise();
        activateWindow();
        break;
    case State::Ending:
        m_pendingFile = path;
        break;
    }
}

void TfScript::startRun(const QString& path) {
    m_auto.reset(); // the last run has ended
    m_scriptFileName = path;
    m_abortedByOperator = false;
    m_memo1->clear();
    ScriptHost& host = *this;
    m_auto = std::make_unique<TAuto>(host, m_screen, m_running, path);
    m_auto->setCommandPause(m_commandPause);
    m_auto->setCharset(m_charset);
    connect(m_auto.get(), &QThread::finished, this, &TfScript::runFinished, Qt::QueuedConnection);
    m_state = State::Running;
    show();
    raise();
    activateWindow();
    m_auto->start();
}

// Only asks: the window never waits for the thread.
void TfScript::stopRun() {
    if (m_state != State::Running)
        return;
    m_state = State::Ending;
    m_auto->abort();
}

void TfScript::runFinished() {
    m_auto->wait(); // finished() comes just before the thread's very end
    const bool abortedByOperator = m_abortedByOperator;
    m_state = State::Idle;
    emit runEnded(abortedByOperator);
    if (!m_pendingFile.isEmpty())
        startRun(std::exchange(m_pendingFile, QString()));
}

// As Abort does, but the operator has not ended the cycle of a reconnect.
void TfScript::sessionEnded() {
    if (m_state != State::Running)
        return;
    stopRun();
    close();
}

bool TfScript::shutDown() {
    m_pendingFile.clear();
    m_state = m_auto ? State::Ending : State::Idle;
    return !m_auto || m_auto->shutDown();
}

void TfScript::bAbortClick() {
    if (m_state == State::Running)
        m_abortedByOperator = true;
    stopRun();
    close();
}

// Control characters of a script line (a NUL, say) are shown as their pictures: what a
// screen reader reads of the memo then matches what is on the screen.
void TfScript::bDspClick() {
    QString shown = m_displayText;
    for (QChar& c : shown) {
        if (c.unicode() < 0x20)
            c = QChar(0x2400 + c.unicode());
    }
    m_memo1->appendPlainText(shown);
}

void TfScript::showLine(const QString& line) {
    m_displayText = line;
    m_bDsp->click();
}

void TfScript::recordLastScript(int number) {
    m_connectingScript = m_auto->path();
    m_node.recordLastScript(number);
}

// The run has done its last line; a run ending after Abort leaves the window as it is,
// for the window may already show the next run.
void TfScript::closeWindow() {
    if (m_state != State::Running)
        return;
    m_state = State::Ending;
    close();
}
