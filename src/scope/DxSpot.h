#pragma once

// One DX spot as the band scope keeps it, and the band plan that sorts spots into the
// eleven amateur bands from 160 m to 2 m.

#include <QByteArrayView>

#include <array>
#include <cstdint>
#include <optional>

struct DxSpot {
    // Frequencies of 1 GHz and more need 12 or 13 characters in "%9.1f"; the field
    // has room for every frequency a spot may carry.
    static constexpr int FreqTextSize = 16;
    static constexpr int DxCallWidth = 12;
    static constexpr int RemarkSize = 80;
    static constexpr int SpotterSize = 16; // a spotter's call is at most 9 characters
    static constexpr int LineSize = 96;    // spot lines are shorter than 82 bytes

    bool isNew = false;  // the table's most recently inserted spot
    bool listed = false; // from a listing ("sh/dx"), not announced as it came
    qint64 received = 0; // UTC seconds since the epoch when it was inserted
    quint64 arrival = 0; // the table's insertion count then: orders spots of one second
    double freqKhz = 0;  // the value freqText shows, kept to spare conversions
    qint64 wholeKhz = 0; // freqKhz truncated: the sort key and the band test
    std::array<char, FreqTextSize> freqText{}; // "%9.1f", NUL-terminated
    std::array<char, 20> dxCall{};             // padded with blanks to 12 characters
    std::array<char, RemarkSize> remark{};     // at most 50 characters, NUL-terminated
    // The spot's own time, UTC seconds since the epoch: a listing line's date and time, a
    // live spot's HHMMZ on the UTC day it was received (dated by the table); 0 unknown.
    qint64 spotTime = 0;
    int minuteOfDay = -1; // a live spot's HHMMZ as read, until the table dates it
    std::array<char, SpotterSize> spotter{}; // without its ':' or <>, NUL-terminated
    std::array<char, LineSize> line{};       // the whole line, NUL-terminated

    QByteArrayView freqTextView() const { return QByteArrayView(freqText.data()); }
    QByteArrayView dxCallView() const { return QByteArrayView(dxCall.data()); }
    QByteArrayView remarkView() const { return QByteArrayView(remark.data()); }
    QByteArrayView spotterView() const { return QByteArrayView(spotter.data()); }
    QByteArrayView lineView() const { return QByteArrayView(line.data()); }
};

// The eleven bands, in the order of the band plan.
enum class Band { M160, M80, M40, M30, M20, M17, M15, M12, M10, M6, M2 };
inline constexpr int BandCount = 11;

struct BandRange {
    qint64 lowerKhz; // inclusive
    qint64 upperKhz; // inclusive
    const char* tabCaption;
    const char* filterCaption;
    const char* name; // "160" … "2", as in Scope160 and lstScope160

    bool holds(qint64 wholeKhz) const { return wholeKhz >= lowerKhz && wholeKhz <= upperKhz; }
};

inline constexpr std::array<BandRange, BandCount> BandPlan{{
    {1000, 2000, "1.8/1.9", "1.8/1.9MHz", "160"},
    {3500, 4000, "3.5/3.8", "3.5/3.8MHz", "80"},
    {7000, 8000, "7", "7MHz", "40"},
    {10000, 11000, "10", "10MHz", "30"},
    {14000, 15000, "14", "14MHz", "20"},
    {18000, 19000, "18", "18MHz", "17"},
    {21000, 22000, "21", "21MHz", "15"},
    {24000, 25000, "24", "24MHz", "12"},
    {28000, 30000, "28", "28MHz", "10"},
    {50000, 54000, "50", "50MHz", "6"},
    {144000, 10000000, "144 above ", "144Mhz above", "2"},
}};

inline const BandRange& bandRange(Band band) {
    return BandPlan[size_t(band)];
}

// The first band whose range holds the frequency; none for 5 MHz, 70 MHz and the like.
std::optional<Band> BandOf(qint64 wholeKhz);
