#include "screen/LinePipeline.h"

QByteArrayView LinePipeline::trimmedForLog(QByteArrayView line) {
    qsizetype length = line.size();
    while (length > 0 && static_cast<unsigned char>(line[length - 1]) <= ' ')
        --length;
    return line.first(length);
}

void LinePipeline::lineCompleted(QByteArrayView line) {
    if (line.size() < SpotLineLimit && !m_scopeLocked) {
        for (LineSink* consumer : m_spots)
            consumer->takeLine(line);
    }
    const QByteArrayView trimmed = trimmedForLog(line);
    for (LineSink* stage : {m_log, m_sounds, m_saver}) {
        if (stage)
            stage->takeLine(trimmed);
    }
}

void LinePipeline::ringAdvanced(QByteArrayView completedLine) {
    if (m_linkCheck)
        m_linkCheck->takeLine(trimmedForLog(completedLine));
}
