// The preview's report for the editor's text, with a destination and a file
// system held in memory.
//
// Bytes: flags (1 UTF-16 names, 2 case ignored, 4 Windows names, 8 names
// through the window's chain rather than the raw lines, 16 text as UTF-16),
// the chain's settings (1 prefix, 2 suffix, forbidden mode in bits 2-3,
// separator mode in bits 4-6), its case mode, the longest name, the longest
// path, what the paths hold, the destination's length, then the text: the
// destination, then the editor's text.

#include "fuzz.h"

#include "editor/namelist.h"
#include "editor/transform.h"
#include "output/report.h"
#include "platform/paths.h"

#include <QHash>

#include <algorithm>

using namespace ramulo;

namespace {

bool hasHalfPair(const QString& name) {
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name.at(i).isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate())
            ++i;
        else if (name.at(i).isSurrogate())
            return true;
    }
    return false;
}

// Names any file system of these rules refuses, whatever their length.
bool surelyRefused(const QString& name, const NameRules& rules) {
    if (name.contains(QChar(0)) || name.contains(u'/') || (!rules.utf16 && hasHalfPair(name)))
        return true;
    return rules.windowsNames &&
           (name.endsWith(u'.') || name.endsWith(u' ') ||
            std::any_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 32; }));
}

// The report lines are joined after a heading, and a count of the lines left
// out, with no break made or lost on the way. (A name may hold CR LF: the
// chain makes one of "\r/\n".)
void checkReportText(const QStringList& lines, qint64 leftOut) {
    const QString text = reportText(QStringLiteral("Titre :"), lines, leftOut);
    qsizetype expected = 1 + std::max<qsizetype>(lines.size(), 1) + (leftOut > 0 ? 1 : 0);
    for (const QString& line : lines)
        expected += line.count(QStringLiteral("\r\n"));
    FUZZ_CHECK(splitLines(text).size() == expected);
    for (const QString& line : lines)
        FUZZ_CHECK(line.startsWith(QStringLiteral("- ")));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const std::uint8_t flags = in.byte();
    const std::uint8_t chainByte = in.byte();
    const int caseMode = in.byte() % 5;
    NameRules rules;
    rules.utf16 = flags & 1;
    rules.ignoresCase = flags & 2;
    rules.windowsNames = flags & 4;
    rules.longestName = 1 + in.byte();
    rules.longestPath = 1 + 16 * in.byte();
    const std::uint8_t entrySeed = in.byte();
    const qsizetype destinationLength = in.byte() % 32;
    const QString all = in.rest(flags & 16);
    const QString destination = all.first(std::min(destinationLength, all.size()));
    const QString text = all.sliced(destination.size());

    AddsSettings adds;
    adds.prefixOn = chainByte & 1;
    adds.suffixOn = chainByte & 2;
    adds.forbiddenMode = (chainByte >> 2) & 3;
    adds.separatorMode = (chainByte >> 4) & 7;
    const bool throughChain = flags & 8;
    const auto folderName = [&](const QString& raw) {
        return throughChain ? applyCase(applyAdds(raw, adds), caseMode) : raw;
    };
    // What a path holds follows its last character.
    const auto entryAt = [entrySeed](const QString& path) {
        return path.isEmpty() ? Entry::None : Entry((path.back().unicode() + entrySeed) % 5);
    };

    const QStringList lines = splitLines(text);
    FUZZ_CHECK(lines.join(QStringLiteral("\r\n")) == text);

    qint64 asked = 0; // names asked about, all at once
    PreviewInputs inputs;
    inputs.folderName = folderName;
    inputs.destination = destination;
    inputs.entriesIn = [&](const QString& folder, const QStringList& names) {
        std::vector<Entry> entries;
        for (const QString& name : names)
            entries.push_back(entryAt(joinPath(folder, name)));
        asked += names.size();
        return entries;
    };
    inputs.rules = rules;
    const PreviewReport report = buildPreview(lines, inputs);

    QStringList names;
    qint64 duplicates = 0, existing = 0, candidates = 0, surelyImpossible = 0;
    QHash<QString, qint64> seen;
    QHash<QString, qint64> candidateNames; // how many candidates give each name
    for (const QString& raw : lines) {
        const QString name = folderName(raw);
        const qint64 earlier = raw.isEmpty() ? 0 : seen[raw]++;
        duplicates += earlier;
        if (name.isEmpty())
            continue;
        names << name;
        const Entry entry = entryAt(joinPath(destination, name));
        if (entry == Entry::Folder) {
            ++existing;
        } else if (earlier == 0) {
            // Left to the third report: each refused name, or each but the
            // first of those that make the same folder.
            ++candidates;
            const bool refused = entry != Entry::None || surelyRefused(name, rules);
            if (refused || candidateNames[name]++ > 0)
                ++surelyImpossible;
        }
    }

    FUZZ_CHECK(report.names == names);
    FUZZ_CHECK(report.count == names.size());
    FUZZ_CHECK(asked == report.count);
    // A line repeated n times reports n(n-1)/2 lines: one per earlier equal line.
    FUZZ_CHECK(report.duplicates.size() == std::min(duplicates, kDuplicateReportLimit));
    FUZZ_CHECK(report.duplicatesLeftOut == duplicates - report.duplicates.size());
    FUZZ_CHECK(report.existing.size() == existing);
    FUZZ_CHECK(report.impossible.size() >= surelyImpossible &&
               report.impossible.size() <= candidates);
    for (const QString& line : report.impossible)
        FUZZ_CHECK(line.endsWith(u')'));

    checkReportText(report.duplicates, report.duplicatesLeftOut);
    checkReportText(report.existing, 0);
    checkReportText(report.impossible, 0);
    return 0;
}
