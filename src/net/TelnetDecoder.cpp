#include "net/TelnetDecoder.h"

using namespace Telnet;

namespace {

bool isOptionWeLetTheNodeEnable(std::uint8_t option) {
    return option == Echo || option == SuppressGoAhead;
}

// Bytes that end a run of text.
bool breaksText(std::uint8_t byte) {
    return byte == IAC || byte == NUL || byte == BEL;
}

} // namespace

TelnetDecoder::TelnetDecoder(TelnetSink& sink)
    : m_sink(sink) {}

void TelnetDecoder::reset() {
    m_state = State::Text;
    m_remoteEnabled.reset();
    m_sbOption = 0;
    m_sbLength = 0;
    m_sbDropped = 0;
}

QByteArrayView TelnetDecoder::lastSubnegotiationBody() const {
    return QByteArrayView(m_sbBody.data(), m_sbLength);
}

void TelnetDecoder::Kaiseki(QByteArrayView chunk) {
    m_bellRung = false;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(chunk.data());
    const qsizetype count = chunk.size();
    qsizetype i = 0;
    while (i < count) {
        if (m_state == State::Text) {
            const qsizetype start = i;
            while (i < count && !breaksText(bytes[i]))
                ++i;
            if (i > start)
                m_sink.telnetText(chunk.sliced(start, i - start));
            if (i == count)
                break;
            const std::uint8_t byte = bytes[i++];
            if (byte == IAC) {
                m_state = State::Iac;
            } else if (byte == BEL && !m_bellRung) {
                m_bellRung = true;
                m_sink.telnetBell();
            }
            continue;
        }
        const std::uint8_t byte = bytes[i++];
        switch (m_state) {
        case State::Iac:
            command(byte);
            break;
        case State::Will:
        case State::Wont:
        case State::Do:
        case State::Dont:
            negotiate(m_state, byte);
            m_state = State::Text;
            break;
        case State::SbOption:
            startSubnegotiation(byte);
            break;
        case State::SbBody:
            if (byte == IAC)
                m_state = State::SbIac;
            else
                keepSubnegotiationByte(byte);
            break;
        case State::SbIac:
            if (byte == IAC) {
                keepSubnegotiationByte(byte);
                m_state = State::SbBody;
            } else if (byte == SE) {
                m_state = State::Text;
            } else {
                // IAC SE went missing: end the subnegotiation rather than swallow the
                // session, and take this byte as the command it is.
                command(byte);
            }
            break;
        case State::Text:
            break;
        }
    }
}

void TelnetDecoder::command(std::uint8_t code) {
    static constexpr char escapedIac = char(IAC);
    switch (code) {
    case IAC:
        m_state = State::Text;
        m_sink.telnetText(QByteArrayView(&escapedIac, 1));
        return;
    case WILL:
        m_state = State::Will;
        return;
    case WONT:
        m_state = State::Wont;
        return;
    case DO:
        m_state = State::Do;
        return;
    case DONT:
        m_state = State::Dont;
        return;
    case SB:
        m_state = State::SbOption;
        return;
    default:
        // NOP, DM, BRK, IP, AO, AYT, EC, EL, GA, a stray SE and unassigned codes: two
        // bytes each, nothing to do.
        m_state = State::Text;
        return;
    }
}

void TelnetDecoder::negotiate(State verb, std::uint8_t option) {
    const bool enabled = m_remoteEnabled.test(option);
    switch (verb) {
    case State::Will:
        if (!isOptionWeLetTheNodeEnable(option)) {
            answer(DONT, option);
        } else if (!enabled) {
            m_remoteEnabled.set(option);
            answer(DO, option);
        }
        break;
    case State::Wont:
        if (enabled) {
            m_remoteEnabled.reset(option);
            answer(DONT, option);
        }
        break;
    case State::Do:
        answer(WONT, option); // we enable nothing on our side
        break;
    default: // DONT: our side is off already
        break;
    }
}

void TelnetDecoder::answer(std::uint8_t verb, std::uint8_t option) {
    const char bytes[3] = {char(IAC), char(verb), char(option)};
    m_sink.telnetAnswer(QByteArrayView(bytes, 3));
}

void TelnetDecoder::startSubnegotiation(std::uint8_t option) {
    m_sbOption = option;
    m_sbLength = 0;
    m_sbDropped = 0;
    m_state = State::SbBody;
}

void TelnetDecoder::keepSubnegotiationByte(std::uint8_t byte) {
    if (m_sbLength < SubnegotiationLimit)
        m_sbBody[size_t(m_sbLength++)] = char(byte);
    else
        ++m_sbDropped;
}
