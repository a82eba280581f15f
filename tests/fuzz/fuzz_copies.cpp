// Arbitrary lines from a peer on the copies' socket: an answer to "who" that parses
// formats and parses again to the same copy, and a move request of any numbers yields a
// frame the screens can show.

#include "desktop/CopyProtocol.h"
#include "desktop/WindowPlacement.h"

#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

bool sameCopy(const CopyIdentity& a, const CopyIdentity& b) {
    return a.started == b.started && a.visible == b.visible && a.marker == b.marker &&
           a.frame == b.frame && a.caption == b.caption;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const QList<QRect> screens{QRect(0, 30, 1280, 994), QRect(1280, 0, 1920, 1080)};
    const std::string text = input.ConsumeRemainingBytesAsString();
    const QByteArray line(text.data(), qsizetype(text.size()));
    if (const auto identity = CopyProtocol::parseIdentity(line)) {
        const QByteArray again = CopyProtocol::formatIdentity(*identity);
        const auto reparsed = CopyProtocol::parseIdentity(again);
        require(reparsed && CopyProtocol::formatIdentity(*reparsed) == again);
        if (!identity->caption.contains(u'\n') && !identity->caption.contains(u'\r'))
            require(sameCopy(*reparsed, *identity)); // line breaks become blanks
    }
    if (const auto frame = CopyProtocol::parseMove(line)) {
        const QRect fitted = WindowPlacement::fitToScreens(*frame, screens);
        require(fitted.width() >= 1 && fitted.height() >= 1 && fitted.width() <= 1920 &&
                fitted.height() <= 1080);
        require(CopyProtocol::parseMove(CopyProtocol::formatMove(*frame)) == frame);
    }
    return 0;
}
