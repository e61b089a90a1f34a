#pragma once
// The number generator's pure rules: reading a number from a box's text,
// writing a number, the mode rows and the list for given inputs.

#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace ramulo {

// The number written at the start of a text: blanks, tabs and line feeds are
// ignored wherever they stand, "." is the decimal point, an exponent (e or d)
// may follow; reading stops at the first character that cannot continue the
// number. A text that does not begin with a number is 0. «12abc» is 12, «1,5»
// is 1. Values too large for a double are held at the largest one.
double readNumber(QStringView text);

// Integral values below 10^15 are plain digits with a leading "-" when
// negative (42, -7). Others keep 15 significant digits: «1.5», «0.1»,
// «1.23456789012346e+20».
QString numberText(double value);

enum class GeneratorMode { Sequence = 0, Interval = 1, Random = 2 };

// What each mode enables and allows, in the order the option buttons are
// tested: index 0, then 2, then 1.
struct ModeRow {
    GeneratorMode mode;
    bool startAndStep; // Text2, Text4 and their captions enabled
    int maxDigits;     // the digit count's maximum
};
inline constexpr std::array<ModeRow, 3> kModeRows{{
    {GeneratorMode::Sequence, true, 20},
    {GeneratorMode::Random, false, 15},
    {GeneratorMode::Interval, true, 20},
}};

// More names than this are refused everywhere: a list of millions of lines
// would take minutes and gigabytes to build, show and preview.
inline constexpr double kMostNames = 1'000'000;

struct GeneratorInputs {
    GeneratorMode mode = GeneratorMode::Sequence;
    double start = 1;
    double step = 1;
    double count = 10;
    int digits = 2;
};

// The editor's text: one name per line, CR LF between lines, none after the
// last; empty for a count below 1. Random mode draws once per name. The
// callers bound the count. Nothing when a number to write is not finite (a
// start or step near the largest double overflows).
std::optional<QString> generateList(const GeneratorInputs& inputs,
                                    const std::function<double()>& draw);

} // namespace ramulo
