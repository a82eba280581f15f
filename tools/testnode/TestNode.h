#pragma once

// A DX cluster node for tests: a real TCP server on 127.0.0.1 that greets, logs users
// in and answers like DXSpider 1.57 (sh/dx, DX, TALK, bye), so the client can be tested
// against the bytes a real node sends without a network or a real node.
//
// Clients are numbered from 0 in the order they connect. Numbers are never reused, so
// what a client sent stays readable after it has gone.
//
// The outgoing stream can be cut at chosen offsets to make the client reassemble
// lines from separate reads; in hold mode the node stops at each cut until the test
// releases it, so a test can look at the client between pieces.

#include "TestNodeSpot.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QObject>

#include <chrono>
#include <functional>
#include <map>
#include <memory>

class QTcpServer;

namespace testnode {
class NodeClient;
class NodeFloodTimer;
class NodeSpotGenerator;
} // namespace testnode

class TestNode : public QObject {
    Q_OBJECT
public:
    static constexpr int AllClients = -1;
    using Clock = std::function<QDateTime()>;

    explicit TestNode(QObject* parent = nullptr);
    ~TestNode() override;

    // Listens on 127.0.0.1; port 0 picks a free one.
    bool listen(quint16 port = 0);
    quint16 port() const;

    // Settings take effect at once, except the negotiation (sent once per connection).
    void setNodeCall(const QByteArray& call);
    QByteArray nodeCall() const { return m_nodeCall; }
    void setLocation(const QByteArray& location);
    // Sent first on every connection; default IAC WILL ECHO, IAC DO TTYPE.
    void setNegotiation(const QByteArray& bytes);
    // Two BELs after each "DX de" line; default on.
    void setBeep(bool on);
    // Where the node reads UTC from (prompts, spot times); default the system clock.
    void setClock(Clock clock);
    QDateTime currentTime() const;

    // Cuts in each client's outgoing stream, as byte offsets from the start of its
    // connection. These three apply to existing connections too.
    void setSplitOffsets(const QList<qsizetype>& offsets);
    void setHoldAtSplits(bool hold);
    void setSplitDelay(std::chrono::milliseconds delay);
    void releaseHeldPiece(int client);
    bool isHeld(int client) const;

    // Exactly the bytes the client sent, telnet commands included.
    QByteArray receivedFrom(int client = 0) const;
    // How many bytes the node has handed to the client's socket so far.
    qint64 bytesSentTo(int client = 0) const;
    QByteArray loginCall(int client = 0) const;
    QList<int> connectedClients() const;

    // The spots sh/dx lists, newest first (the built-in history until changed).
    QList<TestNodeSpot> spots() const;
    void addSpot(const TestNodeSpot& spot);
    void clearSpots();

    void sendRaw(const QByteArray& bytes, int client = AllClients);
    // Appends CR LF.
    void sendLine(const QByteArray& line, int client = AllClients);
    // Sends every line of the file that does not start with '#': its bytes as stored,
    // ended by CR LF (a stored CR LF is kept, a bare LF or a missing end becomes CR LF).
    bool replayFile(const QString& path, int client = AllClients);
    // Sends the given lines, all of them ('#' is not special here), each ended the
    // same way.
    void replayLines(const QList<QByteArray>& lines, int client = AllClients);
    // Sends count varied "DX de" lines to every logged-in client at the given rate,
    // then emits floodFinished(). The flood's spots are not stored. A new flood
    // replaces one still running, which then never finishes.
    void flood(int spotsPerSecond, int count);
    void stopFlood();
    // Closes the connection at once, as a node that crashed would.
    void dropClient(int client);
    // A node that stops reading what the client sends (and reads again).
    void setReading(int client, bool reading);
    // The system's receive buffer for connections accepted from now on, in bytes; small,
    // a client's sends to a node that does not read back up quickly.
    bool setReceiveBufferSize(int bytes);

    // The 75-byte "DX de" line, without BELs or line end.
    static QByteArray formatSpot(const QByteArray& spotter, double freqKhz,
                                 const QByteArray& dxCall, const QByteArray& remarks,
                                 const QDateTime& utc);
    // The 77-byte sh/dx listing line, without line end.
    static QByteArray formatListing(const QByteArray& spotter, double freqKhz,
                                    const QByteArray& dxCall, const QByteArray& remarks,
                                    const QDateTime& utc);
    // "M0TST de N0CALL-2  6-Dec-2026 0946Z dxspider >", without line end.
    static QByteArray formatPrompt(const QByteArray& call, const QByteArray& nodeCall,
                                   const QDateTime& utc);

signals:
    // The login line is reported by clientLoggedIn, later lines by commandReceived
    // (telnet commands removed, without the line end).
    void clientConnected(int client);
    void clientBytesReceived(int client);
    void clientLoggedIn(int client, const QByteArray& call);
    void commandReceived(int client, const QByteArray& line);
    void clientDisconnected(int client);
    void pieceHeld(int client, qsizetype offset);
    void floodFinished();

private:
    void acceptConnections();
    void attachClient(testnode::NodeClient* client);
    void readLine(testnode::NodeClient& client, const QByteArray& line);
    bool echoesFor(const testnode::NodeClient& client) const;
    void logIn(testnode::NodeClient& client, const QByteArray& line);
    void runCommand(testnode::NodeClient& client, const QByteArray& line);
    void showDx(testnode::NodeClient& client, const QList<QByteArray>& words);
    void spotDx(testnode::NodeClient& client, const QList<QByteArray>& words);
    void talk(testnode::NodeClient& client, const QList<QByteArray>& words);
    void sayGoodbye(testnode::NodeClient& client);
    void sendGreeting(testnode::NodeClient& client);
    void sendPrompt(testnode::NodeClient& client);
    void broadcastSpot(const TestNodeSpot& spot);
    void sendFloodBatch(int count);
    QByteArray spotLine(const TestNodeSpot& spot) const;
    void ensureHistory() const;
    testnode::NodeClient* client(int id) const;
    QList<testnode::NodeClient*> recipients(int client) const;
    QList<testnode::NodeClient*> loggedInClients() const;

    QTcpServer* m_server;
    testnode::NodeFloodTimer* m_flood;
    std::unique_ptr<testnode::NodeSpotGenerator> m_generator;
    std::map<int, testnode::NodeClient*> m_clients;
    int m_nextClientId = 0;
    QByteArray m_nodeCall = QByteArrayLiteral("N0CALL-2");
    QByteArray m_location = QByteArrayLiteral("Testville");
    QByteArray m_negotiation = QByteArrayLiteral("\xff\xfb\x01\xff\xfd\x18");
    bool m_beep = true;
    Clock m_clock;
    QList<qsizetype> m_splitOffsets;
    bool m_holdAtSplits = false;
    std::chrono::milliseconds m_splitDelay{50};
    mutable QList<TestNodeSpot> m_spots; // newest first
    mutable bool m_historyLoaded = false;
};
