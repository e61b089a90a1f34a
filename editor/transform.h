#pragma once
// Turning one raw editor line into a folder name. Pure functions over plain
// values; the window reads its controls and hands the settings in.

#include <QString>

#include <array>
#include <string_view>

namespace ramulo {

// The entries of the forbidden-character list, in its order.
enum class ForbiddenMode { Remove, Space, Underscore, Dash, Tree };

// The entries of the swap list, in its order.
enum class SwapMode {
    None,
    SpaceToUnderscore,
    SpaceToDash,
    UnderscoreToSpace,
    UnderscoreToDash,
    DashToSpace,
    DashToUnderscore
};

// The entries of the letter-case list, in its order.
enum class CaseMode { Unchanged, Lower, FirstUpper, Proper, Upper };

// The nine characters a folder name may not hold, as the window lists them.
inline constexpr char16_t kForbiddenCharacters[] = u"/\\:*?\"<>|";

// All of them are ASCII, so a 128-entry table answers in one load; the
// chain and the preview ask it of every character.
inline constexpr auto kForbiddenTable = [] {
    std::array<bool, 128> table{};
    for (const char16_t c : std::u16string_view(kForbiddenCharacters))
        table[c] = true;
    return table;
}();

inline bool isForbiddenCharacter(QChar c) {
    return c.unicode() < kForbiddenTable.size() && kForbiddenTable[c.unicode()];
}

// What the "additions" step needs: prefix, suffix, forbidden characters and
// the space / dash / underscore swap. The prefix and suffix boxes start with
// these texts.
struct AddsSettings {
    bool prefixOn = false;
    QString prefix = QStringLiteral("pre_");
    bool suffixOn = false;
    QString suffix = QStringLiteral("_suff");
    ForbiddenMode forbiddenMode = ForbiddenMode::Remove;
    SwapMode separatorMode = SwapMode::None;
    bool operator==(const AddsSettings&) const = default;
};

// The chain's steps, in their order. A flat line goes through all of them
// whole. A tree line (editor/line_paths.h) goes through the first two whole,
// is cut into levels, then each level goes through the trim, the swap, the
// trim again and the case.

// Prefix and suffix, those that are on, around the line; an empty line stays
// empty.
QString addAffixes(const QString& raw, const AddsSettings& settings);

// Each forbidden character replaced as the mode says; a mode past the list
// removes them. The tree mode keeps "/" and "\", which separate levels, and
// removes the seven others.
QString replaceForbidden(QString text, ForbiddenMode mode);

// One character swapped for another all over the text; a mode past the list
// swaps nothing.
QString swapSeparators(QString text, SwapMode mode);

// Spaces (code 32 only) cut at both ends.
QString trimSpaces(QString text);

// Letter case, character by character (simple case mapping: the length never
// changes). A mode past the list leaves the text unchanged.
QString applyCase(const QString& name, CaseMode mode);

// The steps before the case: prefix and suffix, forbidden characters, swap,
// then the trim.
QString applyAdds(const QString& raw, const AddsSettings& settings);

// The whole chain for one set of settings. A plain value, so that it may run
// away from the window's controls.
struct NameChain {
    AddsSettings adds;
    CaseMode caseMode = CaseMode::Unchanged;

    // Whether a line is a path of sub-folders rather than one folder name.
    bool makesTrees() const { return adds.forbiddenMode == ForbiddenMode::Tree; }
    bool operator==(const NameChain&) const = default;
    // The chain over a whole line, as one folder name.
    QString operator()(const QString& raw) const {
        return applyCase(applyAdds(raw, adds), caseMode);
    }
};

} // namespace ramulo
