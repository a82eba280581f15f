// The floor under the client's figures: the least a Qt window costs to show the same
// flood the same way. Connects to the node on 127.0.0.1:<port>, logs in as M0TST and
// shows what arrives in a bare widget, one frame every 33 ms as the client's terminal
// does under a flood: each frame reads what the socket holds, scrolls the picture by the
// lines that came and draws only the new rows. No telnet, no line buffer, no spot
// tables, no wake between frames: the window system's and Qt's own share.
// Speaks to kestrel_flood as kestrel_flood_probe does.
//
//   kestrel_floor_probe <port> [anything kestrel_flood passes, ignored]

#include "probe_loop.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <arpa/inet.h>
#include <cstdio>
#include <deque>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using probe::say;

const QByteArray LoginCall = QByteArrayLiteral("M0TST");
constexpr int FrameMs = 33;
constexpr int SettleMs = 250;

class FloorView : public QWidget {
public:
    FloorView() {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    }

    void add(QByteArrayView line) {
        m_rows.push_back(QString::fromLatin1(line));
        if (m_rows.size() > size_t(std::max(1, rowCount())))
            m_rows.pop_front();
        ++m_fresh;
    }

    // Brings the picture up to the lines added since the last frame.
    void frame() {
        const int rows = rowCount();
        const int height = lineHeight();
        if (m_fresh >= rows) {
            update();
        } else if (m_fresh > 0) {
            scroll(0, -m_fresh * height, QRect(0, 0, width(), rows * height));
            update(QRect(0, (rows - m_fresh) * height, width(), m_fresh * height));
        }
        m_fresh = 0;
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.fillRect(event->rect(), Qt::white);
        const int height = lineHeight();
        const int top = rowCount() - int(m_rows.size());
        for (int row = 0; row < int(m_rows.size()); ++row) {
            const QRect band(0, (top + row) * height, width(), height);
            if (event->region().intersects(band))
                painter.drawText(QPoint(0, band.top() + fontMetrics().ascent()),
                                 m_rows[size_t(row)]);
        }
    }

private:
    int lineHeight() const { return std::max(1, fontMetrics().height()); }
    int rowCount() const { return height() / lineHeight(); }

    std::deque<QString> m_rows; // oldest first
    int m_fresh = 0;
};

class FloorProbe {
public:
    explicit FloorProbe(FloorView& view)
        : m_view(view)
        , m_commands([this](const QByteArray& line) { command(line); }) {
        m_frame.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_frame, &QTimer::timeout, &m_frame, [this] {
            read();
            m_view.frame();
        });
    }
    ~FloorProbe() {
        if (m_socket >= 0)
            close(m_socket);
    }
    FloorProbe(const FloorProbe&) = delete;
    FloorProbe& operator=(const FloorProbe&) = delete;

    bool connectTo(quint16 port) {
        m_socket = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in node{};
        node.sin_family = AF_INET;
        node.sin_port = htons(port);
        node.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (m_socket < 0 ||
            ::connect(m_socket, reinterpret_cast<sockaddr*>(&node), sizeof node) != 0)
            return false;
        fcntl(m_socket, F_SETFL, fcntl(m_socket, F_GETFL) | O_NONBLOCK);
        m_frame.start(FrameMs);
        return true;
    }

private:
    void read() {
        char chunk[65536];
        for (ssize_t count; (count = ::read(m_socket, chunk, sizeof chunk)) > 0;)
            m_pending.append(chunk, count);
        qsizetype start = 0;
        for (qsizetype end; (end = m_pending.indexOf('\n', start)) >= 0; start = end + 1) {
            const QByteArrayView line =
                QByteArrayView(m_pending).sliced(start, end - start).trimmed();
            if (line.startsWith("DX de "))
                ++m_spots;
            else if (!m_ready && line.startsWith(LoginCall + " de "))
                becomeReady();
            m_view.add(line);
        }
        m_pending.remove(0, start);
        if (!m_loginSent && m_pending.endsWith("login: ")) {
            m_loginSent = true;
            const QByteArray login = LoginCall + "\r\n";
            if (::write(m_socket, login.data(), size_t(login.size())) != login.size())
                std::fputs("kestrel_floor_probe: cannot log in\n", stderr);
        }
    }

    void becomeReady() {
        m_ready = true;
        QTimer::singleShot(SettleMs, &m_frame, [this] {
            m_watch.start();
            say("ready");
        });
    }

    void command(const QByteArray& line) {
        if (line == "count") {
            say("count " + QByteArray::number(m_spots) + " 0");
        } else if (line == "report" && !m_reported) {
            m_reported = true;
            say("report spots " + QByteArray::number(m_spots) + " missed 0" + m_watch.report());
            QCoreApplication::exit(0);
        }
    }

    FloorView& m_view;
    probe::LoopWatch m_watch;
    probe::Commands m_commands;
    QTimer m_frame;
    int m_socket = -1;
    QByteArray m_pending;
    quint64 m_spots = 0;
    bool m_loginSent = false;
    bool m_ready = false;
    bool m_reported = false;
};

} // namespace

int main(int argc, char* argv[]) {
    probe::Commands::blockTerm();
    QApplication app(argc, argv);
    bool ok = false;
    const auto port = QApplication::arguments().value(1).toUShort(&ok);
    if (!ok) {
        std::fputs("usage: kestrel_floor_probe <port>\n", stderr);
        return 2;
    }
    FloorView view;
    view.resize(935, 275); // the client's terminal in its first window
    view.show();
    FloorProbe probe(view);
    if (!probe.connectTo(port)) {
        std::fputs("kestrel_floor_probe: cannot connect\n", stderr);
        return 2;
    }
    return QApplication::exec();
}
