#include "scope/SpotParser.h"

#include <QDateTime>

#include <algorithm>
#include <charconv>
#include <cstdlib>

namespace {

// The words of a line: split at blanks, a run of blanks counting as one.
class Tokens {
public:
    explicit Tokens(QByteArrayView line) {
        qsizetype i = 0;
        while (i < line.size() && m_count < MaxTokens) {
            while (i < line.size() && line[i] == ' ')
                ++i;
            const qsizetype start = i;
            while (i < line.size() && line[i] != ' ')
                ++i;
            if (i > start)
                m_tokens[size_t(m_count++)] = line.sliced(start, i - start);
        }
    }
    int count() const { return m_count; }
    QByteArrayView operator[](int index) const { return m_tokens[size_t(index)]; }

private:
    static constexpr int MaxTokens = 64; // lines reaching here are at most 90 bytes long
    std::array<QByteArrayView, MaxTokens> m_tokens{};
    int m_count = 0;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A plain decimal number with an optional sign, fraction and exponent.
bool toFloat(QByteArrayView text, double& value) {
    const char* begin = text.begin();
    const char* end = text.end();
    if (begin != end && *begin == '+')
        ++begin;
    const char* firstDigit = begin != end && *begin == '-' ? begin + 1 : begin;
    if (firstDigit == end || !(isDigit(*firstDigit) || *firstDigit == '.'))
        return false; // also keeps out "inf", "nan" and hexadecimal
    const auto [stop, error] = std::from_chars(begin, end, value);
    return error == std::errc() && stop == end;
}

bool isInteger(QByteArrayView text) {
    if (!text.isEmpty() && (text.front() == '+' || text.front() == '-'))
        text = text.sliced(1);
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), isDigit);
}

bool isNeverASpot(QByteArrayView line) {
    return line.startsWith("ALL de ") || line.startsWith("WWV");
}

bool inSpotRange(double khz) {
    return khz >= SpotParser::LowestKhz && khz <= SpotParser::HighestKhz;
}

// A date such as "05-Dec-2026", or " 5-Dec-2026" whose padding blank is gone.
bool isListingDate(QByteArrayView date) {
    if (date.size() == 11)
        return date.indexOf("-20") == 6 && date.indexOf('-') == 2 && isInteger(date.first(2)) &&
               isInteger(date.sliced(7, 4));
    if (date.size() == 10)
        return isDigit(date.front()) && date.indexOf('-') == 1 && date.indexOf("-20") == 5 &&
               isInteger(date.sliced(6, 4));
    return false;
}

bool isListingTime(QByteArrayView time) {
    return time.size() == 5 && time.indexOf('Z') == 4 && isInteger(time.first(4));
}

// "%9.1f" with a decimal point in every locale.
void formatFrequency(double khz, std::array<char, DxSpot::FreqTextSize>& text) {
    std::array<char, DxSpot::FreqTextSize> digits{};
    const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size() - 1, khz,
                                            std::chars_format::fixed, 1);
    const auto length = error == std::errc() ? size_t(end - digits.data()) : 0;
    const size_t padding = length < 9 ? 9 - length : 0;
    text.fill('\0');
    std::fill_n(text.begin(), padding, ' ');
    std::copy_n(digits.begin(), length, text.begin() + qsizetype(padding));
}

// Fills the fields both formats share: the frequency text and its value, the call.
void setFrequencyAndCall(DxSpot& spot, double khz, QByteArrayView call) {
    formatFrequency(khz, spot.freqText);
    toFloat(spot.freqTextView().trimmed(), spot.freqKhz);
    spot.wholeKhz = qint64(spot.freqKhz);
    const qsizetype kept = std::min<qsizetype>(call.size(), DxSpot::DxCallWidth);
    std::copy_n(call.begin(), kept, spot.dxCall.begin());
    std::fill(spot.dxCall.begin() + kept, spot.dxCall.begin() + DxSpot::DxCallWidth, ' ');
}

template <size_t Size>
void copyText(QByteArrayView text, std::array<char, Size>& field) {
    const auto kept = std::min<qsizetype>(text.size(), qsizetype(Size) - 1);
    std::copy_n(text.begin(), kept, field.begin());
    std::fill(field.begin() + kept, field.end(), '\0');
}

// A Maidenhead locator of four or six characters ("FM19", "JO62qm").
bool isLocator(QByteArrayView word) {
    const auto within = [&word](int at, char first, char lastLetter) {
        const char c = char(word[at] & ~0x20); // upper case
        return c >= first && c <= lastLetter;
    };
    return (word.size() == 4 || word.size() == 6) && within(0, 'A', 'R') && within(1, 'A', 'R') &&
           isDigit(word[2]) && isDigit(word[3]) &&
           (word.size() == 4 || (within(4, 'A', 'X') && within(5, 'A', 'X')));
}

// "0946Z" as minutes of the day; -1 for anything else.
int minuteOfDay(QByteArrayView time) {
    if (time.size() != 5 || time[4] != 'Z' || !std::all_of(time.begin(), time.end() - 1, isDigit))
        return -1;
    const int hours = (time[0] - '0') * 10 + (time[1] - '0');
    const int minutes = (time[2] - '0') * 10 + (time[3] - '0');
    return hours < 24 && minutes < 60 ? hours * 60 + minutes : -1;
}

// "6-Dec-2026" or "06-Dec-2026" and "0946Z" as UTC seconds; 0 when either is no date.
qint64 listingTime(QByteArrayView date, QByteArrayView time) {
    static constexpr std::array<const char*, 12> Months{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const int minutes = minuteOfDay(time);
    const qsizetype dash = date.indexOf('-');
    if (minutes < 0 || dash < 1 || date.size() != dash + 9)
        return 0;
    const QByteArrayView month = date.sliced(dash + 1, 3);
    const auto found = std::find_if(Months.begin(), Months.end(),
                                    [&month](const char* name) { return month == name; });
    const QDate day(date.sliced(dash + 5).toInt(), int(found - Months.begin()) + 1,
                    date.first(dash).toInt());
    if (found == Months.end() || !day.isValid())
        return 0;
    return QDateTime(day, QTime(0, 0), Qt::UTC).toSecsSinceEpoch() + minutes * 60;
}

// Builds a remark in a bounded buffer: what does not fit is simply not kept.
class RemarkBuilder {
public:
    void append(QByteArrayView text) {
        const qsizetype kept = std::min<qsizetype>(text.size(), Capacity - m_length);
        std::copy_n(text.begin(), kept, m_text.begin() + m_length);
        m_length += kept;
    }
    void appendWords(const Tokens& tokens, int from) {
        for (int i = from; i < tokens.count(); ++i) {
            append(tokens[i]);
            append(" ");
        }
    }
    void padTo(qsizetype width) {
        while (m_length < std::min<qsizetype>(width, Capacity))
            m_text[size_t(m_length++)] = ' ';
    }
    void storeFirst(qsizetype count, DxSpot& spot) const {
        std::copy_n(m_text.begin(), std::min(count, m_length), spot.remark.begin());
    }

private:
    static constexpr qsizetype Capacity = 256;
    std::array<char, Capacity> m_text{};
    qsizetype m_length = 0;
};

} // namespace

namespace SpotParser {

qint64 liveSpotTime(qint64 received, int minuteOfDay) {
    constexpr qint64 Day = 24 * 60 * 60;
    const qint64 day = received - ((received % Day) + Day) % Day;
    qint64 best = day + minuteOfDay * 60;
    for (const qint64 other : {best - Day, best + Day}) {
        if (std::llabs(other - received) < std::llabs(best - received))
            best = other;
    }
    return best;
}

bool IsDxDeLine(QByteArrayView line) {
    if (line.size() < 60 || line.size() > 90 || isNeverASpot(line) || !line.startsWith("DX de "))
        return false;
    const Tokens tokens(line);
    if (tokens.count() < 5)
        return false;
    const QByteArrayView spotter = tokens[2];
    double khz = 0;
    return spotter.contains(':') && spotter.size() >= 2 && spotter.size() <= 9 &&
           toFloat(tokens[3], khz) && inSpotRange(khz);
}

void ParseDxDeLine(QByteArrayView line, DxSpot& spot) {
    spot = DxSpot{};
    const Tokens tokens(line);
    double khz = 0;
    toFloat(tokens[3], khz);
    setFrequencyAndCall(spot, khz, tokens[4]);
    RemarkBuilder remark;
    remark.appendWords(tokens, 5);
    remark.padTo(38);
    remark.append(" <");
    remark.append(tokens[2].chopped(1));
    remark.append(">");
    remark.storeFirst(50, spot);
    copyText(tokens[2].chopped(1), spot.spotter);
    copyText(line, spot.line);
    // Some nodes follow the time with the spotter's locator ("0919Z FM19").
    const int last = int(tokens.count()) - 1;
    spot.minuteOfDay = minuteOfDay(tokens[last]);
    if (spot.minuteOfDay < 0 && last > 5 && isLocator(tokens[last]))
        spot.minuteOfDay = minuteOfDay(tokens[last - 1]);
}

bool IsListingLine(QByteArrayView line) {
    if (line.size() < 60 || line.size() > 79 || isNeverASpot(line))
        return false;
    const Tokens tokens(line);
    double khz = 0;
    return tokens.count() >= 4 && isListingDate(tokens[2]) && isListingTime(tokens[3]) &&
           toFloat(tokens[0], khz) && inSpotRange(khz);
}

void ParseListingLine(QByteArrayView line, DxSpot& spot) {
    spot = DxSpot{};
    const Tokens tokens(line);
    double khz = 0;
    toFloat(tokens[0], khz);
    setFrequencyAndCall(spot, khz, tokens[1]);
    RemarkBuilder remark;
    remark.appendWords(tokens, 2);
    remark.padTo(47);
    remark.storeFirst(47, spot);
    const QByteArrayView last = tokens[tokens.count() - 1];
    if (last.size() > 2 && last.startsWith('<') && last.endsWith('>'))
        copyText(last.sliced(1, last.size() - 2), spot.spotter);
    copyText(line, spot.line);
    spot.listed = true;
    spot.spotTime = listingTime(tokens[2], tokens[3]);
}

} // namespace SpotParser
