// Kestrel: a telnet client for amateur-radio DX packet clusters.
//
// Until the main window lands this starts the terminal on its own: it connects to the
// node given on the command line (default 127.0.0.1:7300, where the test node listens)
// and shows what arrives.

#include "net/GuardedSender.h"
#include "net/NodeReceiver.h"
#include "screen/LinePipeline.h"
#include "screen/ScreenBuffer.h"
#include "screen/TerminalView.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTcpSocket>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrel"));

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("host"), QStringLiteral("Node address"));
    parser.addPositionalArgument(QStringLiteral("port"), QStringLiteral("Node port"));
    parser.process(app);
    const QStringList arguments = parser.positionalArguments();
    const QString host = arguments.value(0, QStringLiteral("127.0.0.1"));
    const quint16 port = arguments.value(1, QStringLiteral("7300")).toUShort();

    ScreenBuffer screen;
    LinePipeline pipeline;
    screen.setPipeline(&pipeline);
    GuardedSender sender(screen);
    NodeReceiver receiver(screen, sender);
    receiver.setBell([] { QApplication::beep(); });

    QTcpSocket socket;
    sender.setSocket(&socket);
    receiver.attach(&socket);

    TerminalView view(screen);
    view.setWindowTitle(QStringLiteral("KESTREL <-> ") + host);
    view.resize(800, 500);
    view.show();

    socket.connectToHost(host, port);
    return QApplication::exec();
}
