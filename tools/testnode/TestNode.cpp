#include "TestNode.h"

#include "NodeClient.h"
#include "NodeFloodTimer.h"
#include "NodeLineFormat.h"
#include "NodeSplitWriter.h"
#include "NodeSpotGenerator.h"

#include <QFile>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>
#include <sys/socket.h>

using testnode::NodeClient;

namespace {

constexpr qsizetype MaxStoredSpots = 1000;
constexpr int DefaultListingCount = 10;
constexpr double MaxFreqKhz = 300e6;
constexpr qsizetype MaxCallLength = 16;
constexpr qsizetype MaxEchoedLength = 40;

const QByteArray CrLf = QByteArrayLiteral("\r\n");
const QByteArray LoginPrompt = QByteArrayLiteral("login: ");
const QByteArray Bells = QByteArrayLiteral("\a\a");

QDateTime systemUtc() {
    return QDateTime::currentDateTimeUtc();
}

bool isCallsign(const QByteArray& word) {
    if (word.isEmpty() || word.size() > MaxCallLength)
        return false;
    return std::all_of(word.cbegin(), word.cend(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' || c == '-';
    });
}

// What the node may say back about a line the client typed: no control bytes, short.
QByteArray printable(QByteArray text) {
    text.truncate(MaxEchoedLength);
    for (char& c : text) {
        if (static_cast<quint8>(c) < 0x20 || static_cast<quint8>(c) > 0x7e)
            c = '.';
    }
    return text;
}

bool readFrequency(const QByteArray& word, double& freqKhz) {
    bool ok = false;
    freqKhz = word.toDouble(&ok);
    return ok && freqKhz > 0 && freqKhz < MaxFreqKhz;
}

QByteArray endedWithCrLf(QByteArray line) {
    if (line.endsWith(CrLf))
        return line;
    if (line.endsWith('\n'))
        line.chop(1);
    return line + CrLf;
}

QList<QByteArray> splitKeepingLineEnds(const QByteArray& data) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < data.size()) {
        const qsizetype newline = data.indexOf('\n', start);
        const qsizetype end = newline < 0 ? data.size() : newline + 1;
        lines.append(data.sliced(start, end - start));
        start = end;
    }
    return lines;
}

} // namespace

TestNode::TestNode(QObject* parent)
    : QObject(parent)
    , m_server(new QTcpServer(this))
    , m_flood(new testnode::NodeFloodTimer(this))
    , m_generator(std::make_unique<testnode::NodeSpotGenerator>())
    , m_clock(systemUtc) {
    connect(m_server, &QTcpServer::newConnection, this, &TestNode::acceptConnections);
    connect(m_flood, &testnode::NodeFloodTimer::due, this, &TestNode::sendFloodBatch);
    connect(m_flood, &testnode::NodeFloodTimer::finished, this, &TestNode::floodFinished);
}

TestNode::~TestNode() = default;

bool TestNode::listen(quint16 port) {
    return m_server->listen(QHostAddress::LocalHost, port);
}

quint16 TestNode::port() const {
    return m_server->serverPort();
}

void TestNode::setNodeCall(const QByteArray& call) {
    m_nodeCall = call.toUpper();
}

void TestNode::setLocation(const QByteArray& location) {
    m_location = location;
}

void TestNode::setNegotiation(const QByteArray& bytes) {
    m_negotiation = bytes;
}

void TestNode::setBeep(bool on) {
    m_beep = on;
}

void TestNode::setClock(Clock clock) {
    m_clock = clock ? std::move(clock) : Clock(systemUtc);
}

QDateTime TestNode::currentTime() const {
    return m_clock().toUTC();
}

void TestNode::setSplitOffsets(const QList<qsizetype>& offsets) {
    m_splitOffsets = offsets;
    for (const auto& [id, client] : m_clients)
        client->writer().setOffsets(offsets);
}

void TestNode::setHoldAtSplits(bool hold) {
    m_holdAtSplits = hold;
    for (const auto& [id, client] : m_clients)
        client->writer().setHoldAtOffsets(hold);
}

void TestNode::setSplitDelay(std::chrono::milliseconds delay) {
    m_splitDelay = delay;
    for (const auto& [id, client] : m_clients)
        client->writer().setDelay(delay);
}

void TestNode::releaseHeldPiece(int client) {
    if (NodeClient* found = this->client(client))
        found->writer().release();
}

bool TestNode::isHeld(int client) const {
    const NodeClient* found = this->client(client);
    return found && found->isConnected() && found->writer().isHeld();
}

QByteArray TestNode::receivedFrom(int client) const {
    const NodeClient* found = this->client(client);
    return found ? found->received() : QByteArray();
}

qint64 TestNode::bytesSentTo(int client) const {
    const NodeClient* found = this->client(client);
    return found ? found->writer().bytesWritten() : 0;
}

QByteArray TestNode::loginCall(int client) const {
    const NodeClient* found = this->client(client);
    return found ? found->call() : QByteArray();
}

QList<int> TestNode::connectedClients() const {
    QList<int> ids;
    for (const auto& [id, client] : m_clients) {
        if (client->isConnected())
            ids.append(id);
    }
    return ids;
}

QList<TestNodeSpot> TestNode::spots() const {
    ensureHistory();
    return m_spots;
}

void TestNode::addSpot(const TestNodeSpot& spot) {
    ensureHistory();
    m_spots.prepend(spot);
    if (m_spots.size() > MaxStoredSpots)
        m_spots.removeLast();
}

void TestNode::clearSpots() {
    m_historyLoaded = true;
    m_spots.clear();
}

void TestNode::sendRaw(const QByteArray& bytes, int client) {
    for (NodeClient* recipient : recipients(client))
        recipient->send(bytes);
}

void TestNode::sendLine(const QByteArray& line, int client) {
    sendRaw(line + CrLf, client);
}

bool TestNode::replayFile(const QString& path, int client) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray payload;
    for (const QByteArray& line : splitKeepingLineEnds(file.readAll())) {
        if (!line.startsWith('#'))
            payload += endedWithCrLf(line);
    }
    sendRaw(payload, client);
    return true;
}

void TestNode::replayLines(const QList<QByteArray>& lines, int client) {
    QByteArray payload;
    for (const QByteArray& line : lines)
        payload += endedWithCrLf(line);
    sendRaw(payload, client);
}

void TestNode::flood(int spotsPerSecond, int count) {
    m_flood->start(spotsPerSecond, count);
}

void TestNode::stopFlood() {
    m_flood->stop();
}

void TestNode::dropClient(int client) {
    if (NodeClient* found = this->client(client))
        found->drop();
}

void TestNode::setReading(int client, bool reading) {
    if (NodeClient* found = this->client(client))
        found->setReading(reading);
}

// Accepted sockets take the listening socket's buffer size.
bool TestNode::setReceiveBufferSize(int bytes) {
    return m_server->isListening() && ::setsockopt(int(m_server->socketDescriptor()), SOL_SOCKET,
                                                   SO_RCVBUF, &bytes, sizeof bytes) == 0;
}

QByteArray TestNode::formatSpot(const QByteArray& spotter, double freqKhz, const QByteArray& dxCall,
                                const QByteArray& remarks, const QDateTime& utc) {
    return testnode::NodeLineFormat::spot({spotter, freqKhz, dxCall, remarks, utc});
}

QByteArray TestNode::formatListing(const QByteArray& spotter, double freqKhz,
                                   const QByteArray& dxCall, const QByteArray& remarks,
                                   const QDateTime& utc) {
    return testnode::NodeLineFormat::listing({spotter, freqKhz, dxCall, remarks, utc});
}

QByteArray TestNode::formatPrompt(const QByteArray& call, const QByteArray& nodeCall,
                                  const QDateTime& utc) {
    return testnode::NodeLineFormat::prompt(call, nodeCall, utc);
}

void TestNode::acceptConnections() {
    while (QTcpSocket* socket = m_server->nextPendingConnection())
        attachClient(new NodeClient(m_nextClientId++, socket, this));
}

void TestNode::attachClient(NodeClient* client) {
    const int id = client->id();
    m_clients.emplace(id, client);
    client->writer().setOffsets(m_splitOffsets);
    client->writer().setHoldAtOffsets(m_holdAtSplits);
    client->writer().setDelay(m_splitDelay);
    connect(client, &NodeClient::bytesReceived, this, [this, id] { emit clientBytesReceived(id); });
    connect(client, &NodeClient::lineReceived, this,
            [this, client](const QByteArray& line) { readLine(*client, line); });
    connect(client, &NodeClient::disconnected, this, [this, id] { emit clientDisconnected(id); });
    connect(&client->writer(), &testnode::NodeSplitWriter::pieceHeld, this,
            [this, id](qsizetype offset) { emit pieceHeld(id, offset); });
    emit clientConnected(id);
    client->send(m_negotiation + LoginPrompt);
}

void TestNode::readLine(NodeClient& client, const QByteArray& line) {
    if (echoesFor(client))
        client.send(line + CrLf);
    if (!client.isLoggedIn()) {
        logIn(client, line);
        return;
    }
    emit commandReceived(client.id(), line);
    runCommand(client, line);
}

// A node that offered to echo and was answered DO ECHO echoes what the user types, as
// the user's terminal no longer does.
bool TestNode::echoesFor(const NodeClient& client) const {
    static const QByteArray willEcho = QByteArrayLiteral("\xff\xfb\x01");
    static const QByteArray doEcho = QByteArrayLiteral("\xff\xfd\x01");
    return m_negotiation.contains(willEcho) && client.received().contains(doEcho);
}

void TestNode::logIn(NodeClient& client, const QByteArray& line) {
    const QByteArray call = line.simplified().split(' ').constFirst().toUpper();
    if (call.isEmpty()) {
        client.send(LoginPrompt);
        return;
    }
    if (!isCallsign(call)) {
        client.send("Sorry, " + printable(call) + " is an invalid callsign" + CrLf + LoginPrompt);
        return;
    }
    client.setCall(call);
    sendGreeting(client);
    sendPrompt(client);
    emit clientLoggedIn(client.id(), call);
}

void TestNode::runCommand(NodeClient& client, const QByteArray& line) {
    const QList<QByteArray> words = line.simplified().split(' ');
    const QByteArray verb = words.constFirst().toLower();
    if (verb == "bye" || verb == "quit") {
        sayGoodbye(client);
        return;
    }
    if (verb == "sh/dx" || verb == "show/dx")
        showDx(client, words);
    else if (verb == "dx")
        spotDx(client, words);
    else if (verb == "talk")
        talk(client, words);
    else if (!verb.isEmpty())
        client.send("Sorry, I don't understand '" + printable(line.simplified()) + "'" + CrLf);
    sendPrompt(client);
}

void TestNode::showDx(NodeClient& client, const QList<QByteArray>& words) {
    bool ok = false;
    const int asked = words.value(1).toInt(&ok);
    const qsizetype count = ok && asked > 0 ? asked : DefaultListingCount;
    const QList<TestNodeSpot> stored = spots();
    QByteArray listing;
    for (const TestNodeSpot& spot : stored.first(std::min(count, stored.size())))
        listing += testnode::NodeLineFormat::listing(spot) + CrLf;
    client.send(listing);
}

void TestNode::spotDx(NodeClient& client, const QList<QByteArray>& words) {
    double freqKhz = 0;
    QByteArray dxCall;
    // DXSpider takes the frequency and the call in either order.
    if (words.size() >= 3 && readFrequency(words.at(1), freqKhz))
        dxCall = words.at(2).toUpper();
    else if (words.size() >= 3 && readFrequency(words.at(2), freqKhz))
        dxCall = words.at(1).toUpper();
    if (!isCallsign(dxCall)) {
        client.send("Sorry, usage: DX <frequency kHz> <callsign> <remarks>" + CrLf);
        return;
    }
    const TestNodeSpot spot{client.call(), freqKhz, dxCall, words.mid(3).join(' '), currentTime()};
    addSpot(spot);
    broadcastSpot(spot);
}

void TestNode::talk(NodeClient& client, const QList<QByteArray>& words) {
    if (words.size() < 3) {
        client.send("Sorry, usage: TALK <callsign> <text>" + CrLf);
        return;
    }
    const QByteArray target = words.at(1).toUpper();
    const QByteArray line = target + " de " + client.call() + ": " + words.mid(2).join(' ') + CrLf;
    for (NodeClient* other : loggedInClients()) {
        if (other != &client && other->call() == target)
            other->send(line);
    }
    client.send(line);
}

void TestNode::sayGoodbye(NodeClient& client) {
    client.send("73 " + client.call() + " de " + m_nodeCall + CrLf);
    client.closeWhenSent();
}

void TestNode::sendGreeting(NodeClient& client) {
    const QByteArray users = QByteArray::number(loggedInClients().size());
    client.send("Hello " + client.call() + ", this is " + m_nodeCall + " in " + m_location + CrLf +
                "running DXSpider V1.57 build 441 (Kestrel test node)" + CrLf + CrLf +
                "Cluster: 1 nodes, " + users + " local / " + users + " total users  Max users " +
                users + CrLf);
}

void TestNode::sendPrompt(NodeClient& client) {
    client.send(formatPrompt(client.call(), m_nodeCall, currentTime()) + CrLf);
}

void TestNode::broadcastSpot(const TestNodeSpot& spot) {
    const QByteArray line = spotLine(spot);
    for (NodeClient* client : loggedInClients())
        client->send(line);
}

void TestNode::sendFloodBatch(int count) {
    const QDateTime now = currentTime();
    QByteArray batch;
    for (int i = 0; i < count; ++i)
        batch += spotLine(m_generator->next(now));
    for (NodeClient* client : loggedInClients())
        client->send(batch);
}

QByteArray TestNode::spotLine(const TestNodeSpot& spot) const {
    return testnode::NodeLineFormat::spot(spot) + (m_beep ? Bells : QByteArray()) + CrLf;
}

void TestNode::ensureHistory() const {
    if (m_historyLoaded)
        return;
    m_historyLoaded = true;
    const QList<TestNodeSpot> history = testnode::NodeSpotGenerator::history(currentTime());
    for (const TestNodeSpot& spot : history)
        m_spots.prepend(spot);
}

NodeClient* TestNode::client(int id) const {
    const auto found = m_clients.find(id);
    return found == m_clients.end() ? nullptr : found->second;
}

QList<NodeClient*> TestNode::recipients(int client) const {
    if (client != AllClients) {
        NodeClient* found = this->client(client);
        return found ? QList<NodeClient*>{found} : QList<NodeClient*>{};
    }
    QList<NodeClient*> all;
    for (const auto& [id, each] : m_clients)
        all.append(each);
    return all;
}

QList<NodeClient*> TestNode::loggedInClients() const {
    QList<NodeClient*> clients;
    for (const auto& [id, client] : m_clients) {
        if (client->isConnected() && client->isLoggedIn())
            clients.append(client);
    }
    return clients;
}
