// Arbitrary bytes as a scroll-buffer file: the input's first bytes make the header and
// the start of the slots, the rest of the 640 016 bytes stay zero, and one byte chooses
// whether the file is whole, cut short or longer. Loading must not crash or read outside
// the file; a file taken (what follows the records ignored) fills the ring with zero-terminated
// lines that save and load again unchanged; a file refused leaves the ring as it was.

#include "files/ScrollBufferFile.h"
#include "screen/ScreenBuffer.h"

#include <cstdlib>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

constexpr qsizetype FileBytes = 16 + qsizetype(ScreenBuffer::LineCount) * ScreenBuffer::SlotBytes;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    // One image for all runs: only the bytes the last input wrote are set back to zero.
    static QByteArray image(FileBytes + 1, '\0');
    static qsizetype written = 0;
    std::memset(image.data(), 0, size_t(written));
    qsizetype length = FileBytes; // whole, most often
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 1:
        length = input.ConsumeIntegralInRange<qsizetype>(0, FileBytes - 1);
        break;
    case 2:
        length = FileBytes + 1;
        break;
    default:
        break;
    }
    const std::string header = input.ConsumeBytesAsString(16);
    std::memcpy(image.data(), header.data(), header.size());
    if (input.ConsumeBool()) { // a header that passes, often
        const qint32 lines = ScreenBuffer::LineCount;
        const qint32 index = input.ConsumeIntegralInRange(-1, ScreenBuffer::LineCount);
        std::memcpy(image.data(), &lines, 4);
        std::memcpy(image.data() + 4, &index, 4);
    }
    const std::string slotText = input.ConsumeRemainingBytesAsString();
    const auto slotBytes = std::min<qsizetype>(qsizetype(slotText.size()), FileBytes - 16);
    std::memcpy(image.data() + 16, slotText.data(), size_t(slotBytes));
    written = 16 + slotBytes;

    static ScreenBuffer screen;
    screen.Clear();
    screen.PutString(QByteArrayView("kept line\nkept partial"));
    static const RingImage before = screen.exportRing(); // the same for every input
    const ScrollFileResult result =
        LoadBufferBytes(screen, QByteArrayView(image.constData(), length));
    const RingImage after = screen.exportRing();
    if (result != ScrollFileResult::Done) {
        require(after.currentIndex == before.currentIndex && after.slotData == before.slotData);
        return 0;
    }
    require(length >= FileBytes);
    for (int slot = 0; slot < ScreenBuffer::LineCount; ++slot) {
        const QByteArray line = screen.GetLine(slot);
        require(line.size() < ScreenBuffer::SlotBytes && !line.contains('\0'));
    }
    static ScreenBuffer again;
    require(again.importRing(after));
    const RingImage roundTrip = again.exportRing();
    require(roundTrip.currentIndex == after.currentIndex && roundTrip.slotData == after.slotData);
    return 0;
}
