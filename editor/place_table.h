#pragma once
// Finding a text among many held elsewhere. A slot keeps a place (a number
// the caller gives meaning to) and its text's hash: 8 bytes, so that a
// million lines cost a few megabytes, and texts are compared only when their
// hashes agree. No text is copied.

#include <QHashFunctions>
#include <QStringView>

#include <utility>
#include <vector>

namespace ramulo {

class PlaceTable {
public:
    // Room for `expected` places before the table grows.
    explicit PlaceTable(qsizetype expected = 0) {
        std::size_t size = 16;
        while (size < 2 * std::size_t(expected))
            size *= 2;
        rehash(size);
    }

    // The slot of the text, added for `place` when no place holds it yet:
    // its place, which the caller may change, and whether it was added now.
    // textOf(place) gives the text of a place added before.
    template <typename TextOf>
    std::pair<qint32&, bool> insert(QStringView text, qint32 place, TextOf&& textOf) {
        if (2 * std::size_t(m_used + 1) > m_slots.size())
            rehash(2 * m_slots.size()); // at most half the slots in use
        const quint32 hash = hashOf(text);
        std::size_t at = hash & m_mask;
        for (; m_slots[at].place >= 0; at = (at + 1) & m_mask)
            if (m_slots[at].hash == hash && textOf(m_slots[at].place) == text)
                return {m_slots[at].place, false};
        m_slots[at] = {hash, place};
        ++m_used;
        return {m_slots[at].place, true};
    }

    // Readies the slot where the text's search starts, for a search soon after:
    // a million texts' slots are far apart in memory.
    void prefetch(QStringView text) const { __builtin_prefetch(&m_slots[hashOf(text) & m_mask]); }

    // The place of the text, or -1.
    template <typename TextOf> qint32 find(QStringView text, TextOf&& textOf) const {
        const quint32 hash = hashOf(text);
        for (std::size_t at = hash & m_mask; m_slots[at].place >= 0; at = (at + 1) & m_mask)
            if (m_slots[at].hash == hash && textOf(m_slots[at].place) == text)
                return m_slots[at].place;
        return -1;
    }

private:
    struct Slot {
        quint32 hash = 0;
        qint32 place = -1;
    };

    static quint32 hashOf(QStringView text) {
        return static_cast<quint32>(qHash(text, QHashSeed::globalSeed()));
    }

    void rehash(std::size_t size) {
        std::vector<Slot> old(size);
        old.swap(m_slots);
        m_mask = size - 1;
        for (const Slot& slot : old)
            if (slot.place >= 0) {
                std::size_t at = slot.hash & m_mask;
                while (m_slots[at].place >= 0)
                    at = (at + 1) & m_mask;
                m_slots[at] = slot;
            }
    }

    std::vector<Slot> m_slots;
    std::size_t m_mask = 0;
    qsizetype m_used = 0;
};

} // namespace ramulo
