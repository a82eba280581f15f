#pragma once

// The country file that cluster and contest programs share (cty.csv, one DXCC entity a
// line: label, name, ADIF number, continent, CQ zone, ITU zone, latitude, longitude,
// UTC offset, then the entity's prefixes and exact calls), and the answer to "which
// entity is this call in". Read once, then only looked up: one loaded file may be shared
// between threads.
//
// Calls resolve as the format intends: an exact-call entry (=CALL) first, then the
// longest prefix. A prefix or call may carry its own zones, position, continent or UTC
// offset: (CQ) [ITU] <lat/long> {continent} ~offset~. Portable calls: XX/CALL takes the
// entity of the prefix XX; /P, /M, /QRP and the like keep the call's; /MM and /AM have
// none; CALL/digit is looked up with its area digit replaced.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct CountryEntity {
    QString name;
    QByteArray label; // the file's first column, e.g. "JA" or "*GM/s"
    int adif = 0;     // entities counted only for some awards carry their parent's number
};

// Where a call is, after the overrides of the entry that matched it. Longitude and UTC
// offset are the usual way round: east and ahead of UTC positive.
struct CountryInfo {
    int entity = -1; // index into CountryFile::entities()
    int cqZone = 0;
    int ituZone = 0;
    float latitude = 0;
    float longitude = 0;
    float utcOffset = 0;
    std::array<char, 3> continent{}; // "EU", "AS", ...
};

class CountryFile {
public:
    // A file that yields no entity is empty(); malformedLines() tells how many lines
    // were skipped.
    static CountryFile parse(QByteArrayView text);

    bool empty() const { return m_entities.empty(); }
    const std::vector<CountryEntity>& entities() const { return m_entities; }
    const CountryEntity& entityOf(const CountryInfo& info) const {
        return m_entities[size_t(info.entity)];
    }
    // The file's =VER entry, e.g. "VER20230502"; empty when it has none.
    const QByteArray& version() const { return m_version; }
    int malformedLines() const { return m_malformedLines; }

    // Nothing for an unknown prefix, a call at sea or in the air, or text that is no call.
    const CountryInfo* lookup(QByteArrayView call) const;

private:
    struct TransparentHash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>()(text);
        }
    };
    using Index = std::unordered_map<std::string, int, TransparentHash, std::equal_to<>>;

    bool parseLine(QByteArrayView line);
    bool addToken(QByteArrayView token, const CountryInfo& entityInfo);
    static std::optional<size_t> pairSlot(char first, char second);
    const CountryInfo* exact(std::string_view call) const;
    const CountryInfo* longestPrefix(std::string_view call) const;
    const CountryInfo* resolve(std::string_view call) const;
    const CountryInfo* resolvePortable(std::string_view call) const;

    std::vector<CountryEntity> m_entities;
    std::vector<CountryInfo> m_infos; // one per prefix or call; the indexes point here
    Index m_exactCalls;
    Index m_prefixes;
    size_t m_longestPrefix = 0;
    // By a call's first two characters (ASCII), the longest prefix that starts with them:
    // most calls start no prefix longer than one character and are looked up once, not
    // once for each length.
    static constexpr size_t AsciiCount = 128;
    std::array<quint8, AsciiCount * AsciiCount> m_longestPrefixAfter{};
    QByteArray m_version;
    int m_malformedLines = 0;
};

namespace Callsign {
// A spotter as nodes show it, without the node's suffix: "DL1ABC-#" and "DL1ABC-2" are
// DL1ABC.
QByteArrayView withoutNodeSuffix(QByteArrayView spotter);
} // namespace Callsign
