// Arbitrary bytes from a node, cut at arbitrary points, through the telnet decoder and
// the screen buffer with its whole fan-out. Nothing may crash, hang, grow without
// bound, write outside a slot, or ring the bell more than once per read.

#include "net/TelnetDecoder.h"
#include "screen/LinePipeline.h"
#include "screen/ScreenBuffer.h"

#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

// Checks each line where the fan-out hands it on.
struct CheckingStage : LineSink {
    qsizetype limit = 0;
    void takeLine(QByteArrayView line) override {
        require(line.size() <= limit);
        require(line.indexOf('\n') < 0 && line.indexOf('\r') < 0 && line.indexOf('\0') < 0);
    }
};

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
    LinePipeline pipeline;
    CheckingStage spots;
    spots.limit = LinePipeline::SpotLineLimit - 1;
    TrimmedStage log;
    log.limit = ScreenBuffer::SlotBytes - 1;
    for (int slot = 0; slot < ScopeSlotCount; ++slot)
        pipeline.setSpotConsumer(ScopeSlot(slot), &spots);
    pipeline.setLog(&log);
    pipeline.setLinkCheck(&log);
    screen.setPipeline(&pipeline);
    screen.setLineWidth(input.ConsumeIntegralInRange(0, 120));

    ScreenFeed feed(screen);
    TelnetDecoder decoder(feed);
    while (input.remaining_bytes() > 0) {
        if (input.ConsumeIntegralInRange(0, 15) == 0)
            screen.setLineWidth(input.ConsumeIntegralInRange(0, 120));
        const auto cut = input.ConsumeIntegralInRange<size_t>(0, 300);
        const std::string chunk = input.ConsumeBytesAsString(cut);
        feed.bellsThisChunk = 0;
        decoder.Kaiseki(QByteArrayView(chunk.data(), qsizetype(chunk.size())));
        require(screen.GetCurrentLine().size() < ScreenBuffer::SlotBytes);
    }
    QList<QByteArray> lines;
    screen.GetNewestLines(ScreenBuffer::LineCount + 10, lines);
    require(lines.size() <= ScreenBuffer::LineCount);
    for (const QByteArray& line : lines)
        require(line.size() < ScreenBuffer::SlotBytes);
    require(decoder.lastSubnegotiationBody().size() <= TelnetDecoder::SubnegotiationLimit);
    screen.setPipeline(nullptr);
    return 0;
}
