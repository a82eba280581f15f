#pragma once

// Messages for the operator that arise inside the session's event handlers: a settings
// file that cannot be written on connect, a scroll-buffer file or a serial port that
// cannot be opened. A message box opened inside a socket handler runs a nested event
// loop in which the socket's next events (the node closing, say) would run before the
// handler has finished, leaving the window in a state the socket is not in. So messages
// are posted here and shown once control is back in the event loop, one box at a time,
// in the order they were posted.
//
// GUI thread only.

#include <QObject>
#include <QStringList>

#include <functional>

class OperatorMessages : public QObject {
    Q_OBJECT

public:
    using Presenter = std::function<void(const QString& text)>;

    explicit OperatorMessages(QObject* parent = nullptr);

    // How a message is shown (a modal box); until set, messages wait.
    void setPresenter(Presenter presenter);

    // Queues the text; it is shown after the current handler has returned.
    void post(const QString& text);

    bool hasPending() const { return !m_pending.isEmpty(); }

private:
    void schedule();
    void showPending();

    Presenter m_presenter;
    QStringList m_pending;
    bool m_scheduled = false;
    bool m_showing = false;
};
