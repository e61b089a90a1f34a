// The number generator's list for given inputs.
//
// Bytes: mode, digit count, start and step (a kind byte, then 8 bytes each),
// count (2 bytes, in 32nds, at most 1000), then 8 bytes per random draw.

#include "fuzz.h"

#include "editor/namelist.h"
#include "sources/numbers.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

using namespace ramulo;

namespace {

// The generator's boxes hold what readNumber gives: finite values, held at
// the largest double. The kinds make small integers, fractions and numbers
// around the 15 digits where writing changes more likely than raw bits would.
double value(fuzz::Input& in) {
    const std::uint8_t kind = in.byte();
    const std::uint64_t bits = in.bytes(8);
    switch (kind % 4) {
    case 0:
        return double(std::int16_t(bits));
    case 1:
        return double(std::int16_t(bits)) / 100;
    case 2:
        return double(std::int64_t(bits << 8) >> 8); // up to 2^55, with its sign
    default: {
        double raw;
        std::memcpy(&raw, &bits, sizeof raw);
        if (std::isnan(raw))
            return 0;
        return std::isfinite(raw) ? raw : std::copysign(DBL_MAX, raw);
    }
    }
}

// The random source's draws are in [0, 1).
double draw(fuzz::Input& in) {
    return double(in.bytes(8) >> 11) * 0x1p-53;
}

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// A written value, zeros put before it, reads back as the value.
void checkWritten(QStringView written, double expected, int digits) {
    FUZZ_CHECK(written.size() >= digits);
    qsizetype zeros = 0;
    while (zeros < written.size() && written[zeros] == u'0')
        ++zeros;
    const double back = readNumber(written.sliced(zeros));
    if (expected == std::trunc(expected) && std::fabs(expected) < 1e15)
        FUZZ_CHECK(back == expected);
    else
        FUZZ_CHECK(std::fabs(back - expected) <= std::fabs(expected) * 1e-14);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    GeneratorInputs inputs;
    inputs.mode = GeneratorMode(in.byte() % 3);
    const auto row = std::find_if(kModeRows.begin(), kModeRows.end(),
                                  [&](const ModeRow& r) { return r.mode == inputs.mode; });
    inputs.digits = 1 + in.byte() % row->maxDigits;
    inputs.start = value(in);
    inputs.step = value(in);
    inputs.count = std::min(double(std::int16_t(in.bytes(2))) / 32, 1000.0);

    qsizetype drawn = 0;
    const QString text = generateList(inputs, [&] {
        ++drawn;
        return draw(in);
    });

    const qsizetype expectedLines = inputs.count >= 1 ? qsizetype(inputs.count) : 0;
    const QStringList lines = splitLines(text);
    FUZZ_CHECK(lines.size() == expectedLines);
    FUZZ_CHECK(drawn == (inputs.mode == GeneratorMode::Random ? expectedLines : 0));

    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
        const double first = inputs.start + double(i) * inputs.step;
        const double last = inputs.start + double(i + 1) * inputs.step - 1;
        switch (inputs.mode) {
        case GeneratorMode::Sequence:
            if (std::isfinite(first))
                checkWritten(line, first, inputs.digits);
            break;
        case GeneratorMode::Interval:
            // Only where no '-' belongs to a number: both ends at least 0, no
            // negative exponent.
            if (std::isfinite(last) && first >= 0 && last >= 0 &&
                !numberText(first).contains(u'-') && !numberText(last).contains(u'-')) {
                const QStringList ends = line.split(u'-');
                FUZZ_CHECK(ends.size() == 2);
                checkWritten(ends.at(0), first, inputs.digits);
                checkWritten(ends.at(1), last, inputs.digits);
            }
            break;
        case GeneratorMode::Random:
            // floor(draw * 10^digits) is below 10^digits: exactly `digits` digits.
            FUZZ_CHECK(line.size() == inputs.digits);
            FUZZ_CHECK(std::all_of(line.begin(), line.end(), isAsciiDigit));
            break;
        }
    }
    return 0;
}
