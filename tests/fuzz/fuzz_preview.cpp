// The preview's report for the editor's text, with a destination and a file system in memory.
// Bytes, each zero past the end: flags (1 UTF-16 names, 2 case ignored, 4 Windows names, 8 lines
// as paths of a tree, 16 text as UTF-16, 32 half pairs pass), the chain's settings (1 prefix, 2
// suffix, forbidden mode in bits 2-3, separator mode in bits 4-6), its case mode, the longest name,
// the longest path, what the paths hold, the destination's length, the prefix's length (low 4
// bits) and the suffix's (high 4 bits), then the text (UTF-16 little-endian units, half pairs
// included, or UTF-8): the destination, the prefix, the suffix, then the editor's text.

#include "editor/line_paths.h"
#include "editor/namelist.h"
#include "output/report.h"
#include "platform/paths.h"

#include <QHash>

#include <algorithm>
#include <cstdint>
#include <utility>

#include "fuzz_check.h"

using namespace ramulo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::size_t pos = 0;
    const auto byte = [&]() -> std::uint8_t {
        return pos < size ? data[pos++] : 0;
    };
    const std::uint8_t flags = byte(), chainByte = byte();
    const auto caseMode = CaseMode(byte() % 5);
    const NameRules rules{.longestName = 1 + byte(),
                          .longestPath = 1 + 16 * byte(),
                          .utf16 = bool(flags & 1),
                          .halfPairs = bool(flags & 32),
                          .ignoresCase = bool(flags & 2),
                          .windowsNames = bool(flags & 4)};
    const std::uint8_t entrySeed = byte(), destinationLength = byte() % 32, affixLengths = byte();
    QString all;
    if (flags & 16)
        for (; pos + 1 < size; pos += 2)
            all += QChar(char16_t(data[pos] | data[pos + 1] << 8));
    else
        all = QString::fromUtf8(reinterpret_cast<const char*>(data + pos), qsizetype(size - pos));
    qsizetype used = 0; // the characters taken so far
    const auto take = [&](qsizetype length) {
        return all.mid(std::exchange(used, std::min(used + length, all.size())), length);
    };
    const QString destination = take(destinationLength);
    const bool trees = flags & 8;
    const AddsSettings adds{.prefixOn = bool(chainByte & 1),
                            .prefix = take(affixLengths & 15), // in order: before the suffix
                            .suffixOn = bool(chainByte & 2),
                            .suffix = take(affixLengths >> 4),
                            .forbiddenMode = trees ? ForbiddenMode::Tree : ForbiddenMode((chainByte >> 2) & 3),
                            .separatorMode = SwapMode((chainByte >> 4) & 7)};
    const QStringList lines = splitLines(all.sliced(used));
    const NameChain chain{adds, caseMode};
    NameChain flat = chain; // the first entry of the forbidden-character list
    flat.adds.forbiddenMode = ForbiddenMode::Remove;
    // What a path holds follows its last character.
    const auto entryAt = [entrySeed](const QString& path) {
        return path.isEmpty() ? Entry::None : Entry((path.back().unicode() + entrySeed) % 8);
    };
    const auto entriesIn = [&](const QString& folder, const QStringList& names) {
        std::vector<Entry> entries;
        for (const QString& name : names)
            entries.push_back(entryAt(joinPath(folder, name)));
        return entries;
    };
    const PreviewReport report = buildPreview(lines, {chain, destination, entriesIn, rules});
    // What the swap takes away: nothing in mode 0 nor in the unknown 7 (the literal's end).
    const char16_t swapped = u"\0  __--"[int(adds.separatorMode)];

    QStringList names;
    qint64 duplicates = 0, existing = 0;
    QHash<std::pair<QString, QString>, qint64> seen;
    LineReader reader(chain);
    for (const QString& raw : lines) {
        // The swap leaves none of its character, replacements included. Letter case keeps the
        // length, is done once for good, and brings back no forbidden character nor outer space.
        const QString added = applyAdds(raw, trees ? flat.adds : adds);
        FUZZ_CHECK(!swapped || !added.contains(QChar(swapped)));
        const QString name = applyCase(added, caseMode);
        FUZZ_CHECK(name.size() == added.size());
        FUZZ_CHECK(applyCase(name, caseMode) == name);
        FUZZ_CHECK(std::none_of(name.begin(), name.end(), isForbiddenCharacter));
        FUZZ_CHECK(!name.startsWith(u' ') && !name.endsWith(u' '));

        const LinePath line = reader.next(raw);
        // In a tree, a line of one level is named as the first forbidden-character entry names it,
        // but that its outer spaces are layout: a line of spaces is blank, they go before the swap.
        QString text = raw;
        if (!raw.isEmpty())
            text = (adds.prefixOn ? adds.prefix : QString()) + raw + (adds.suffixOn ? adds.suffix : QString());
        const bool levels = text.contains(u'/') || text.contains(u'\\') || text.contains(u'\t');
        const bool spaces = !raw.isEmpty() && raw.count(u' ') == raw.size();
        text.removeIf(isForbiddenCharacter);
        const bool outerSpaces = text.startsWith(u' ') || text.endsWith(u' ');
        if (trees && !levels && !spaces && !(swapped == u' ' && outerSpaces))
            FUZZ_CHECK(line.path == flat(raw));
        // A line repeated n times reports n(n-1)/2 lines: one per earlier equal line.
        duplicates += line.blank ? 0 : seen[{raw, trees ? line.path : QString()}]++;
        if (line.path.isEmpty())
            continue;
        names << line.path;
        existing += !line.fault && isFolder(entryAt(joinPath(destination, line.path)));
        // Each level went through the chain on its own, and nothing leaves the destination.
        for (const QString& level : trees ? line.path.split(pathSeparator()) : QStringList()) {
            FUZZ_CHECK(!level.isEmpty() && !level.startsWith(u' ') && !level.endsWith(u' '));
            FUZZ_CHECK(std::none_of(level.begin(), level.end(), isForbiddenCharacter));
            FUZZ_CHECK(!level.contains(u'\t'));
            FUZZ_CHECK((level != "." && level != "..") || line.fault);
        }
    }
    FUZZ_CHECK(report.names == names && report.count == names.size());
    // Each box lists its first lines and counts the others.
    const auto listed = [](const ReportLines& box) {
        FUZZ_CHECK(box.lines.size() == std::min(box.lines.size() + box.leftOut, kReportLimit));
        return box.lines.size() + box.leftOut;
    };
    FUZZ_CHECK(listed(report.duplicates) == duplicates);
    FUZZ_CHECK(listed(report.existing) == existing);
    listed(report.impossible);
    return 0;
}
