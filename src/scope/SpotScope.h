#pragma once

// A table of up to 100 recent spots, sorted by frequency, with the rules that keep it:
// a station spotted again within 1 kHz replaces its old entry, a full table drops its
// oldest spot, and spots older than the lifetime are hidden from the list (not
// removed). One table serves all bands; eleven more serve one band each.
//
// The tables are changed at once, from the line fan-out; the lists are drawn from them
// by the window when it paints. GUI thread only.

#include "scope/DxSpot.h"
#include "scope/SpotAnnotator.h"
#include "screen/LinePipeline.h"

#include <QByteArray>
#include <QList>

#include <array>
#include <functional>

// The last line read and what it gave. All twelve tables read each line the same way,
// so the first one's result serves the other eleven.
class ParsedLine {
public:
    // The spot read from this very line before, if it was the last line read.
    const std::optional<DxSpot>* find(QByteArrayView line) const;
    // Remembers the line's spot and returns it as kept.
    const std::optional<DxSpot>& keep(QByteArrayView line, const std::optional<DxSpot>& spot);

private:
    std::array<char, LinePipeline::SpotLineLimit> m_line{};
    qsizetype m_length = -1;
    std::optional<DxSpot> m_spot;
};

// What the twelve tables share: the operator's scope settings and the clock.
struct ScopeContext {
    int lifetimeMinutes = 60;    // udLifeTime
    bool focus = false;          // chkFocus: select the newest spot's line
    std::function<qint64()> now; // UTC seconds; the system clock when empty
    mutable ParsedLine lastParsed;
    // What the lists learn about spots beyond their lines; none when null.
    const SpotAnnotator* annotator = nullptr;

    qint64 currentTime() const;
};

// A list as it is to be shown: its lines, the spot each line shows (its frequency text
// and call, which stay while its age changes), and the line to select (-1 for none).
struct ScopeListing {
    QList<QByteArray> lines;
    QList<QByteArray> spotKeys;
    QList<int> ageMinutes;
    QList<int> entries; // each line's index in its table when listed
    int selected = -1;
};

class SpotScope : public LineSink {
public:
    static constexpr int Capacity = 100;

    explicit SpotScope(const ScopeContext& context);

    // In the order of the table class's operations.
    virtual int FindOldest() const;
    virtual void Sort();
    virtual bool IsDxDeLine(QByteArrayView line) const;
    virtual void ParseDxDeLine(QByteArrayView line, DxSpot& spot) const;
    virtual bool IsListingLine(QByteArrayView line) const;
    virtual void ParseListingLine(QByteArrayView line, DxSpot& spot) const;
    virtual int FindDuplicate(const DxSpot& spot) const;
    virtual void Delete(int index);
    virtual void Clear();
    // The band list: "%s [%2d] %s %s" for each spot within the lifetime.
    virtual ScopeListing ShowList() const;
    // The band list of the spots from lowerKhz to upperKhz, both included.
    ScopeListing listBetween(double lowerKhz, double upperKhz) const;
    virtual void Insert(const DxSpot& spot);
    virtual void AddLine(QByteArrayView line) = 0;

    void takeLine(QByteArrayView line) override { AddLine(line); }

    int count() const { return m_count; }
    const DxSpot& entry(int index) const { return m_pool[m_order[size_t(index)]]; }
    // The spot a list showed by its key (see SpotKey), null when it has left the table.
    const DxSpot* entryWithKey(QByteArrayView spotKey) const;
    // Grows with every change of the table, so a list knows when to redraw.
    quint64 changes() const { return m_changes; }

protected:
    // The line read as format A, else format B; null when it is neither. The twelve
    // tables share the reading of the last line: it is read once between them.
    const DxSpot* parsed(QByteArrayView line);
    // Inserts a copy of the spot, stamped with when it came (and when a live spot was
    // made).
    void insertStamped(const DxSpot& spot);
    // Lists the spots within the lifetime that pass, in the given line format.
    ScopeListing listing(const char* format, const std::function<bool(const DxSpot&)>& shown) const;

    const ScopeContext& m_context;
    DxSpot m_scratch;

private:
    DxSpot& slotOf(int index) { return m_pool[m_order[size_t(index)]]; }

    // The spots stay where they were put; sorting and removing move their slot numbers,
    // not the records. m_order[0 .. m_count) are the slots in frequency order, the rest
    // the free slots.
    std::array<DxSpot, Capacity> m_pool{};
    std::array<quint8, Capacity> m_order;
    int m_count = 0;
    quint64 m_changes = 0;
    quint64 m_arrivals = 0; // spots inserted so far
};

// Which bands the "All" list shows: one box per band, all checked at start.
class BandFilter {
public:
    BandFilter() { m_checked.fill(true); }
    bool isChecked(Band band) const { return m_checked[size_t(band)]; }
    void setChecked(Band band, bool checked) { m_checked[size_t(band)] = checked; }
    void setAll(bool checked) { m_checked.fill(checked); }
    // The first checked band whose range holds the frequency passes it.
    bool BandPasses(qint64 wholeKhz) const;

private:
    std::array<bool, BandCount> m_checked{};
};

// The table of every band: keeps every spot from 1000 kHz upward; the band filter
// decides at display time which are listed.
class AllBandsScope : public SpotScope {
public:
    using SpotScope::SpotScope;
    void AddLine(QByteArrayView line) override;
    // The "All" list: "%s [%2d] %s  %s" for each spot within the lifetime that passes.
    ScopeListing RefreshAll(const BandFilter& filter) const;
};

// The table of one band (Scope160 … Scope2).
class BandScope : public SpotScope {
public:
    BandScope(const ScopeContext& context, Band band);
    void AddLine(QByteArrayView line) override;
    Band band() const { return m_band; }

private:
    Band m_band;
};
