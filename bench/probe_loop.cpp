#include "probe_loop.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <sys/signalfd.h>
#include <unistd.h>

namespace probe {

namespace {

constexpr qint64 NsPerMs = 1'000'000;
constexpr qint64 FrameNs = 16 * NsPerMs;

} // namespace

LoopWatch::LoopWatch() {
    s_watch = this;
    GMainContext* context = g_main_context_default();
    s_poll = g_main_context_get_poll_func(context);
    g_main_context_set_poll_func(context, &LoopWatch::poll);
}

LoopWatch::~LoopWatch() {
    g_main_context_set_poll_func(g_main_context_default(), s_poll);
    s_watch = nullptr;
}

void LoopWatch::start() {
    m_clock.start();
    m_lastReturn = 0;
}

QByteArray LoopWatch::report() const {
    return " max-block-ms " + QByteArray::number(double(m_maxPassNs) / double(NsPerMs), 'f', 1) +
           " over16 " + QByteArray::number(m_overFrame);
}

gint LoopWatch::poll(GPollFD* fds, guint count, gint timeout) {
    if (s_watch)
        s_watch->passEnded();
    const gint ready = s_poll(fds, count, timeout);
    if (s_watch && s_watch->m_clock.isValid())
        s_watch->m_lastReturn = s_watch->m_clock.nsecsElapsed();
    return ready;
}

void LoopWatch::passEnded() {
    if (!m_clock.isValid())
        return;
    const qint64 pass = m_clock.nsecsElapsed() - m_lastReturn;
    m_maxPassNs = std::max(m_maxPassNs, pass);
    if (pass > FrameNs)
        ++m_overFrame;
}

Commands::Commands(std::function<void(const QByteArray&)> run)
    : m_run(std::move(run))
    , m_stdin(STDIN_FILENO, QSocketNotifier::Read) {
    QObject::connect(&m_stdin, &QSocketNotifier::activated, &m_stdin, [this] { readStdin(); });
    sigset_t term;
    sigemptyset(&term);
    sigaddset(&term, SIGTERM);
    m_signalFd = signalfd(-1, &term, SFD_CLOEXEC);
    if (m_signalFd >= 0) {
        m_signal.emplace(m_signalFd, QSocketNotifier::Read);
        QObject::connect(&*m_signal, &QSocketNotifier::activated, &*m_signal,
                         [this] { m_run("report"); });
    }
}

Commands::~Commands() {
    m_signal.reset();
    if (m_signalFd >= 0)
        close(m_signalFd);
}

void Commands::blockTerm() {
    sigset_t term;
    sigemptyset(&term);
    sigaddset(&term, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &term, nullptr);
}

void Commands::readStdin() {
    char chunk[256];
    const ssize_t count = read(STDIN_FILENO, chunk, sizeof chunk);
    if (count <= 0) { // the caller has gone
        m_stdin.setEnabled(false);
        m_run("report");
        return;
    }
    m_pending.append(chunk, count);
    qsizetype newline;
    while ((newline = m_pending.indexOf('\n')) >= 0) {
        const QByteArray line = m_pending.first(newline).trimmed();
        m_pending.remove(0, newline + 1);
        m_run(line);
    }
}

void say(const QByteArray& line) {
    std::fputs(line.constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace probe
