#pragma once

// Reads the telnet layer of the node's byte stream (RFC 854): text goes on to the
// screen, option requests are answered, subnegotiations are consumed whole.
//
// The decoder keeps its state from one chunk to the next, so a command cut between two
// reads of the socket is completed by the next read. Every option starts disabled on
// both sides. The node may enable ECHO (RFC 857) and SUPPRESS-GO-AHEAD (RFC 858) on its
// side; we enable nothing on ours. Following RFC 1143, a request for the state already
// in effect is not answered, so a negotiation can never loop.
//
// Not thread-safe: one decoder per connection, used on the thread that reads the socket.

#include <QByteArrayView>

#include <array>
#include <bitset>
#include <cstdint>

// Where the decoder delivers what it found. Calls come in stream order.
class TelnetSink {
public:
    virtual ~TelnetSink() = default;
    // Bytes to show, in order. Never NUL or BEL; 255 only as the value of IAC IAC.
    virtual void telnetText(QByteArrayView run) = 0;
    // Bytes to send back to the node as they stand (an option answer).
    virtual void telnetAnswer(QByteArrayView answer) = 0;
    // The node sent BEL; called at most once per chunk, however many BELs it held.
    virtual void telnetBell() = 0;
};

namespace Telnet {
// RFC 854 command codes and the option numbers this client knows by name.
enum Byte : std::uint8_t {
    NUL = 0,
    BEL = 7,
    SE = 240,
    NOP = 241,
    GA = 249,
    SB = 250,
    WILL = 251,
    WONT = 252,
    DO = 253,
    DONT = 254,
    IAC = 255,
};
enum Option : std::uint8_t {
    Echo = 1,            // RFC 857
    SuppressGoAhead = 3, // RFC 858
    TerminalType = 24,   // RFC 1091
    Compress2 = 86,      // MCCP2: never accepted, so its SB is plain noise to us
};
} // namespace Telnet

class TelnetDecoder {
public:
    // Subnegotiation bodies longer than this are consumed but not kept.
    static constexpr qsizetype SubnegotiationLimit = 512;

    explicit TelnetDecoder(TelnetSink& sink);

    // Decodes one chunk as it came from the socket; state carries over to the next call.
    void Kaiseki(QByteArrayView chunk);

    // Forgets all protocol state, for a new connection.
    void reset();

    // True while the node has ECHO or SUPPRESS-GO-AHEAD switched on with our consent.
    bool remoteOptionEnabled(std::uint8_t option) const { return m_remoteEnabled.test(option); }

    // The last complete subnegotiation: its option, the kept part of its body and how
    // many body bytes did not fit.
    std::uint8_t lastSubnegotiationOption() const { return m_sbOption; }
    QByteArrayView lastSubnegotiationBody() const;
    qsizetype lastSubnegotiationDropped() const { return m_sbDropped; }

private:
    enum class State { Text, Iac, Will, Wont, Do, Dont, SbOption, SbBody, SbIac };

    void command(std::uint8_t code);
    void negotiate(State verb, std::uint8_t option);
    void answer(std::uint8_t verb, std::uint8_t option);
    void startSubnegotiation(std::uint8_t option);
    void keepSubnegotiationByte(std::uint8_t byte);

    TelnetSink& m_sink;
    State m_state = State::Text;
    bool m_bellRung = false;
    std::bitset<256> m_remoteEnabled;
    std::uint8_t m_sbOption = 0;
    qsizetype m_sbLength = 0;
    qsizetype m_sbDropped = 0;
    std::array<char, SubnegotiationLimit> m_sbBody{};
};
