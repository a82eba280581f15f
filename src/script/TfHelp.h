#pragma once

// The two read-only text windows that explain the program: TfHelp ("Help": keys, mouse,
// serial link, files) and TfScriptHelp ("Script Help ": example scripts). Both are
// built once and only shown and hidden, so they keep their scroll position. The texts
// name the folders the running program actually uses.

#include <QDialog>

class QPlainTextEdit;

class TfHelp : public QDialog {
    Q_OBJECT

public:
    explicit TfHelp(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPlainTextEdit* m_memo1;
};

class TfScriptHelp : public QDialog {
    Q_OBJECT

public:
    explicit TfScriptHelp(QWidget* parent = nullptr);
};
