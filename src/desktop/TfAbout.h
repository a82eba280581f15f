#pragma once

// The about box: the program's name and version, what it is, its icon, OK, and "GO",
// which opens the program's README in the desktop's viewer. A fixed dialog, shown
// modally in the middle of the screen.

#include <QDialog>

class TfAbout : public QDialog {
    Q_OBJECT

public:
    explicit TfAbout(QWidget* parent = nullptr);

    void bGoClick();

protected:
    void showEvent(QShowEvent* event) override;
};
