#pragma once

// The main window's way to the about box: the top bar's button bAbout ("About") and the
// item "About KESTREL" (About1) of the "&Help" menu, both opening it modally.

#include <QObject>

class QMenu;
class QPushButton;
class QWidget;
class TfAbout;

class AboutControls : public QObject {
    Q_OBJECT

public:
    // window parents the about box and, until it is laid out, the button.
    explicit AboutControls(QWidget* window);

    QPushButton* button() const { return m_bAbout; }
    void addMenuItem(QMenu* helpMenu);
    TfAbout& about() { return *m_fAbout; }

    void bAboutClick();

private:
    TfAbout* m_fAbout;
    QPushButton* m_bAbout;
};
