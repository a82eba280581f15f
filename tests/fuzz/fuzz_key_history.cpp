// Arbitrary bytes as the key history file, read as UTF-8 or in one of several code
// pages: every entry is one line of bounded length, and once written and read back the
// list stays as it is through every further save and load.

#include "send/KeyHistory.h"

#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

constexpr int Charsets[] = {128, 0, 134, 204};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const int charset = input.PickValueInArray(Charsets);
    const std::string file = input.ConsumeRemainingBytesAsString();
    KeyHistory history;
    history.readKeyHistory(QByteArrayView(file.data(), qsizetype(file.size())), charset);
    for (const QString& entry : history.entries())
        require(entry.size() <= KeyHistory::MaxEntryLength && !entry.contains(u'\n'));
    KeyHistory saved;
    saved.readKeyHistory(history.keyHistoryFile(), charset);
    KeyHistory savedAgain;
    savedAgain.readKeyHistory(saved.keyHistoryFile(), charset);
    require(savedAgain.entries() == saved.entries());
    return 0;
}
