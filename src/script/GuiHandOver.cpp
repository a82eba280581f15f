#include "script/GuiHandOver.h"

GuiHandOver::GuiHandOver(QObject& context)
    : m_context(context) {}

std::optional<int> GuiHandOver::run(std::function<int()> call) {
    struct Call {
        std::optional<int> result;
        bool done = false;
    };
    auto pending = std::make_shared<Call>();
    std::shared_ptr<State> state = m_state;
    QMutexLocker locker(&state->lock);
    if (state->released)
        return std::nullopt;
    QMetaObject::invokeMethod(
        &m_context,
        [state, pending, call = std::move(call)] {
            {
                QMutexLocker guiLocker(&state->lock);
                if (state->released)
                    return; // the worker has gone: what the call reaches may be gone too
            }
            const int result = call();
            QMutexLocker guiLocker(&state->lock);
            pending->result = result;
            pending->done = true;
            state->finished.wakeAll();
        },
        Qt::QueuedConnection);
    while (!pending->done && !state->released)
        state->finished.wait(&state->lock);
    return pending->result;
}

void GuiHandOver::release() {
    QMutexLocker locker(&m_state->lock);
    m_state->released = true;
    m_state->finished.wakeAll();
}
