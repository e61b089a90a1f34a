#pragma once
// What every harness shares: the entry point libFuzzer calls, a check that
// holds in every build type, and a reader that turns the fuzzer's bytes into
// settings and texts.

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace ramulo::fuzz {

[[noreturn]] inline void fail(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, condition);
    std::fflush(stderr);
    std::abort();
}

// Not assert(): a release or NDEBUG build must still check.
#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? void(0) : ::ramulo::fuzz::fail(#condition, __FILE__, __LINE__))

// Reads the bytes front to back; past the end every read gives zeros.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }

    // The rest of the bytes as a text: UTF-16 little-endian units (which may
    // hold half a surrogate pair), or UTF-8.
    QString rest(bool utf16) {
        const auto* start = m_data + m_pos;
        const std::size_t n = m_size - m_pos;
        m_pos = m_size;
        if (!utf16)
            return QString::fromUtf8(reinterpret_cast<const char*>(start), qsizetype(n));
        QString text(qsizetype(n / 2), Qt::Uninitialized);
        for (std::size_t i = 0; i + 1 < n; i += 2)
            text[qsizetype(i / 2)] = QChar(char16_t(start[i] | (start[i + 1] << 8)));
        return text;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

} // namespace ramulo::fuzz
