#include "script/TfHelp.h"

#include "base/SettingsFolder.h"
#include "script/ScriptFiles.h"
#include "script/ScriptTexts.h"
#include "widgets/Accessibility.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QPlainTextEdit* addMemo(QDialog* window, const QString& text) {
    auto* memo = new QPlainTextEdit(text);
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setReadOnly(true);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    describeControl(memo, window->windowTitle());
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(memo);
    return memo;
}

} // namespace

TfHelp::TfHelp(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("fHelp"));
    setWindowTitle(ScriptTexts::HelpCaption);
    resize(616, 380);
    m_memo1 = addMemo(
        this, ScriptTexts::HelpText.toString().arg(scriptFolder(), kestrelSettingsFolder()));
}

void TfHelp::showEvent(QShowEvent* event) {
    m_memo1->setReadOnly(true);
    QDialog::showEvent(event);
}

TfScriptHelp::TfScriptHelp(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("fScriptHelp"));
    setWindowTitle(ScriptTexts::ScriptHelpCaption);
    resize(435, 281);
    addMemo(this, ScriptTexts::ScriptHelpText.toString().arg(scriptFolder()));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
