#include "script/ScriptControls.h"

#include "script/ScriptFiles.h"
#include "script/ScriptTexts.h"
#include "script/TfScript.h"
#include "widgets/MessageBoxes.h"

#include <QDir>
#include <QKeyEvent>
#include <QMenuBar>

namespace {

// F1 and EditF11 for key 1, then F21, EditF21 ... F121, EditF121.
QString itemName(QLatin1StringView prefix, int index, bool editItem) {
    const QString number = QString::number(index + 1);
    return prefix + number + (editItem || index > 0 ? QStringLiteral("1") : QString());
}

} // namespace

ScriptControls::ScriptControls(TfScript& script, QWidget* window)
    : QObject(window)
    , m_script(script)
    , m_editor(new ScriptEditor(this)) {
    connect(m_editor, &ScriptEditor::failed, this, [window](const QString& path) {
        showMessage(window, ScriptTexts::NoEditor + QDir::toNativeSeparators(path));
    });
}

void ScriptControls::addScriptMenu(QMenuBar* menuBar) {
    QMenu* menu = menuBar->addMenu(ScriptTexts::ScriptMenu);
    menu->setObjectName(QStringLiteral("Script1"));
    for (int index = 0; index < ScriptCount; ++index) {
        QAction* item = menu->addAction(ScriptTexts::KeyItemPrefix + QString::number(index + 1));
        item->setObjectName(itemName(QLatin1StringView("F"), index, false));
        connect(item, &QAction::triggered, this, [this, index] { F1Click(index); });
    }
}

void ScriptControls::addEditMenu(QMenu* fileMenu) {
    QMenu* menu = fileMenu->addMenu(ScriptTexts::EditScriptMenu);
    menu->setObjectName(QStringLiteral("EditScript1"));
    for (int index = 0; index < ScriptCount; ++index) {
        QAction* item = menu->addAction(ScriptTexts::EditItemPrefix + QString::number(index + 1));
        item->setObjectName(itemName(QLatin1StringView("EditF"), index, true));
        connect(item, &QAction::triggered, this, [this, index] { EditF11Click(index); });
    }
}

bool ScriptControls::keyPressed(const QKeyEvent* event) {
    const int index = scriptKeyIndex(event);
    if (index < 0)
        return false;
    F1Click(index);
    return true;
}

int ScriptControls::scriptKeyIndex(const QKeyEvent* event) {
    const Qt::KeyboardModifiers held =
        Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    const int key = event->key();
    if (event->type() != QEvent::KeyPress || (event->modifiers() & held) || key < Qt::Key_F1 ||
        key > Qt::Key_F12)
        return -1;
    return key - Qt::Key_F1;
}

void ScriptControls::F1Click(int index) {
    m_script.runScript(index);
}

void ScriptControls::EditF11Click(int index) {
    m_editor->EditScript(index);
}
