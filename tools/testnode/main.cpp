// kestrel-testnode: the test node as a program, to point a running Kestrel at.

#include "TestNode.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <chrono>

namespace {

struct FloodSetting {
    int perSecond = 0;
    int count = 0;
};

void addOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("A DX cluster node that answers like DXSpider, for trying Kestrel."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("port"), QStringLiteral("TCP port on 127.0.0.1 (0 = any free)."),
         QStringLiteral("N"), QStringLiteral("7300")},
        {QStringLiteral("node-call"), QStringLiteral("The node's callsign."),
         QStringLiteral("CALL"), QStringLiteral("N0CALL-2")},
        {QStringLiteral("negotiation"),
         QStringLiteral("Telnet bytes sent first, in hex (default fffb01fffd18)."),
         QStringLiteral("HEXBYTES"), QStringLiteral("fffb01fffd18")},
        {QStringLiteral("replay"),
         QStringLiteral("Send this file's non-comment lines to each client after login."),
         QStringLiteral("FILE")},
        {QStringLiteral("flood"),
         QStringLiteral("Send COUNT spots at RATE a second whenever a client logs in."),
         QStringLiteral("RATE,COUNT")},
        {QStringLiteral("split"),
         QStringLiteral("Cut each client's output at these byte offsets (comma separated)."),
         QStringLiteral("OFFSETS")},
        {QStringLiteral("split-delay"), QStringLiteral("Pause between pieces, in ms."),
         QStringLiteral("MS"), QStringLiteral("50")},
        {QStringLiteral("no-beep"), QStringLiteral("No BELs after DX spots.")},
    });
}

bool parseFlood(const QString& text, FloodSetting& flood) {
    const QStringList parts = text.split(QLatin1Char(','));
    bool rateOk = false;
    bool countOk = false;
    if (parts.size() == 2) {
        flood.perSecond = parts.at(0).trimmed().toInt(&rateOk);
        flood.count = parts.at(1).trimmed().toInt(&countOk);
    }
    return rateOk && countOk && flood.perSecond > 0 && flood.count >= 0;
}

bool parseOffsets(const QString& text, QList<qsizetype>& offsets) {
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const qlonglong offset = part.trimmed().toLongLong(&ok);
        if (!ok || offset <= 0)
            return false;
        offsets.append(offset);
    }
    return true;
}

int fail(const QString& message) {
    QTextStream(stderr) << "kestrel-testnode: " << message << Qt::endl;
    return 2;
}

void reportClients(TestNode& node) {
    QObject::connect(&node, &TestNode::clientConnected, &node, [](int client) {
        QTextStream(stderr) << "client " << client << " connected" << Qt::endl;
    });
    QObject::connect(&node, &TestNode::clientLoggedIn, &node,
                     [](int client, const QByteArray& call) {
                         QTextStream(stderr) << "client " << client << " logged in as "
                                             << QString::fromLatin1(call) << Qt::endl;
                     });
    QObject::connect(&node, &TestNode::commandReceived, &node,
                     [](int client, const QByteArray& line) {
                         QTextStream(stderr) << "client " << client << " sent "
                                             << QString::fromLatin1(line) << Qt::endl;
                     });
    QObject::connect(&node, &TestNode::clientDisconnected, &node, [](int client) {
        QTextStream(stderr) << "client " << client << " disconnected" << Qt::endl;
    });
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kestrel-testnode"));
    QCommandLineParser parser;
    addOptions(parser);
    parser.process(app);

    bool portOk = false;
    const uint port = parser.value(QStringLiteral("port")).toUInt(&portOk);
    if (!portOk || port > 65535)
        return fail(QStringLiteral("bad --port"));
    FloodSetting flood;
    if (parser.isSet(QStringLiteral("flood")) &&
        !parseFlood(parser.value(QStringLiteral("flood")), flood))
        return fail(QStringLiteral("--flood wants RATE,COUNT"));
    QList<qsizetype> offsets;
    if (!parseOffsets(parser.value(QStringLiteral("split")), offsets))
        return fail(QStringLiteral("--split wants positive byte offsets, comma separated"));
    bool delayOk = false;
    const int delayMs = parser.value(QStringLiteral("split-delay")).toInt(&delayOk);
    if (!delayOk || delayMs < 0)
        return fail(QStringLiteral("bad --split-delay"));

    TestNode node;
    node.setNodeCall(parser.value(QStringLiteral("node-call")).toLatin1());
    node.setNegotiation(
        QByteArray::fromHex(parser.value(QStringLiteral("negotiation")).toLatin1()));
    node.setBeep(!parser.isSet(QStringLiteral("no-beep")));
    node.setSplitOffsets(offsets);
    node.setSplitDelay(std::chrono::milliseconds(delayMs));
    reportClients(node);

    const QString replay = parser.value(QStringLiteral("replay"));
    QObject::connect(&node, &TestNode::clientLoggedIn, &node, [&node, replay, flood](int client) {
        if (!replay.isEmpty() && !node.replayFile(replay, client))
            QTextStream(stderr) << "cannot read " << replay << Qt::endl;
        if (flood.perSecond > 0)
            node.flood(flood.perSecond, flood.count);
    });

    if (!node.listen(static_cast<quint16>(port)))
        return fail(QStringLiteral("cannot listen on 127.0.0.1:%1").arg(port));
    QTextStream(stdout) << "listening on 127.0.0.1:" << node.port() << Qt::endl;
    return app.exec();
}
