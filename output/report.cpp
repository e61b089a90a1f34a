#include "output/report.h"

#include "editor/line_paths.h"
#include "editor/namelist.h"
#include "editor/place_table.h"
#include "platform/paths.h"
#include "platform/slices.h"

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

// Why the file system would refuse the name, or make it other than shown;
// `length` is the name's as the file system counts it.
std::optional<QString> nameRefusal(QStringView name, qsizetype length, const NameRules& rules) {
    const qsizetype n = name.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = name.at(i);
        // Past ASCII, only half a surrogate pair may be refused.
        if (c.unicode() >= 0x80 && !c.isSurrogate())
            continue;
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
    if (length > rules.longestName)
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
    const qsizetype length = systemLength(path, rules);
    if (!trees) {
        if (auto why = nameRefusal(path, length, rules))
            return why;
    } else {
        for (const QStringView level : qTokenize(path, pathSeparator()))
            if (auto why = nameRefusal(level, systemLength(level, rules), rules))
                return why;
    }
    if (folderLength + length > rules.longestPath)
        return QStringLiteral("chemin trop long : %1 %2, %3 au plus")
            .arg(QString::number(folderLength + length), unitOf(rules),
                 QString::number(rules.longestPath));
    return std::nullopt;
}

// Whether `upper` is an upper level of `path`.
bool holds(const QString& path, QStringView upper) {
    return path.size() > upper.size() && path.at(upper.size()) == pathSeparator() &&
           QStringView(path).startsWith(upper);
}

// The first line that makes a folder, whole or on the way to a deeper one;
// it spells the folder as the first `length` characters of its path.
struct Made {
    qint32 line = 0;
    qint32 length = 0;
    bool whole = false;
};

// What the first pass learns of a line, and what the destination holds at its path.
struct LineFacts {
    qint32 name = -1; // its place in the report's names; -1: it gives no folder
    bool blank = false;
    bool faulty = false;
    Entry entry = Entry::None; // never asked for a faulty path
};

// Builds the report in three steps: every line's path, what the destination
// holds of them all (asked at once), then the three reports, line by line.
class PreviewBuilder {
public:
    PreviewBuilder(const QStringList& lines, const std::vector<qint32>& earlier,
                   const PreviewInputs& inputs)
        : m_lines(lines), m_earlier(earlier), m_inputs(inputs), m_trees(inputs.chain.makesTrees()),
          m_folderLength(systemLength(joinPath(inputs.destination, {}), inputs.rules)),
          m_facts(static_cast<std::size_t>(lines.size())), m_madeKeys(lines.size()) {
        m_made.reserve(static_cast<std::size_t>(lines.size()));
    }

    PreviewReport build() {
        readPaths();
        lookUp();
        for (qsizetype index = 0; index < m_lines.size(); ++index) {
            readyMadeSlot(index + kAhead);
            reportLine(index);
        }
        return std::move(m_report);
    }

private:
    LineFacts& facts(qsizetype index) { return m_facts[static_cast<std::size_t>(index)]; }

    // The paths of the lines; a faulty path is not asked about: nothing
    // outside the destination is looked at. Of the upper levels, those that
    // the path asked just before holds are asked with it.
    void readPaths() {
        // A flat name depends on its own line alone: long lists are shared
        // among threads. The names are then moved up over the lines that give none.
        QStringList& names = m_report.names;
        if (!m_trees) {
            names.resize(m_lines.size());
            QString* const made = names.data();
            inSlices(m_lines.size(), [&](qsizetype begin, qsizetype end) {
                for (qsizetype index = begin; index < end; ++index)
                    made[index] = m_inputs.chain(m_lines.at(index));
            });
        } else {
            names.reserve(m_lines.size());
        }
        LineReader reader(m_inputs.chain);
        QString lastAsked;
        qint32 count = 0;
        for (qsizetype index = 0; index < m_lines.size(); ++index) {
            LinePath line = m_trees ? reader.next(m_lines.at(index))
                                    : LineReader::flat(m_lines.at(index), std::move(names[index]));
            LineFacts& fact = facts(index);
            fact.blank = line.blank;
            if (line.path.isEmpty())
                continue;
            fact.name = count++;
            if (line.fault) {
                fact.faulty = true;
                m_faults.insert(index, *line.fault);
            } else {
                for (const qsizetype end : upperLevels(line.path)) {
                    const QStringView upper = QStringView(line.path).first(end);
                    if (!holds(lastAsked, upper) && !m_upperEntries.contains(upper.toString())) {
                        m_upperEntries.insert(upper.toString(), Entry::None);
                        m_uppers.append(upper.toString());
                    }
                }
                lastAsked = line.path;
            }
            if (m_trees)
                names.append(std::move(line.path));
            else
                names[fact.name] = std::move(line.path);
        }
        names.resize(count);
        m_report.count = m_report.names.size();
        // Whether the file system takes each path depends on the path alone.
        m_refused.resize(std::size_t(m_report.count));
        inSlices(m_report.count, [&](qsizetype begin, qsizetype end) {
            for (qsizetype i = begin; i < end; ++i)
                m_refused[std::size_t(i)] =
                    pathRefusal(m_report.names.at(i), m_trees, m_folderLength, m_inputs.rules)
                        .has_value();
        });
    }

    // What the destination holds of every path and upper level, asked at once.
    void lookUp() {
        QStringList asked; // the faultless paths, in order, then the upper levels
        if (m_faults.isEmpty())
            asked = m_report.names;
        else
            for (const LineFacts& fact : m_facts)
                if (fact.name >= 0 && !fact.faulty)
                    asked.append(m_report.names.at(fact.name));
        asked.append(m_uppers);
        const std::vector<Entry> entries = m_inputs.entriesIn(m_inputs.destination, asked);
        auto entry = entries.cbegin();
        for (LineFacts& fact : m_facts)
            if (fact.name >= 0 && !fact.faulty)
                fact.entry = *entry++;
        for (const QString& upper : std::as_const(m_uppers))
            m_upperEntries[upper] = *entry++;
        m_uppers = {};
    }

    // The line's place in the three reports: existing, duplicate, or else
    // impossible when a reason keeps its folder from being made.
    void reportLine(qsizetype index) {
        const QString& raw = m_lines.at(index);
        const LineFacts& fact = facts(index);
        const QString name = fact.name >= 0 ? m_report.names.at(fact.name) : QString();
        const auto line = [&](const QString& after = {}) {
            return QStringLiteral("- ") + shownCut(raw) + QStringLiteral(" > ") + shownCut(name) +
                   after;
        };
        if (isFolder(fact.entry))
            m_report.existing.add(line);
        qint64 earlier = 0;
        if (!fact.blank) {
            earlier = earlierCopies(index, raw, name);
            m_report.duplicates.add([&] { return QStringLiteral("- ") + shownCut(raw); }, earlier);
        }
        if (fact.name < 0 || isFolder(fact.entry) || earlier > 0)
            return;
        if (const std::optional<QString> why = refusal(index, name, fact))
            m_report.impossible.add([&] { return line(QStringLiteral(" (") + *why + u')'); });
    }

    // How many earlier lines equal a non-blank raw line, giving the same path
    // in a tree: only leading TABs make a line's path depend on the lines above it.
    qint64 earlierCopies(qsizetype index, const QString& raw, const QString& name) {
        if (m_trees && raw.startsWith(u'\t'))
            return m_seenUnder[{raw, name}]++;
        return m_earlier[std::size_t(index)];
    }

    // Why the line's folder cannot be made as shown; when it can, its folder
    // and the upper levels it makes on its way are noted as made.
    std::optional<QString> refusal(qsizetype index, const QString& name, const LineFacts& fact) {
        const NameRules& rules = m_inputs.rules;
        std::optional<QString> why = fact.faulty ? m_faults.value(index)
                                     : m_refused[std::size_t(fact.name)]
                                         ? pathRefusal(name, m_trees, m_folderLength, rules)
                                         : std::nullopt;
        // Upper levels that the last line made holds passed these checks with it.
        const std::vector<qsizetype> ends = upperLevels(name);
        for (const qsizetype end : ends) {
            if (why)
                return why;
            if (holds(m_lastMade, QStringView(name).first(end)))
                continue;
            const QString upper = name.first(end);
            why = takenBy(m_upperEntries.value(upper), upper);
            // One folder is not spelt two ways.
            if (const Made* first = madeAs(upper); !why && first && spelling(*first) != upper)
                why = sameAs(*first);
        }
        if (!why)
            why = takenBy(fact.entry);
        if (!why) {
            // Two lines may not make one folder.
            const auto [first, added] = noteMade({qint32(index), qint32(name.size()), true});
            if (!added && (first.whole || spelling(first) != name))
                why = sameAs(first);
            else
                first = {qint32(index), qint32(name.size()), true};
        }
        if (why)
            return why;
        for (const qsizetype end : ends)
            if (!holds(m_lastMade, QStringView(name).first(end)))
                noteMade({qint32(index), qint32(end), false});
        m_lastMade = name;
        return std::nullopt;
    }

    // Where the path's upper levels end: a flat name has none, whatever it holds.
    std::vector<qsizetype> upperLevels(const QString& path) const {
        return m_trees ? upperLevelEnds(path) : std::vector<qsizetype>();
    }

    // A flat line's folder is looked for among those made a few lines later:
    // its slot is fetched meanwhile, when the name is its own key.
    static constexpr qsizetype kAhead = 8;
    void readyMadeSlot(qsizetype index) {
        if (m_trees || index >= m_lines.size())
            return;
        if (const qint32 name = facts(index).name; name >= 0 && isOwnKey(m_report.names.at(name)))
            m_madeKeys.prefetch(m_report.names.at(name));
    }

    // Whether the folder's key is its spelling: where case counts, and the
    // text is composed already.
    bool isOwnKey(QStringView path) const {
        return !m_inputs.rules.ignoresCase && plainlyComposed(path);
    }

    // How the line spells the folder it made.
    QStringView spelling(const Made& made) const {
        return QStringView(m_report.names.at(m_facts[std::size_t(made.line)].name))
            .first(made.length);
    }

    // The folder as the file system compares names: composed and decomposed
    // accents are one name to the user, and to macOS. It is the spelling
    // itself when nothing changes it, else it is written into `scratch`.
    QStringView keyOf(QStringView path, QString& scratch) const {
        if (isOwnKey(path))
            return path;
        const bool ignoresCase = m_inputs.rules.ignoresCase;
        // ASCII folds by itself.
        const bool plain = ignoresCase && std::all_of(path.begin(), path.end(),
                                                      [](QChar c) { return c.unicode() < 0x80; });
        scratch.resize(path.size());
        if (plain)
            std::transform(path.begin(), path.end(), scratch.begin(),
                           [](QChar c) { return c.toLower(); });
        else
            scratch = (ignoresCase ? path.toString().toCaseFolded() : path.toString())
                          .normalized(QString::NormalizationForm_C);
        return scratch;
    }

    const Made* madeAs(QStringView path) {
        const qint32 place = m_madeKeys.find(keyOf(path, m_key), m_madeKeyOf);
        return place < 0 ? nullptr : &m_made[std::size_t(place)];
    }

    // The folder noted as made by `made`, unless a line made it before: the
    // first line that made it, and whether `made` was noted.
    std::pair<Made&, bool> noteMade(const Made& made) {
        m_made.push_back(made);
        const auto [place, added] =
            m_madeKeys.insert(keyOf(spelling(made), m_key), qint32(m_made.size() - 1), m_madeKeyOf);
        if (!added)
            m_made.pop_back();
        return {m_made[std::size_t(place)], added};
    }

    QString sameAs(const Made& first) const {
        return QStringLiteral("même dossier que la ligne « %1 »")
            .arg(shownCut(m_lines.at(first.line)));
    }

    const QStringList& m_lines;
    const std::vector<qint32>& m_earlier; // by line: the copies of its text above it
    const PreviewInputs& m_inputs;
    const bool m_trees;
    const qsizetype m_folderLength; // a path's length is the destination's and the name's
    PreviewReport m_report;
    std::vector<LineFacts> m_facts;       // by line
    std::vector<char> m_refused;          // by name: the file system refuses the path
    QHash<qsizetype, QString> m_faults;   // by line
    QStringList m_uppers;                 // the upper levels of the faultless paths, each once
    QHash<QString, Entry> m_upperEntries; // what the destination holds of each upper level
    QHash<std::pair<QString, QString>, qint64> m_seenUnder;
    // The folders that lines make, found by their paths as the file system compares names.
    std::vector<Made> m_made;
    PlaceTable m_madeKeys;
    QString m_key, m_madeKey; // the keys being compared, when not the spelling itself
    std::function<QStringView(qint32)> m_madeKeyOf = [this](qint32 place) {
        return keyOf(spelling(m_made[std::size_t(place)]), m_madeKey);
    };
    QString m_lastMade;
};

} // namespace

PreviewReport buildPreview(const QStringList& lines, const std::vector<qint32>& earlier,
                           const PreviewInputs& inputs) {
    return PreviewBuilder(lines, earlier, inputs).build();
}

PreviewReport buildPreview(const QStringList& lines, const PreviewInputs& inputs) {
    return buildPreview(lines, earlierCopies(lines), inputs);
}

QString reportText(const QString& heading, const ReportLines& report) {
    QString text = heading + QStringLiteral("\r\n") + report.lines.join(QStringLiteral("\r\n"));
    if (report.leftOut > 0)
        text += QStringLiteral("\r\n… et %1 autres lignes.").arg(report.leftOut);
    return text;
}

} // namespace ramulo
