// The preview's report for the editor's text, with a destination and a file
// system held in memory.
//
// Bytes: flags (1 UTF-16 names, 2 case ignored, 4 Windows names, 8 lines as
// paths of a tree, 16 text as UTF-16, 32 half pairs pass), the chain's
// settings (1 prefix, 2 suffix, forbidden mode in bits 2-3, separator mode in
// bits 4-6), its case mode, the longest name, the longest path, what the
// paths hold, the destination's length, the prefix's length (low 4 bits) and
// the suffix's (high 4 bits), then the text: the destination, the prefix, the
// suffix, then the editor's text.

#include "editor/line_paths.h"
#include "editor/namelist.h"
#include "editor/transform.h"
#include "output/report.h"
#include "platform/paths.h"

#include <QHash>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "fuzz_check.h"

using namespace ramulo;

namespace {

// What the chain makes of any line, whatever its settings.
void checkChain(const QString& raw, const AddsSettings& adds, CaseMode caseMode) {
    const QString added = applyAdds(raw, adds);
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::size_t pos = 0; // past the end every byte reads as zero
    const auto byte = [&]() -> std::uint8_t {
        return pos < size ? data[pos++] : 0;
    };
    const std::uint8_t flags = byte();
    const std::uint8_t chainByte = byte();
    const auto caseMode = CaseMode(byte() % 5);
    const NameRules rules{.longestName = 1 + byte(),
                          .longestPath = 1 + 16 * byte(),
                          .utf16 = bool(flags & 1),
                          .halfPairs = bool(flags & 32),
                          .ignoresCase = bool(flags & 2),
                          .windowsNames = bool(flags & 4)};
    const std::uint8_t entrySeed = byte();
    const qsizetype destinationLength = byte() % 32;
    const std::uint8_t affixLengths = byte();
    // The rest: UTF-16 little-endian units (which may hold half a surrogate
    // pair), or UTF-8.
    const std::uint8_t* rest = data + pos;
    const auto restSize = qsizetype(size - pos);
    QString all = QString::fromUtf8(reinterpret_cast<const char*>(rest), restSize);
    if (flags & 16) {
        all = QString(restSize / 2, Qt::Uninitialized);
        for (qsizetype i = 0; i + 1 < restSize; i += 2)
            all[i / 2] = QChar(char16_t(rest[i] | (rest[i + 1] << 8)));
    }
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

    QStringList names;
    qint64 duplicates = 0, existing = 0;
    QHash<std::pair<QString, QString>, qint64> seen;
    LineReader reader(chain);
    for (const QString& raw : lines) {
        checkChain(raw, trees ? flat.adds : adds, caseMode);
        const LinePath line = reader.next(raw);
        if (trees)
            checkOneLevel(raw, line, flat);
        bool dots = false;
        if (trees && !line.path.isEmpty())
            for (const QString& level : line.path.split(pathSeparator())) {
                // Each level went through the chain on its own.
                FUZZ_CHECK(!level.isEmpty() && !level.startsWith(u' ') && !level.endsWith(u' '));
                FUZZ_CHECK(std::none_of(level.begin(), level.end(), isForbiddenCharacter));
                FUZZ_CHECK(!level.contains(u'\t'));
                dots = dots || level == "." || level == "..";
            }
        FUZZ_CHECK(!dots || line.fault); // nothing leaves the destination
        // A line repeated n times reports n(n-1)/2 lines: one per earlier equal line.
        duplicates += line.blank ? 0 : seen[{raw, trees ? line.path : QString()}]++;
        if (line.path.isEmpty())
            continue;
        names << line.path;
        existing += !line.fault && isFolder(entryAt(joinPath(destination, line.path)));
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
