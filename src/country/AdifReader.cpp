#include "country/AdifReader.h"

#include "country/AdifBands.h"

namespace {

// No field name or specifier is anywhere near this long; a '<' without its '>' within it
// is text, not a tag.
constexpr qsizetype MaxTagSize = 64;
constexpr int StopCheckEvery = 1024;

bool isYes(QByteArrayView value) {
    const QByteArrayView trimmed = value.trimmed();
    return trimmed.compare("Y", Qt::CaseInsensitive) == 0 ||
           trimmed.compare("V", Qt::CaseInsensitive) == 0;
}

struct RecordInProgress {
    AdifQso qso;
    int bandFromFreq = -1;
    bool anyField = false;
    bool malformed = false;

    void take(QByteArrayView name, QByteArrayView value) {
        anyField = true;
        if (name.compare("CALL", Qt::CaseInsensitive) == 0) {
            qso.call = value.trimmed().toByteArray().toUpper();
        } else if (name.compare("DXCC", Qt::CaseInsensitive) == 0) {
            bool ok = false;
            const int dxcc = value.trimmed().toInt(&ok);
            qso.dxcc = ok && dxcc > 0 ? dxcc : -1;
        } else if (name.compare("BAND", Qt::CaseInsensitive) == 0) {
            qso.band = AdifBands::indexOfName(value);
        } else if (name.compare("FREQ", Qt::CaseInsensitive) == 0) {
            bool ok = false;
            const double mhz = value.trimmed().toDouble(&ok);
            bandFromFreq = ok ? AdifBands::indexOfKhz(mhz * 1000.0) : -1;
        } else if (name.compare("QSL_RCVD", Qt::CaseInsensitive) == 0 ||
                   name.compare("LOTW_QSL_RCVD", Qt::CaseInsensitive) == 0) {
            qso.confirmed = qso.confirmed || isYes(value);
        }
    }
};

} // namespace

AdifLog AdifReader::read(QByteArrayView text, const std::function<bool()>& stop) {
    AdifLog log;
    RecordInProgress record;
    qsizetype at = 0;
    while (true) {
        const qsizetype open = text.indexOf('<', at);
        if (open < 0)
            break;
        const qsizetype close = text.indexOf('>', open + 1);
        if (close < 0 || close - open > MaxTagSize) {
            record.malformed = record.malformed || record.anyField;
            at = open + 1;
            continue;
        }
        const QByteArrayView tag = text.sliced(open + 1, close - open - 1).trimmed();
        at = close + 1;
        const qsizetype colon = tag.indexOf(':');
        const QByteArrayView name = colon < 0 ? tag : tag.first(colon);

        if (colon < 0) {
            if (name.compare("EOH", Qt::CaseInsensitive) == 0) {
                record = RecordInProgress(); // what came before was the header
            } else if (name.compare("EOR", Qt::CaseInsensitive) == 0) {
                if (record.anyField) {
                    if (record.qso.band < 0)
                        record.qso.band = record.bandFromFreq;
                    if (record.malformed || record.qso.call.isEmpty())
                        ++log.malformedRecords;
                    else
                        log.qsos << std::move(record.qso);
                }
                record = RecordInProgress();
                if (stop && log.qsos.size() % StopCheckEvery == 0 && stop()) {
                    log.stopped = true;
                    break;
                }
            }
            continue;
        }

        const QByteArrayView specifier = tag.sliced(colon + 1);
        const qsizetype typeColon = specifier.indexOf(':');
        bool ok = false;
        const qsizetype length =
            (typeColon < 0 ? specifier : specifier.first(typeColon)).trimmed().toLongLong(&ok);
        const qsizetype end = at + length;
        if (!ok || length < 0 || end > text.size()) {
            record.anyField = true;
            record.malformed = true;
            continue;
        }
        record.take(name, text.sliced(at, end - at));
        at = end;
    }
    if (record.anyField)
        ++log.malformedRecords; // a last record without its <EOR>
    return log;
}
