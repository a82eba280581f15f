// Arbitrary bytes as a file to upload, split into the lines the upload sends: pieces of
// at most 254 bytes, each ending after its LF when it has one, that together are the
// file itself with every CR LF read as LF.

#include "files/UploadLineReader.h"

#include <QBuffer>

#include <cstdlib>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    UploadLineReader reader(buffer);
    QByteArray joined;
    qsizetype pieces = 0;
    for (QByteArray piece = reader.next(); !piece.isEmpty(); piece = reader.next()) {
        require(piece.size() <= UploadLineReader::MaxPiece);
        const qsizetype lineFeed = piece.indexOf('\n');
        require(lineFeed < 0 || lineFeed == piece.size() - 1);
        joined += piece;
        require(++pieces <= file.size());
    }
    require(reader.consumed() == file.size());
    QByteArray expected = file;
    expected.replace("\r\n", "\n");
    require(joined == expected);
    return 0;
}
