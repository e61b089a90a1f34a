#pragma once
// Turning one raw editor line into a folder name. Pure functions over plain
// values; the window reads its controls and hands the settings in.

#include <QString>

namespace ramulo {

// What the "additions" step needs: prefix, suffix, forbidden characters and
// the space / dash / underscore swap. Indexes are the drop-down list entries.
struct AddsSettings {
    bool prefixOn = false;
    QString prefix = QStringLiteral("pre_");
    bool suffixOn = false;
    QString suffix = QStringLiteral("_suff");
    int forbiddenMode = 0; // 0 remove, 1 space, 2 underscore, 3 dash
    int separatorMode = 0; // 0 none, 1..6 one-way swaps (see separatorSwap)
};

// The nine characters a folder name may not hold, in the order they are replaced.
inline constexpr char16_t kForbidden[] = u"\\/:*?\"<>|";

// Replacement text for a forbidden character in the given mode ("" for
// removal); any index outside 1..3 removes.
QString forbiddenReplacement(int forbiddenMode);

// The (from, to) characters of a separator mode; both are '\0' for mode 0 and
// for any index outside 1..6.
struct Swap {
    char16_t from;
    char16_t to;
};
Swap separatorSwap(int separatorMode);

// Prefix, suffix (only for a non-empty line), forbidden characters, swap, then
// trimming of spaces (code 32 only) at both ends.
QString applyAdds(const QString& raw, const AddsSettings& settings);

// Letter case, character by character (simple case mapping: the length never
// changes). 0 unchanged, 1 lower, 2 first character upper and the rest lower,
// 3 proper case, 4 upper; any other index leaves the text unchanged.
QString applyCase(const QString& name, int caseMode);

// Whether a character ends a word for proper case: space, tab, line feed,
// vertical tab, form feed, carriage return and NUL.
bool isWordSeparator(char32_t c);

} // namespace ramulo
