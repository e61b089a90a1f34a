#include "output/report.h"

#include "editor/line_paths.h"
#include "platform/paths.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace ramulo {

namespace {

QString codePoint(char32_t c) {
    return QStringLiteral("U+%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper();
}

// Names Windows keeps for its devices, in any case, alone or before an
// extension, spaces before the dot included ("nul.txt", "CON .txt"). The
// serial and parallel ports count from 1, in digits or superscripts.
bool isDeviceName(QStringView name) {
    static const std::array<QString, 6> plain{QStringLiteral("CON"),    QStringLiteral("PRN"),
                                              QStringLiteral("AUX"),    QStringLiteral("NUL"),
                                              QStringLiteral("CONIN$"), QStringLiteral("CONOUT$")};
    QString stem = name.toString().section(u'.', 0, 0).toUpper();
    while (stem.endsWith(u' '))
        stem.chop(1);
    if (std::find(plain.begin(), plain.end(), stem) != plain.end())
        return true;
    return stem.size() == 4 &&
           (stem.startsWith(QStringLiteral("COM")) || stem.startsWith(QStringLiteral("LPT"))) &&
           ((stem.at(3) >= u'1' && stem.at(3) <= u'9') ||
            QStringView(u"\u00b9\u00b2\u00b3").contains(stem.at(3)));
}

// The length the file system counts: UTF-16 units, or bytes of UTF-8.
qsizetype systemLength(QStringView text, const NameRules& rules) {
    if (rules.utf16)
        return text.size();
    qsizetype bytes = 0;
    for (const QChar c : text)
        bytes += c.unicode() < 0x80 ? 1 : c.unicode() < 0x800 ? 2 : c.isLowSurrogate() ? 1 : 3;
    return bytes; // a pair counts 3 + 1
}

QString unitOf(const NameRules& rules) {
    return rules.utf16 ? QStringLiteral("caractères") : QStringLiteral("octets");
}

// Why the file system would refuse the name, or make it other than shown.
std::optional<QString> nameRefusal(QStringView name, const NameRules& rules) {
    const qsizetype n = name.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = name.at(i);
        if (c.isHighSurrogate() && i + 1 < n && name.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        // Half a surrogate pair has no form in UTF-8.
        const bool refused = c == u'\0' || c == u'/' || (c.isSurrogate() && !rules.halfPairs) ||
                             (rules.windowsNames && (c.unicode() < 32 || isForbiddenCharacter(c)));
        if (refused)
            return QStringLiteral("caractère refusé par le système de fichiers : ") +
                   codePoint(c.unicode());
    }
    if (rules.windowsNames && (name.endsWith(u'.') || name.endsWith(u' ')))
        return QStringLiteral("le système retire le point ou l'espace final");
    if (rules.windowsNames && isDeviceName(name))
        return QStringLiteral("nom réservé par le système");
    if (const qsizetype length = systemLength(name, rules); length > rules.longestName)
        return QStringLiteral("nom trop long : %1 %2, %3 au plus")
            .arg(QString::number(length), unitOf(rules), QString::number(rules.longestName));
    return std::nullopt;
}

// What holds the name of the path's last level, or of an upper one.
std::optional<QString> takenBy(Entry entry, const QString& upper = {}) {
    const QString what = upper.isEmpty() ? QStringLiteral("ce nom")
                                         : QStringLiteral("le nom « %1 »").arg(shownCut(upper));
    switch (entry) {
    case Entry::File:
        return QStringLiteral("un fichier porte déjà ") + what;
    case Entry::Link:
    case Entry::FolderLink: // only an upper level gets here
        return QStringLiteral("un lien porte déjà ") + what;
    case Entry::Other:
        return QStringLiteral("un élément qui n'est pas un dossier porte déjà ") + what;
    case Entry::Respelt:
    case Entry::RespeltFolder:
        return (entry == Entry::Respelt ? QStringLiteral("un élément")
                                        : QStringLiteral("un dossier")) +
               (upper.isEmpty() ? QStringLiteral(" de même nom")
                                : QStringLiteral(" du nom « %1 »").arg(shownCut(upper))) +
               QStringLiteral(", écrit autrement, existe déjà");
    case Entry::None:
    case Entry::Folder:
        break;
    }
    return std::nullopt;
}

// Why the file system would refuse the path: in a tree each level is a name;
// then the length of the whole, after the destination's `folderLength`.
std::optional<QString> pathRefusal(const QString& path, bool trees, qsizetype folderLength,
                                   const NameRules& rules) {
    std::optional<QString> why;
    if (!trees)
        why = nameRefusal(path, rules);
    else
        for (const QStringView level : qTokenize(path, pathSeparator())) {
            if ((why = nameRefusal(level, rules)))
                return why;
        }
    if (const qsizetype length = folderLength + systemLength(path, rules);
        !why && length > rules.longestPath)
        why = QStringLiteral("chemin trop long : %1 %2, %3 au plus")
                  .arg(QString::number(length), unitOf(rules), QString::number(rules.longestPath));
    return why;
}

// Whether `upper` is an upper level of `path`.
bool holds(const QString& path, QStringView upper) {
    return path.size() > upper.size() && path.at(upper.size()) == pathSeparator() &&
           QStringView(path).startsWith(upper);
}

enum LineKind : std::uint8_t { Named = 1, Blank = 2, Faulty = 4 };

// The first line that makes a folder, whole or on the way to a deeper one,
// and how it spells it.
struct Made {
    qsizetype line = 0;
    bool whole = false;
    QString spelling;
};

} // namespace

PreviewReport buildPreview(const QStringList& lines, const PreviewInputs& inputs) {
    PreviewReport report;
    const bool trees = inputs.chain.makesTrees();
    const NameRules& rules = inputs.rules;

    // The paths first, then what the destination holds of them and of their
    // upper levels, asked at once. A faulty path is not asked: nothing
    // outside the destination is looked at.
    std::vector<std::uint8_t> kinds(static_cast<std::size_t>(lines.size()));
    QHash<qsizetype, QString> faults; // by line
    report.names.reserve(lines.size());
    QStringList asked;
    QStringList uppers;
    QHash<QString, qsizetype> upperPlace; // an upper level's path -> 1 + its place in uppers
    QString lastAsked;
    LineReader reader(inputs.chain);
    for (qsizetype index = 0; index < lines.size(); ++index) {
        LinePath line = reader.next(lines.at(index));
        std::uint8_t kind = line.blank ? Blank : 0;
        if (!line.path.isEmpty()) {
            kind |= Named;
            if (line.fault) {
                kind |= Faulty;
                faults.insert(index, *line.fault);
            } else {
                asked.append(line.path);
                for (const qsizetype end : upperLevelEnds(line.path)) {
                    const QStringView upper = QStringView(line.path).first(end);
                    if (holds(lastAsked, upper))
                        continue;
                    if (qsizetype& place = upperPlace[upper.toString()]; place == 0) {
                        uppers.append(upper.toString());
                        place = uppers.size();
                    }
                }
                lastAsked = line.path;
            }
            report.names.append(std::move(line.path));
        }
        kinds[static_cast<std::size_t>(index)] = kind;
    }
    report.count = report.names.size();
    const qsizetype ownAsked = asked.size();
    asked.append(uppers);
    const std::vector<Entry> entries = inputs.entriesIn(inputs.destination, asked);
    asked.clear();
    // A path's length is the destination's and the name's.
    const qsizetype folderLength = systemLength(joinPath(inputs.destination, {}), rules);

    // How many earlier lines equal each non-blank raw line, giving the same
    // path in a tree: one report line each. Only leading TABs make a line's
    // path depend on the lines above it.
    QHash<QString, qint64> seen;
    seen.reserve(lines.size());
    QHash<std::pair<QString, QString>, qint64> seenUnder;
    QHash<QString, Made> made; // by the path as the file system compares names
    made.reserve(lines.size());
    // Composed and decomposed accents are one name to the user, and to macOS.
    const auto keyOf = [&](const QString& path) {
        return (rules.ignoresCase ? path.toCaseFolded() : path)
            .normalized(QString::NormalizationForm_C);
    };
    const auto sameAs = [&](const Made& first) {
        return QStringLiteral("même dossier que la ligne « %1 »")
            .arg(shownCut(lines.at(first.line)));
    };
    QString lastMade;
    qsizetype next = 0;    // the next name's place in report.names
    qsizetype nextAsk = 0; // and in entries
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const QString& raw = lines.at(index);
        const std::uint8_t kind = kinds[static_cast<std::size_t>(index)];
        const QString name = (kind & Named) ? report.names.at(next++) : QString();
        const Entry entry = (kind & Named) && !(kind & Faulty)
                                ? entries[static_cast<std::size_t>(nextAsk++)]
                                : Entry::None;
        const auto line = [&](const QString& after = {}) {
            return QStringLiteral("- ") + shownCut(raw) + QStringLiteral(" > ") + shownCut(name) +
                   after;
        };
        if (isFolder(entry))
            report.existing.add(line);
        qint64 earlier = 0;
        if (!(kind & Blank)) {
            qint64& count = trees && raw.startsWith(u'\t') ? seenUnder[{raw, name}] : seen[raw];
            earlier = count++;
            report.duplicates.add([&] { return QStringLiteral("- ") + shownCut(raw); }, earlier);
        }

        if (!(kind & Named) || isFolder(entry) || earlier > 0)
            continue;
        std::optional<QString> why =
            (kind & Faulty) ? faults.value(index) : pathRefusal(name, trees, folderLength, rules);
        // Upper levels that the last line made holds passed these checks with it.
        const std::vector<qsizetype> ends = upperLevelEnds(name);
        for (const qsizetype end : ends) {
            if (why)
                break;
            if (holds(lastMade, QStringView(name).first(end)))
                continue;
            const QString upper = name.first(end);
            why = takenBy(entries[static_cast<std::size_t>(ownAsked + upperPlace.value(upper) - 1)],
                          upper);
            // One folder is not spelt two ways.
            if (const auto first = made.constFind(keyOf(upper));
                !why && first != made.cend() && first->spelling != upper)
                why = sameAs(*first);
        }
        if (!why)
            why = takenBy(entry);
        if (!why) {
            // Two lines may not make one folder.
            const QString key = keyOf(name);
            if (const auto first = made.constFind(key);
                first != made.cend() && (first->whole || first->spelling != name))
                why = sameAs(*first);
            else
                made.insert(key, {index, true, name});
        }
        if (!why) {
            for (const qsizetype end : ends)
                if (const QString upper = name.first(end); !holds(lastMade, upper))
                    if (const QString key = keyOf(upper); !made.contains(key))
                        made.insert(key, {index, false, upper});
            lastMade = name;
            continue;
        }
        report.impossible.add([&] { return line(QStringLiteral(" (") + *why + u')'); });
    }
    return report;
}

QString reportText(const QString& heading, const ReportLines& report) {
    QString text = heading + QStringLiteral("\r\n") + report.lines.join(QStringLiteral("\r\n"));
    if (report.leftOut > 0)
        text += QStringLiteral("\r\n… et %1 autres lignes.").arg(report.leftOut);
    return text;
}

} // namespace ramulo
