#pragma once

// The main window's script controls: the "&Script " menu (F1, F21 ... F121: "F-1" to
// "F-12"), the "Edit Script" submenu (EditF11 ... EditF121) and the function keys F1 to
// F12, which run a script only when no modifier is held, so Alt+F4 and the like keep
// their meaning. An editor that cannot be opened is told in a message box.

#include <QObject>

class QKeyEvent;
class QMenu;
class QMenuBar;
class QWidget;
class ScriptEditor;
class TfScript;

class ScriptControls : public QObject {
    Q_OBJECT

public:
    // window parents the panel and the messages it shows.
    explicit ScriptControls(TfScript& script, QWidget* window = nullptr);

    void addScriptMenu(QMenuBar* menuBar);
    void addEditMenu(QMenu* fileMenu);
    // True when the key ran a script and is consumed.
    bool keyPressed(const QKeyEvent* event);

    // Function key index 0 to 11 of an F1 to F12 press without modifiers, else -1.
    static int scriptKeyIndex(const QKeyEvent* event);

    void F1Click(int index);
    void EditF11Click(int index);

private:
    TfScript& m_script;
    ScriptEditor* m_editor;
};
