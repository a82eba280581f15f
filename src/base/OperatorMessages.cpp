#include "base/OperatorMessages.h"

OperatorMessages::OperatorMessages(QObject* parent)
    : QObject(parent) {}

void OperatorMessages::setPresenter(Presenter presenter) {
    m_presenter = std::move(presenter);
    schedule();
}

void OperatorMessages::post(const QString& text) {
    m_pending.append(text);
    schedule();
}

void OperatorMessages::schedule() {
    if (m_scheduled || m_showing || m_pending.isEmpty() || !m_presenter)
        return;
    m_scheduled = true;
    QMetaObject::invokeMethod(this, &OperatorMessages::showPending, Qt::QueuedConnection);
}

// A box shown here runs its own event loop; what is posted meanwhile waits for this
// loop rather than opening a second box over the first.
void OperatorMessages::showPending() {
    m_scheduled = false;
    if (m_showing || !m_presenter)
        return;
    m_showing = true;
    while (!m_pending.isEmpty())
        m_presenter(m_pending.takeFirst());
    m_showing = false;
}
