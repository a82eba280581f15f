#pragma once

// What the operator's log says they worked, read from an ADIF file as logging programs
// export it: with a header or none, <EOR> in any case, field names in any case, type
// indicators (<CALL:5:S>), CR LF or LF, field lengths in bytes and, as some writers count
// them, in characters of multi-byte text: such a length falls short of the value's bytes,
// and the rest, up to the next tag, is passed over like any text between fields (the
// fields read here are plain ASCII). A record that cannot be read is skipped and counted;
// nothing in the file is fatal.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <functional>

struct AdifQso {
    QByteArray call;        // upper case
    int dxcc = -1;          // the record's DXCC field; -1 when it has none
    int band = -1;          // index into AdifBands::all(); -1 when neither BAND nor FREQ says
    bool confirmed = false; // QSL card or LoTW received
};

struct AdifLog {
    QList<AdifQso> qsos;
    int malformedRecords = 0;
    bool stopped = false; // the reader was asked to stop before the end
};

namespace AdifReader {
// stop, when given, is asked now and then; reading ends early when it says so.
AdifLog read(QByteArrayView text, const std::function<bool()>& stop = {});
} // namespace AdifReader
