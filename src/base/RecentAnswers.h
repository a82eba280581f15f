#pragma once

// Answers kept for recently asked short keys, each in the one slot its hash picks. A key
// asked over and over (a list row at every redraw) is answered from its slot; a flood of
// keys never asked again replaces older answers without allocating or growing, where a
// hash table would grow, rehash and be cleared. Keys longer than a slot holds are asked
// every time. Not thread-safe: one owner's thread.

#include <QByteArrayView>
#include <QHashFunctions>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

template <typename Answer, int KeyBytes, int SlotCount>
class RecentAnswers {
    static_assert(SlotCount > 0 && (SlotCount & (SlotCount - 1)) == 0,
                  "slots are picked by masking the hash");
    static_assert(KeyBytes < 128, "a key's length is kept in a signed byte");

public:
    // The answer kept for key, else ask(key)'s, kept for next time.
    template <typename Ask>
    Answer answer(QByteArrayView key, Ask&& ask) {
        if (key.size() > KeyBytes)
            return ask(key);
        Slot& slot = m_slots[qHash(key) & (SlotCount - 1)];
        if (slot.size == key.size() &&
            std::memcmp(slot.key.data(), key.data(), size_t(key.size())) == 0)
            return slot.answer;
        slot.answer = ask(key);
        slot.size = qint8(key.size());
        std::copy(key.begin(), key.end(), slot.key.begin());
        return slot.answer;
    }

    void clear() {
        for (Slot& slot : m_slots)
            slot.size = Empty;
    }

private:
    static constexpr qint8 Empty = -1;
    struct Slot {
        std::array<char, KeyBytes> key{};
        qint8 size = Empty;
        Answer answer{};
    };
    std::vector<Slot> m_slots = std::vector<Slot>(SlotCount);
};
