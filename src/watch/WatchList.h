#pragma once

// The calls the operator watches for, as typed: one pattern per line, or several
// separated by blanks or commas. A pattern is an exact call ("XX9ZZ"), a prefix ending in
// '*' ("3Y0*") or a suffix starting with '*' ("*/MM"); a word with nothing left once its
// '*' is taken off, or with a '*' anywhere else, is not a pattern and is skipped. Case
// does not count.
//
// A pattern is matched against the whole call and, unless it holds a '/', against the
// call's main part: "XX9ZZ" finds "XX9ZZ/P" and "LA/XX9ZZ", "3Y0*" finds "LA/3Y0X". The
// main part follows the rule of logging programs: of the parts between the slashes, the
// longest one that looks like a call (letters and at least one digit), or the longest
// part when none does. Of two such parts of the same length the later wins, since a
// prefix before the call is the usual form ("KH6/K1A"). Portable suffixes (/P, /M, /MM,
// /QRP, /4) never look like calls.
//
// Matching allocates nothing: it runs on every spot of a flood.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <vector>

class WatchList {
public:
    WatchList() = default;
    explicit WatchList(const QString& text) { setText(text); }

    // The words of the typed text, split at blanks, line ends and commas.
    static QStringList words(QStringView text);
    // The call's main part, as described above; the call itself when it has no '/'.
    static QByteArrayView mainPart(QByteArrayView call);

    // Reads the patterns again, unless the text is the one read last.
    void setText(const QString& text);
    bool isEmpty() const { return m_patterns.empty(); }
    qsizetype size() const { return qsizetype(m_patterns.size()); }

    // Blanks around the call (a spot's call is padded) do not count.
    bool matches(QByteArrayView call) const;

private:
    struct Pattern {
        enum class Kind { Exact, Prefix, Suffix };
        QByteArray letters; // upper case, without the '*'
        Kind kind = Kind::Exact;

        bool matches(QByteArrayView call) const;
    };

    QString m_text;
    std::vector<Pattern> m_patterns;
};
