// Kestrel: a telnet client for amateur-radio DX packet clusters.
//
// Until the main window lands this starts the terminal on its own: it connects to the
// node given on the command line (default 127.0.0.1:7300, where the test node listens),
// shows what arrives and sends each line typed below the terminal.

#include "net/GuardedSender.h"
#include "net/NodeReceiver.h"
#include "screen/LinePipeline.h"
#include "screen/ScreenBuffer.h"
#include "screen/TerminalView.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLineEdit>
#include <QTcpSocket>
#include <QVBoxLayout>

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

    QWidget window;
    window.setWindowTitle(QStringLiteral("KESTREL <-> ") + host);
    auto* layout = new QVBoxLayout(&window);
    auto* view = new TerminalView(screen);
    auto* input = new QLineEdit;
    layout->addWidget(view, 1);
    layout->addWidget(input);
    QObject::connect(input, &QLineEdit::returnPressed, input, [&sender, input] {
        sender.GuardedSend(input->text().toUtf8() + "\r\n");
        input->clear();
    });
    window.resize(800, 500);
    window.show();
    input->setFocus();

    socket.connectToHost(host, port);
    return QApplication::exec();
}
