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
    int separatorMode = 0; // 0 none; space > _ , space > -, _ > space, _ > -, - > space, - > _
};

// Prefix, suffix (only for a non-empty line), forbidden characters, swap, then
// trimming of spaces (code 32 only) at both ends.
QString applyAdds(const QString& raw, const AddsSettings& settings);

// Letter case, character by character (simple case mapping: the length never
// changes). 0 unchanged, 1 lower, 2 first character upper and the rest lower,
// 3 proper case, 4 upper; any other index leaves the text unchanged.
QString applyCase(const QString& name, int caseMode);

// The whole chain for one set of settings: the additions, then the letter
// case. A plain value, so that it may run away from the window's controls.
struct NameChain {
    AddsSettings adds;
    int caseMode = 0;
    QString operator()(const QString& raw) const {
        return applyCase(applyAdds(raw, adds), caseMode);
    }
};

} // namespace ramulo
