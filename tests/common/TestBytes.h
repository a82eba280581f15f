#pragma once

// Byte strings written as numbers, for telnet commands and other non-text bytes.

#include <QByteArray>

#include <initializer_list>

inline QByteArray bytes(std::initializer_list<int> values) {
    QByteArray result;
    for (int value : values)
        result.append(char(value));
    return result;
}
