// Reading a number from a box's text, and writing numbers.
//
// Bytes: the box's text as UTF-8; its first eight bytes are also taken as a
// double for the writing side.

#include "fuzz.h"

#include "sources/numbers.h"

#include <algorithm>
#include <cmath>

using namespace ramulo;

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

// Written with 15 significant digits, a value reads back within a few units
// in its 15th digit; an integral value below 10^15 reads back exactly.
void checkRoundTrip(double value) {
    const QString text = numberText(value);
    FUZZ_CHECK(!text.isEmpty() && text != u"-0");
    const double back = readNumber(text);
    if (value == std::trunc(value) && std::fabs(value) < 1e15) {
        FUZZ_CHECK(back == value);
        FUZZ_CHECK(std::all_of(text.begin() + (value < 0 ? 1 : 0), text.end(),
                               [](QChar c) { return c >= u'0' && c <= u'9'; }));
    } else {
        FUZZ_CHECK(std::fabs(back - value) <= std::fabs(value) * 1e-14);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const double raw = in.rawDouble();
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));

    const double value = readNumber(text);
    FUZZ_CHECK(std::isfinite(value));

    // Blanks are ignored wherever they stand.
    QString unblanked = text;
    unblanked.removeIf(isBlank);
    FUZZ_CHECK(readNumber(unblanked) == value);

    // A character that cannot continue a number changes nothing after the end.
    FUZZ_CHECK(readNumber(text + u'x') == value);
    FUZZ_CHECK(readNumber(text + u',') == value);

    // e, E, d and D mark the exponent alike.
    QString exponents = text;
    for (QChar& c : exponents)
        if (c == u'E' || c == u'd' || c == u'D')
            c = u'e';
    FUZZ_CHECK(readNumber(exponents) == value);

    // A sign before a number that starts with a digit or a point.
    const QChar first = unblanked.isEmpty() ? QChar() : unblanked.front();
    if ((first >= u'0' && first <= u'9') || first == u'.') {
        FUZZ_CHECK(readNumber(u'-' + text) == -value);
        FUZZ_CHECK(readNumber(u'+' + text) == value);
    }

    checkRoundTrip(value);
    if (std::isfinite(raw))
        checkRoundTrip(raw);
    return 0;
}
