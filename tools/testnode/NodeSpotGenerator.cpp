#include "NodeSpotGenerator.h"

#include <iterator>

namespace testnode {

namespace {

struct HistorySpot {
    int minutesAgo;
    const char* spotter;
    double freqKhz;
    const char* dxCall;
    const char* remarks;
};

// Shapes seen on real nodes: skimmer spotters, portable calls, microwave frequencies,
// comments that fill or overflow their column, a comment that starts with '<'.
constexpr HistorySpot History[] = {
    {58, "G4ABC", 1831.5, "OH0Z", "CW"},
    {55, "W3XYZ", 3525.1, "E51DWC", "cq up"},
    {51, "JA1QRZ", 7014.2, "CX2AQ", "QSX 7015.20 CW"},
    {47, "DJ2MX", 10115.0, "5W1SA", "up 1"},
    {44, "K1TTT", 14025.0, "J51A", ""},
    {40, "ON4ZZ", 14074.0, "9M2PUL", "FT8 -15dB from OJ02 1608Hz"},
    {36, "VE3KI", 14195.0, "3Y0K", "59 in ON, up 5"},
    {33, "PY2PLL", 18100.0, "JL1EUP", "FT8 EL86XQ<>PM96"},
    {29, "N4ZZ-#", 21025.3, "A61Q", "CW 18 dB 26 WPM CQ"},
    {25, "LU7MC", 24915.0, "ZD7BG", "FT8 +6 dB 1073 Hz"},
    {21, "SM5AQD", 28074.0, "VK2JJM", "ft8 tnx 73"},
    {17, "IK2XYZ", 50313.0, "TZ1CE", "<F2> FT8 -12 dB 779 Hz"},
    {13, "KK4WP", 7279.0, "WV8TG", "US-2181 Georgia Veterans State Park"},
    {9, "F5NQL", 144300.0, "EA6VQ", "JN03>JM19 tropo 59"},
    {6, "OK2KKW", 1296200.0, "OK1KIR", "EME"},
    {4, "KP4AF", 7004.5, "FT8WW", "Crozet, QSX up 2"},
    {1, "W1AW/7", 14030.0, "N6DW", "599 AZ"},
};

struct Band {
    double lowKhz;
    double highKhz;
};

constexpr Band Bands[] = {
    {1810, 1999},   {3500, 3800},   {7000, 7200},     {10100, 10150},
    {14000, 14350}, {18068, 18168}, {21000, 21450},   {24890, 24990},
    {28000, 29000}, {50000, 50500}, {144000, 144400}, {432000, 432300},
};

constexpr const char* Prefixes[] = {
    "DL", "G",  "F",  "I",  "EA", "ON", "PA", "OK", "SP", "HA", "YO", "LZ", "9A", "S5", "OE",
    "HB", "OH", "SM", "LA", "OZ", "UA", "UR", "EI", "GM", "CT", "K",  "W",  "N",  "AA", "KD",
    "VE", "XE", "PY", "LU", "CE", "JA", "BG", "VU", "YB", "VK", "ZL", "ZS", "4X", "A6",
};

constexpr const char* Remarks[] = {
    "",
    "CQ",
    "CW",
    "SSB",
    "RTTY",
    "tnx QSO 73",
    "up 2",
    "QSX 14195",
    "POTA US-1234",
    "SOTA G/LD-001",
    "599 into EU",
    "weak sig, QSB",
    "IOTA EU-005",
    "NAQP RTTY",
    "big signal, calling CQ, nobody answering him",
    "FT4",
};

} // namespace

NodeSpotGenerator::NodeSpotGenerator(quint32 seed)
    : m_random(seed) {}

QList<TestNodeSpot> NodeSpotGenerator::history(const QDateTime& now) {
    QList<TestNodeSpot> spots;
    for (const HistorySpot& spot : History) {
        spots.append({spot.spotter, spot.freqKhz, spot.dxCall, spot.remarks,
                      now.addSecs(-60 * spot.minutesAgo)});
    }
    return spots;
}

TestNodeSpot NodeSpotGenerator::next(const QDateTime& utc) {
    return {spotter(), frequency(), callsign(), remarks(), utc};
}

QByteArray NodeSpotGenerator::callsign() {
    const int portable = below(20);
    if (portable == 0)
        return homeCall() + "/P";
    if (portable == 1)
        return "EA8/" + homeCall();
    return homeCall();
}

QByteArray NodeSpotGenerator::homeCall() {
    return Prefixes[below(std::size(Prefixes))] + QByteArray::number(below(10)) +
           letters(1 + below(3));
}

QByteArray NodeSpotGenerator::spotter() {
    // Skimmers and node users with an SSID spot under their plain call.
    const int kind = below(10);
    if (kind == 0)
        return homeCall() + "-#";
    if (kind == 1)
        return homeCall() + "-1";
    return callsign();
}

double NodeSpotGenerator::frequency() {
    const Band& band = Bands[below(std::size(Bands))];
    const int steps = static_cast<int>((band.highKhz - band.lowKhz) * 10);
    return band.lowKhz + below(steps) / 10.0;
}

QByteArray NodeSpotGenerator::remarks() {
    if (below(4) == 0) {
        const int snr = below(40) - 25;
        return "FT8 " + QByteArray(snr < 0 ? "" : "+") + QByteArray::number(snr) + "dB from " +
               gridSquare() + ' ' + QByteArray::number(200 + below(2800)) + "Hz";
    }
    return Remarks[below(std::size(Remarks))];
}

QByteArray NodeSpotGenerator::gridSquare() {
    QByteArray grid;
    grid += static_cast<char>('A' + below(18));
    grid += static_cast<char>('A' + below(18));
    return grid + QByteArray::number(below(100)).rightJustified(2, '0');
}

QByteArray NodeSpotGenerator::letters(int count) {
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += static_cast<char>('A' + below(26));
    return text;
}

} // namespace testnode
