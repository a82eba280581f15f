// Arbitrary bytes from a node, cut at arbitrary points, through the telnet decoder and
// the screen buffer with its whole fan-out, the band scope's tables among it; every
// completed line is also read by the spot parser, and the tables are listed now and
// then. Nothing may crash, hang, grow without bound, write outside a slot or a field,
// or ring the bell more than once per read; the tables stay sorted and within bounds.

#include "net/TelnetDecoder.h"
#include "scope/ScopeSet.h"
#include "scope/SpotParser.h"
#include "screen/LinePipeline.h"
#include "screen/ScreenBuffer.h"

#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

// Every field within its array and NUL-terminated, the frequency within the spot range.
void requireSaneSpot(const DxSpot& spot) {
    require(spot.freqText.back() == '\0' && spot.dxCall.back() == '\0' &&
            spot.remark.back() == '\0' && spot.spotter.back() == '\0' && spot.line.back() == '\0');
    require(spot.minuteOfDay >= -1 && spot.minuteOfDay < 24 * 60);
    require(spot.dxCallView().size() == DxSpot::DxCallWidth && spot.remarkView().size() <= 50);
    require(spot.freqKhz >= SpotParser::LowestKhz && spot.freqKhz <= SpotParser::HighestKhz);
    require(spot.wholeKhz == qint64(spot.freqKhz));
}

void parseIfSpot(QByteArrayView line) {
    DxSpot spot;
    if (SpotParser::IsDxDeLine(line)) {
        SpotParser::ParseDxDeLine(line, spot);
        requireSaneSpot(spot);
    } else if (SpotParser::IsListingLine(line)) {
        SpotParser::ParseListingLine(line, spot);
        requireSaneSpot(spot);
    }
}

// Checks each line where the fan-out hands it on; the spot stage also reads it as a spot.
struct CheckingStage : LineSink {
    qsizetype limit = 0;
    void takeLine(QByteArrayView line) override {
        require(line.size() <= limit);
        require(line.indexOf('\n') < 0 && line.indexOf('\r') < 0 && line.indexOf('\0') < 0);
    }
};

struct SpotStage : CheckingStage {
    void takeLine(QByteArrayView line) override {
        CheckingStage::takeLine(line);
        parseIfSpot(line);
    }
};

// Each table sorted, within its capacity, with one newest spot at most; its list no
// longer than the table, with the selection on one of its lines or none.
void listTables(ScopeSet& scopes) {
    for (const LineSink* sink : scopes.spotConsumers()) {
        const auto& table = static_cast<const SpotScope&>(*sink);
        require(table.count() >= 0 && table.count() <= SpotScope::Capacity);
        int newest = 0;
        for (int i = 0; i < table.count(); ++i) {
            requireSaneSpot(table.entry(i));
            require(i == 0 || table.entry(i - 1).wholeKhz <= table.entry(i).wholeKhz);
            newest += table.entry(i).isNew ? 1 : 0;
        }
        require(newest <= 1);
        const ScopeListing listing =
            &table == &scopes.all() ? scopes.all().RefreshAll(scopes.filter()) : table.ShowList();
        require(listing.lines.size() <= table.count());
        require(listing.spotKeys.size() == listing.lines.size());
        require(listing.selected >= -1 && listing.selected < listing.lines.size());
    }
}

// The operator's scope settings, and a clock that moves on (or is set back) between reads.
void setScope(ScopeSet& scopes, LinePipeline& pipeline, FuzzedDataProvider& input) {
    static qint64 now = 0;
    now += input.ConsumeIntegralInRange(-60, 600);
    scopes.context().now = [] { return now; };
    scopes.context().lifetimeMinutes = input.ConsumeIntegralInRange(1, 99);
    scopes.context().focus = input.ConsumeBool();
    for (int band = 0; band < BandCount; ++band)
        scopes.filter().setChecked(Band(band), input.ConsumeBool());
    pipeline.setScopeLocked(input.ConsumeIntegralInRange(0, 7) == 0);
}

struct TrimmedStage : CheckingStage {
    void takeLine(QByteArrayView line) override {
        CheckingStage::takeLine(line);
        require(line.isEmpty() || static_cast<unsigned char>(line.back()) > ' ');
    }
};

struct ScreenFeed : TelnetSink {
    ScreenBuffer& screen;
    int bellsThisChunk = 0;
    explicit ScreenFeed(ScreenBuffer& target)
        : screen(target) {}
    void telnetText(QByteArrayView run) override {
        for (char byte : run)
            require(byte != '\0' && byte != '\a');
        screen.PutString(run);
    }
    void telnetAnswer(QByteArrayView answer) override {
        require(answer.size() == 3 && static_cast<unsigned char>(answer[0]) == 255);
    }
    void telnetBell() override { require(++bellsThisChunk == 1); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    // One ring for all runs, emptied for each: a new 640 KB ring per run would spend the
    // fuzzing time in the allocator.
    static ScreenBuffer screen;
    screen.Clear();
    static ScopeSet scopes;
    scopes.Clear();
    LinePipeline pipeline;
    SpotStage spots;
    spots.limit = LinePipeline::SpotLineLimit - 1;
    TrimmedStage log;
    log.limit = ScreenBuffer::SlotBytes - 1;
    pipeline.setSpotConsumers(QList<LineSink*>{&spots} + scopes.spotConsumers());
    setScope(scopes, pipeline, input);
    pipeline.setLog(&log);
    pipeline.setLinkCheck(&log);
    screen.setPipeline(&pipeline);
    screen.setLineWidth(input.ConsumeIntegralInRange(0, 120));

    ScreenFeed feed(screen);
    TelnetDecoder decoder(feed);
    ScreenCursor written = screen.cursorAtEnd();
    while (input.remaining_bytes() > 0) {
        if (input.ConsumeIntegralInRange(0, 15) == 0) {
            screen.setLineWidth(input.ConsumeIntegralInRange(0, 120));
            listTables(scopes);
            setScope(scopes, pipeline, input);
        }
        const auto cut = input.ConsumeIntegralInRange<size_t>(0, 300);
        const std::string chunk = input.ConsumeBytesAsString(cut);
        feed.bellsThisChunk = 0;
        decoder.Kaiseki(QByteArrayView(chunk.data(), qsizetype(chunk.size())));
        require(screen.GetCurrentLine().size() < ScreenBuffer::SlotBytes);
    }
    // The lines this input wrote, as a reader on another thread gets them.
    const ScreenNews news = screen.ReadSince(written);
    require(news.lines.size() + qsizetype(news.missed) >= 0 &&
            news.lines.size() < ScreenBuffer::LineCount);
    for (const QByteArray& line : news.lines)
        require(line.size() < ScreenBuffer::SlotBytes && !line.contains('\0'));
    require(decoder.lastSubnegotiationBody().size() <= TelnetDecoder::SubnegotiationLimit);
    listTables(scopes);
    screen.setPipeline(nullptr);
    return 0;
}
