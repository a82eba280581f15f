#include "watch/WatchList.h"

#include <QRegularExpression>

#include <algorithm>
#include <utility>

namespace {

char upper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

bool sameLetters(QByteArrayView call, QByteArrayView upperCase) {
    return call.size() == upperCase.size() &&
           std::equal(call.begin(), call.end(), upperCase.begin(),
                      [](char a, char b) { return upper(a) == b; });
}

bool looksLikeCall(QByteArrayView part) {
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const auto isLetter = [](char c) { return upper(c) >= 'A' && upper(c) <= 'Z'; };
    return std::any_of(part.begin(), part.end(), isDigit) &&
           std::any_of(part.begin(), part.end(), isLetter);
}

} // namespace

QStringList WatchList::words(QStringView text) {
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    return text.toString().split(separators, Qt::SkipEmptyParts);
}

QByteArrayView WatchList::mainPart(QByteArrayView call) {
    QByteArrayView best;
    bool bestLooksLikeCall = false;
    for (qsizetype start = 0; start <= call.size();) {
        qsizetype slash = call.indexOf('/', start);
        if (slash < 0)
            slash = call.size();
        const QByteArrayView part = call.sliced(start, slash - start);
        const bool callLike = looksLikeCall(part);
        if (std::pair(callLike, part.size()) >= std::pair(bestLooksLikeCall, best.size())) {
            best = part;
            bestLooksLikeCall = callLike;
        }
        start = slash + 1;
    }
    return best;
}

void WatchList::setText(const QString& text) {
    if (text == m_text)
        return;
    m_text = text;
    m_patterns.clear();
    for (const QString& word : words(text)) {
        Pattern pattern;
        pattern.letters = word.toUtf8().toUpper();
        if (pattern.letters.startsWith('*')) {
            pattern.kind = Pattern::Kind::Suffix;
            pattern.letters.remove(0, 1);
        } else if (pattern.letters.endsWith('*')) {
            pattern.kind = Pattern::Kind::Prefix;
            pattern.letters.chop(1);
        }
        if (pattern.letters.isEmpty() || pattern.letters.contains('*'))
            continue;
        m_patterns.push_back(std::move(pattern));
    }
}

bool WatchList::matches(QByteArrayView call) const {
    if (m_patterns.empty())
        return false;
    call = call.trimmed();
    const QByteArrayView main = mainPart(call);
    // A pattern with a '/' never matches the main part, which has none.
    return std::any_of(m_patterns.begin(), m_patterns.end(), [&](const Pattern& pattern) {
        return pattern.matches(call) || (main.size() != call.size() && pattern.matches(main));
    });
}

bool WatchList::Pattern::matches(QByteArrayView call) const {
    if (call.size() < letters.size())
        return false;
    switch (kind) {
    case Kind::Exact:
        return sameLetters(call, letters);
    case Kind::Prefix:
        return sameLetters(call.first(letters.size()), letters);
    case Kind::Suffix:
        return sameLetters(call.last(letters.size()), letters);
    }
    return false;
}
