#include "desktop/TerminationSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array EndSignals{SIGTERM, SIGHUP, SIGINT};
volatile sig_atomic_t requestPipe = -1;
std::array<struct sigaction, EndSignals.size()> previousHandlers{};

void onEndSignal(int) {
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(requestPipe, &byte, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent)
    : QObject(parent) {
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    requestPipe = m_pipe[1];
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readRequest);
    struct sigaction action = {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t index = 0; index < EndSignals.size(); ++index)
        ::sigaction(EndSignals[index], &action, &previousHandlers[index]);
}

TerminationSignals::~TerminationSignals() {
    if (!m_notifier)
        return;
    for (std::size_t index = 0; index < EndSignals.size(); ++index)
        ::sigaction(EndSignals[index], &previousHandlers[index], nullptr);
    requestPipe = -1;
    m_notifier->setEnabled(false);
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void TerminationSignals::readRequest() {
    char bytes[16];
    bool requested = false;
    while (::read(m_pipe[0], bytes, sizeof bytes) > 0)
        requested = true;
    if (requested)
        emit endRequested();
}
