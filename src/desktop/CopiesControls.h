#pragma once

// The main window's part in running several copies side by side: whether this copy is a
// clone, its entry in the registry of running copies, the top bar's button bClone
// ("Clone") and the "&Window" menu that starts one more copy and arranges the main
// windows of all copies (Virtical, Cascade, Tile). Arranging works where the program may
// place windows itself (X11); under Wayland the compositor places them and the commands
// do nothing.

#include "desktop/CopyMarker.h"
#include "desktop/CopyRegistry.h"
#include "desktop/WindowArrangement.h"

#include <QObject>

#include <memory>

class CopyCollector;
class QMenuBar;
class QPushButton;
class QWidget;

class CopiesControls : public QObject {
    Q_OBJECT

public:
    // window is the main window that is described and moved, and parents the button
    // until it is laid out; captionBase is what every copy's caption starts with.
    CopiesControls(QWidget* window, const QString& captionBase);
    ~CopiesControls() override;

    bool isClone() const { return m_marker.isClone(); }
    QPushButton* button() const { return m_bClone; }
    void addWindowMenu(QMenuBar* menuBar);
    // From now on the window carries the marker that arranging looks for.
    void markWindow() { m_marked = true; }

    void bCloneClick();
    void Clone1Click() { bCloneClick(); }
    void Virticalalign1Click() { arrange(Arrangement::Vertical); }
    void Cascade1Click() { arrange(Arrangement::Cascade); }
    void Tilealign1Click() { arrange(Arrangement::Tile); }

private:
    CopyIdentity describe() const;
    void moveFrame(const QRect& frame);
    void arrange(Arrangement arrangement);
    void place(Arrangement arrangement);

    QWidget* m_window;
    QString m_captionBase;
    CopyMarker m_marker;
    CopyRegistry m_registry;
    std::unique_ptr<CopyCollector> m_collector;
    QPushButton* m_bClone;
    bool m_marked = false;
};
