// The preview's report for the editor's text, with a destination and a file
// system held in memory.
//
// Bytes: flags (1 UTF-16 names, 2 case ignored, 4 Windows names, 8 lines
// as paths of a tree, 16 text as UTF-16),
// the chain's settings (1 prefix, 2 suffix, forbidden mode in bits 2-3,
// separator mode in bits 4-6), its case mode, the longest name, the longest
// path, what the paths hold, the destination's length, the prefix's length
// (low 4 bits) and the suffix's (high 4 bits), then the text: the
// destination, the prefix, the suffix, then the editor's text.

#include "editor/line_paths.h"
#include "editor/namelist.h"
#include "editor/transform.h"
#include "output/report.h"
#include "platform/paths.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "fuzz_check.h"

using namespace ramulo;

namespace {

// Reads the bytes front to back; past the end every read gives zeros.
struct Input {
    const std::uint8_t* data;
    std::size_t size, pos = 0;
    std::uint8_t byte() { return pos < size ? data[pos++] : 0; }
    // The rest of the bytes as a text: UTF-16 little-endian units (which may
    // hold half a surrogate pair), or UTF-8.
    QString rest(bool utf16) {
        const std::uint8_t* start = data + std::exchange(pos, size);
        const std::size_t n = size - std::size_t(start - data);
        if (!utf16)
            return QString::fromUtf8(reinterpret_cast<const char*>(start), qsizetype(n));
        QString text(qsizetype(n / 2), Qt::Uninitialized);
        for (std::size_t i = 0; i + 1 < n; i += 2)
            text[qsizetype(i / 2)] = QChar(char16_t(start[i] | (start[i + 1] << 8)));
        return text;
    }
};

// What the chain makes of any line, whatever its settings.
void checkChain(const QString& raw, const AddsSettings& adds, CaseMode caseMode) {
    const QString added = applyAdds(raw, adds);
    // Each character of the prefix, the line and the suffix gives one at most.
    FUZZ_CHECK(added.size() <= raw.size() + (adds.prefixOn ? adds.prefix.size() : 0) +
                                   (adds.suffixOn ? adds.suffix.size() : 0));
    // The swap leaves none of the character it swaps, replacements included.
    if (const int swap = int(adds.separatorMode); swap >= 1 && swap <= 6)
        FUZZ_CHECK(!added.contains(QStringView(u"  __--")[swap - 1]));
    // Letter case keeps the length, is done once for good (word starts do not
    // move), and brings back no forbidden character nor a space at either end.
    const QString name = applyCase(added, caseMode);
    FUZZ_CHECK(name.size() == added.size());
    FUZZ_CHECK(applyCase(name, caseMode) == name);
    FUZZ_CHECK(std::none_of(name.begin(), name.end(), isForbiddenCharacter));
    FUZZ_CHECK(!name.startsWith(u' ') && !name.endsWith(u' '));
}

// In a tree, a line of one level is named as the first entry of the
// forbidden-character list names it, but that its outer spaces are layout: a
// line of spaces is blank, and the outer spaces go before the swap.
void checkOneLevel(const QString& raw, const LinePath& line, const NameChain& flat) {
    const AddsSettings& adds = flat.adds;
    QString text = raw;
    if (!raw.isEmpty())
        text = (adds.prefixOn ? adds.prefix : QString()) + raw +
               (adds.suffixOn ? adds.suffix : QString());
    if (text.contains(u'/') || text.contains(u'\\') || text.contains(u'\t') ||
        (!raw.isEmpty() && std::all_of(raw.begin(), raw.end(), [](QChar c) { return c == u' '; })))
        return;
    text.removeIf(isForbiddenCharacter);
    const bool swapsSpaces = adds.separatorMode == SwapMode::SpaceToUnderscore ||
                             adds.separatorMode == SwapMode::SpaceToDash;
    if (swapsSpaces && (text.startsWith(u' ') || text.endsWith(u' ')))
        return;
    FUZZ_CHECK(line.path == flat(raw));
}

// Names any file system of these rules refuses, whatever their length (half
// a surrogate pair has no form in UTF-8).
bool surelyRefused(const QString& name, const NameRules& rules) {
    if (name.contains(QChar(0)) || name.contains(u'/') ||
        (!rules.halfPairs && !name.isValidUtf16()))
        return true;
    return rules.windowsNames &&
           (name.endsWith(u'.') || name.endsWith(u' ') ||
            std::any_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 32; }));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in{data, size};
    const std::uint8_t flags = in.byte();
    const std::uint8_t chainByte = in.byte();
    const auto caseMode = CaseMode(in.byte() % 5);
    const NameRules rules{.longestName = 1 + in.byte(),
                          .longestPath = 1 + 16 * in.byte(),
                          .utf16 = bool(flags & 1),
                          .halfPairs = bool(flags & 32),
                          .ignoresCase = bool(flags & 2),
                          .windowsNames = bool(flags & 4)};
    const std::uint8_t entrySeed = in.byte();
    const qsizetype destinationLength = in.byte() % 32;
    const std::uint8_t affixLengths = in.byte();
    const QString all = in.rest(flags & 16);
    qsizetype used = 0;
    const auto take = [&](qsizetype length) {
        const QString part = all.sliced(used).first(std::min(length, all.size() - used));
        used += part.size();
        return part;
    };
    const QString destination = take(destinationLength);

    const bool trees = flags & 8;
    // In the order of the fields: the prefix is taken before the suffix.
    const AddsSettings adds{.prefixOn = bool(chainByte & 1),
                            .prefix = take(affixLengths & 15),
                            .suffixOn = bool(chainByte & 2),
                            .suffix = take(affixLengths >> 4),
                            .forbiddenMode =
                                trees ? ForbiddenMode::Tree : ForbiddenMode((chainByte >> 2) & 3),
                            .separatorMode = SwapMode((chainByte >> 4) & 7)};
    const QString text = all.sliced(used);
    const NameChain chain{adds, caseMode};
    NameChain flat = chain; // the first entry of the forbidden-character list
    flat.adds.forbiddenMode = ForbiddenMode::Remove;
    // What a path holds follows its last character.
    const auto entryAt = [entrySeed](const QString& path) {
        return path.isEmpty() ? Entry::None : Entry((path.back().unicode() + entrySeed) % 8);
    };

    const QStringList lines = splitLines(text);

    qint64 asked = 0; // paths asked about, all at once
    const auto entriesIn = [&](const QString& folder, const QStringList& names) {
        std::vector<Entry> entries;
        for (const QString& name : names)
            entries.push_back(entryAt(joinPath(folder, name)));
        asked += names.size();
        return entries;
    };
    const PreviewReport report = buildPreview(lines, {chain, destination, entriesIn, rules});

    QStringList names;
    qint64 duplicates = 0, existing = 0, candidates = 0, surelyImpossible = 0, looked = 0;
    QHash<std::pair<QString, QString>, qint64> seen;
    QHash<QString, qint64> candidateNames; // how many candidates give each path
    QSet<QString> uppers;
    LineReader reader(chain);
    for (const QString& raw : lines) {
        checkChain(raw, trees ? flat.adds : adds, caseMode);
        const LinePath line = reader.next(raw);
        if (trees)
            checkOneLevel(raw, line, flat);
        const QString& name = line.path;
        const QStringList levels = name.split(pathSeparator());
        bool dots = false;
        if (trees && !name.isEmpty())
            for (const QString& level : levels) {
                // Each level went through the chain on its own.
                FUZZ_CHECK(!level.isEmpty() && !level.startsWith(u' ') && !level.endsWith(u' '));
                FUZZ_CHECK(std::none_of(level.begin(), level.end(), isForbiddenCharacter));
                FUZZ_CHECK(!level.contains(u'\t'));
                dots = dots || level == "." || level == "..";
            }
        FUZZ_CHECK(!dots || line.fault); // nothing leaves the destination
        const qint64 earlier = line.blank ? 0 : seen[{raw, trees ? name : QString()}]++;
        duplicates += earlier;
        if (name.isEmpty())
            continue;
        names << name;
        if (!line.fault) {
            ++looked;
            for (qsizetype k = 1; k < levels.size(); ++k)
                uppers.insert(levels.first(k).join(pathSeparator()));
        }
        const Entry entry = !line.fault ? entryAt(joinPath(destination, name)) : Entry::None;
        if (isFolder(entry)) {
            ++existing;
        } else if (earlier == 0) {
            // Left to the third report: each refused path, or each but the
            // first of those that make the same folder.
            ++candidates;
            const bool refused = line.fault || entry != Entry::None ||
                                 std::any_of(levels.begin(), levels.end(), [&](const QString& l) {
                                     return surelyRefused(l, rules);
                                 });
            if (refused || (!line.fault && candidateNames[name]++ > 0))
                ++surelyImpossible;
        }
    }

    FUZZ_CHECK(report.names == names);
    FUZZ_CHECK(report.count == names.size());
    FUZZ_CHECK(asked == looked + uppers.size());
    // A line repeated n times reports n(n-1)/2 lines: one per earlier equal line.
    // Each box lists its first lines and counts the others.
    const auto listed = [](const ReportLines& box) {
        FUZZ_CHECK(box.lines.size() == std::min(box.lines.size() + box.leftOut, kReportLimit));
        return box.lines.size() + box.leftOut;
    };
    FUZZ_CHECK(listed(report.duplicates) == duplicates);
    FUZZ_CHECK(listed(report.existing) == existing);
    FUZZ_CHECK(listed(report.impossible) >= surelyImpossible &&
               listed(report.impossible) <= candidates);
    for (const QString& line : report.impossible.lines)
        FUZZ_CHECK(line.endsWith(u')'));
    for (const ReportLines* box : {&report.duplicates, &report.existing, &report.impossible})
        for (const QString& line : box->lines)
            FUZZ_CHECK(line.startsWith(QStringLiteral("- ")));
    return 0;
}
