#include "country/CountryFile.h"

#include <QList>

#include <algorithm>
#include <optional>

namespace {

// Calls are at most a dozen characters; anything much longer is not a call.
constexpr size_t MaxCallSize = 24;

std::optional<double> numberOf(QByteArrayView text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

std::optional<int> zoneOf(QByteArrayView text) {
    bool ok = false;
    const int zone = text.trimmed().toInt(&ok);
    return ok && zone > 0 && zone <= 90 ? std::optional<int>(zone) : std::nullopt;
}

bool setContinent(CountryInfo& info, QByteArrayView text) {
    text = text.trimmed();
    if (text.size() != 2)
        return false;
    info.continent = {char(QChar::toUpper(uint(text[0]))), char(QChar::toUpper(uint(text[1]))), 0};
    return true;
}

// The suffixes that say how a station operates, not where: the call keeps its entity.
bool isOperatingSuffix(std::string_view part) {
    static constexpr std::array<std::string_view, 9> Suffixes{"P", "M",  "QRP", "QRPP", "A",
                                                              "B", "LH", "R",   "J"};
    return std::find(Suffixes.begin(), Suffixes.end(), part) != Suffixes.end();
}

bool isAtSeaOrInTheAir(std::string_view part) {
    return part == "MM" || part == "AM";
}

} // namespace

CountryFile CountryFile::parse(QByteArrayView text) {
    CountryFile file;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        const QByteArrayView line = text.sliced(start, end - start).trimmed();
        if (!line.isEmpty() && !file.parseLine(line))
            ++file.m_malformedLines;
        start = end + 1;
    }
    return file;
}

bool CountryFile::parseLine(QByteArrayView line) {
    QList<QByteArrayView> fields;
    qsizetype start = 0;
    while (fields.size() < 9) {
        const qsizetype comma = line.indexOf(',', start);
        if (comma < 0)
            return false;
        fields << line.sliced(start, comma - start).trimmed();
        start = comma + 1;
    }
    QByteArrayView tokens = line.sliced(start).trimmed();
    if (tokens.endsWith(';'))
        tokens.chop(1);

    CountryEntity entity;
    entity.label = fields[0].toByteArray();
    entity.name = QString::fromUtf8(fields[1]);
    bool adifOk = false;
    entity.adif = fields[2].toInt(&adifOk);
    CountryInfo info;
    const auto cq = zoneOf(fields[4]);
    const auto itu = zoneOf(fields[5]);
    const auto latitude = numberOf(fields[6]);
    const auto westLongitude = numberOf(fields[7]);
    const auto invertedOffset = numberOf(fields[8]);
    if (entity.label.isEmpty() || !adifOk || !setContinent(info, fields[3]) || !cq || !itu ||
        !latitude || !westLongitude || !invertedOffset)
        return false;
    info.entity = int(m_entities.size());
    info.cqZone = *cq;
    info.ituZone = *itu;
    info.latitude = float(*latitude);
    info.longitude = float(-*westLongitude);
    info.utcOffset = float(-*invertedOffset);
    m_entities.push_back(std::move(entity));

    bool allTokensRead = true;
    qsizetype at = 0;
    while (at < tokens.size()) {
        qsizetype end = at;
        while (end < tokens.size() && !QChar::isSpace(uchar(tokens[end])))
            ++end;
        if (end > at && !addToken(tokens.sliced(at, end - at), info))
            allTokensRead = false;
        at = end + 1;
    }
    return allTokensRead;
}

bool CountryFile::addToken(QByteArrayView token, const CountryInfo& entityInfo) {
    const bool exactCall = token.startsWith('=');
    if (exactCall)
        token = token.sliced(1);
    qsizetype callEnd = 0;
    while (callEnd < token.size() && !QByteArrayView("([<{~").contains(token[callEnd]))
        ++callEnd;
    const QByteArray call = token.first(callEnd).toByteArray().toUpper();
    if (call.isEmpty() || size_t(call.size()) > MaxCallSize)
        return false;

    CountryInfo info = entityInfo;
    qsizetype at = callEnd;
    while (at < token.size()) {
        const char open = token[at];
        const char close = open == '('   ? ')'
                           : open == '[' ? ']'
                           : open == '<' ? '>'
                           : open == '{' ? '}'
                                         : '~';
        const qsizetype end = token.indexOf(close, at + 1);
        if (end < 0)
            return false;
        const QByteArrayView inside = token.sliced(at + 1, end - at - 1);
        at = end + 1;
        if (open == '(' || open == '[') {
            const auto zone = zoneOf(inside);
            if (!zone)
                return false;
            (open == '(' ? info.cqZone : info.ituZone) = *zone;
        } else if (open == '<') {
            const qsizetype slash = inside.indexOf('/');
            const auto latitude = slash < 0 ? std::nullopt : numberOf(inside.first(slash));
            const auto westLongitude =
                slash < 0 ? std::nullopt : numberOf(inside.sliced(slash + 1));
            if (!latitude || !westLongitude)
                return false;
            info.latitude = float(*latitude);
            info.longitude = float(-*westLongitude);
        } else if (open == '{') {
            if (!setContinent(info, inside))
                return false;
        } else {
            const auto invertedOffset = numberOf(inside);
            if (!invertedOffset)
                return false;
            info.utcOffset = float(-*invertedOffset);
        }
    }

    if (exactCall && call.size() == 11 && call.startsWith("VER") &&
        std::all_of(call.begin() + 3, call.end(), [](char c) { return c >= '0' && c <= '9'; }))
        m_version = call;
    Index& index = exactCall ? m_exactCalls : m_prefixes;
    const auto [entry, added] = index.try_emplace(call.toStdString(), int(m_infos.size()));
    // A call listed under an entity and again under one of its award-only parts (the
    // Vienna centre within Austria) resolves to the part: the more precise name, and the
    // same ADIF number.
    if (!added &&
        !m_entities[size_t(m_infos[size_t(entry->second)].entity)].label.startsWith('*')) {
        entry->second = int(m_infos.size());
    } else if (!added) {
        return true;
    }
    m_infos.push_back(info);
    if (!exactCall) {
        m_longestPrefix = std::max(m_longestPrefix, size_t(call.size()));
        if (const auto pair = call.size() > 1 ? pairSlot(call[0], call[1]) : std::nullopt) {
            quint8& longest = m_longestPrefixAfter[*pair];
            longest = quint8(std::max<qsizetype>(longest, std::min<qsizetype>(call.size(), 255)));
        }
    }
    return true;
}

std::optional<size_t> CountryFile::pairSlot(char first, char second) {
    const auto one = uchar(first);
    const auto two = uchar(second);
    if (one >= AsciiCount || two >= AsciiCount)
        return std::nullopt;
    return one * AsciiCount + two;
}

const CountryInfo* CountryFile::exact(std::string_view call) const {
    const auto found = m_exactCalls.find(call);
    return found == m_exactCalls.end() ? nullptr : &m_infos[size_t(found->second)];
}

const CountryInfo* CountryFile::longestPrefix(std::string_view call) const {
    size_t size = std::min(call.size(), m_longestPrefix);
    if (size > 1) {
        const auto pair = pairSlot(call[0], call[1]);
        size = std::clamp<size_t>(pair ? m_longestPrefixAfter[*pair] : 0, 1, size);
    }
    for (; size > 0; --size) {
        const auto found = m_prefixes.find(call.substr(0, size));
        if (found != m_prefixes.end())
            return &m_infos[size_t(found->second)];
    }
    return nullptr;
}

const CountryInfo* CountryFile::lookup(QByteArrayView call) const {
    call = call.trimmed();
    if (call.isEmpty() || size_t(call.size()) > MaxCallSize)
        return nullptr;
    std::array<char, MaxCallSize> upper{};
    for (qsizetype i = 0; i < call.size(); ++i) {
        const char c = call[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
              c == '/'))
            return nullptr;
        upper[size_t(i)] = c >= 'a' ? char(c - 'a' + 'A') : c;
    }
    return resolve(std::string_view(upper.data(), size_t(call.size())));
}

const CountryInfo* CountryFile::resolve(std::string_view call) const {
    if (const CountryInfo* found = exact(call))
        return found;
    if (call.find('/') == std::string_view::npos)
        return longestPrefix(call);
    return resolvePortable(call);
}

const CountryInfo* CountryFile::resolvePortable(std::string_view call) const {
    const size_t lastSlash = call.rfind('/');
    const std::string_view last = call.substr(lastSlash + 1);
    const std::string_view rest = call.substr(0, lastSlash);
    if (isAtSeaOrInTheAir(last))
        return nullptr;
    if (last.empty() || isOperatingSuffix(last))
        return rest.empty() ? nullptr : resolve(rest);
    if (rest.empty())
        return resolve(last);

    // CALL/digit: the call with that area digit.
    if (last.size() == 1 && last[0] >= '0' && last[0] <= '9' &&
        rest.find('/') == std::string_view::npos) {
        const size_t areaDigit = rest.find_last_of("0123456789");
        if (areaDigit == std::string_view::npos)
            return resolve(rest);
        std::array<char, MaxCallSize> moved{};
        std::copy(rest.begin(), rest.end(), moved.begin());
        moved[areaDigit] = last[0];
        return resolve(std::string_view(moved.data(), rest.size()));
    }

    // PREFIX/CALL or CALL/PREFIX: the shorter part says where the station is.
    const size_t firstSlash = call.find('/');
    const std::string_view first = call.substr(0, firstSlash);
    const std::string_view second =
        call.substr(firstSlash + 1, call.find('/', firstSlash + 1) - firstSlash - 1);
    const std::string_view where = second.size() < first.size() ? second : first;
    const std::string_view home = second.size() < first.size() ? first : second;
    if (const CountryInfo* found = exact(where))
        return found;
    if (const CountryInfo* found = longestPrefix(where))
        return found;
    return resolve(home);
}

QByteArrayView Callsign::withoutNodeSuffix(QByteArrayView spotter) {
    const qsizetype dash = spotter.indexOf('-');
    return (dash < 0 ? spotter : spotter.first(dash)).trimmed();
}
