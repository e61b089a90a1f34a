#include "output/report.h"

#include "platform/paths.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <optional>

namespace ramulo {

namespace {

QString codePoint(char32_t c) {
    return QStringLiteral("U+%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper();
}

// Names Windows keeps for its devices, alone or before an extension.
bool isDeviceName(const QString& name) {
    static const std::array<QString, 4> plain{QStringLiteral("CON"), QStringLiteral("PRN"),
                                              QStringLiteral("AUX"), QStringLiteral("NUL")};
    QString stem = name.section(u'.', 0, 0).toUpper();
    while (stem.endsWith(u' '))
        stem.chop(1);
    if (std::find(plain.begin(), plain.end(), stem) != plain.end())
        return true;
    return stem.size() == 4 &&
           (stem.startsWith(QStringLiteral("COM")) || stem.startsWith(QStringLiteral("LPT"))) &&
           stem.at(3) >= u'1' && stem.at(3) <= u'9';
}

// The length the file system counts: UTF-16 units, or bytes of UTF-8.
qsizetype systemLength(const QString& text, const NameRules& rules) {
    if (rules.utf16)
        return text.size();
    qsizetype bytes = 0;
    for (const QChar c : text)
        bytes += c.unicode() < 0x80 ? 1 : c.unicode() < 0x800 ? 2 : c.isLowSurrogate() ? 1 : 3;
    return bytes; // a pair counts 3 + 1
}

// Why the file system would refuse the name, or make it other than shown.
std::optional<QString> refusal(const QString& name, qsizetype pathLength, const NameRules& rules) {
    const qsizetype n = name.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = name.at(i);
        if (c.isHighSurrogate() && i + 1 < n && name.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        // Half a surrogate pair has no form in UTF-8.
        const bool refused =
            c == u'\0' || c == u'/' || (c.isSurrogate() && !rules.utf16) ||
            (rules.windowsNames && (c.unicode() < 32 || QStringView(u"\\:*?\"<>|").contains(c)));
        if (refused)
            return QStringLiteral("caractère refusé par le système de fichiers : ") +
                   codePoint(c.unicode());
    }
    if (rules.windowsNames && (name.endsWith(u'.') || name.endsWith(u' ')))
        return QStringLiteral("le système retire le point ou l'espace final");
    if (rules.windowsNames && isDeviceName(name))
        return QStringLiteral("nom réservé par le système");
    const QString unit = rules.utf16 ? QStringLiteral("caractères") : QStringLiteral("octets");
    if (const qsizetype length = systemLength(name, rules); length > rules.longestName)
        return QStringLiteral("nom trop long : %1 %2, %3 au plus")
            .arg(QString::number(length), unit, QString::number(rules.longestName));
    if (pathLength > rules.longestPath)
        return QStringLiteral("chemin trop long : %1 %2, %3 au plus")
            .arg(QString::number(pathLength), unit, QString::number(rules.longestPath));
    return std::nullopt;
}

std::optional<QString> takenBy(Entry entry) {
    switch (entry) {
    case Entry::File:
        return QStringLiteral("un fichier porte déjà ce nom");
    case Entry::Link:
        return QStringLiteral("un lien porte déjà ce nom");
    case Entry::Other:
        return QStringLiteral("un élément qui n'est pas un dossier porte déjà ce nom");
    case Entry::None:
    case Entry::Folder:
        break;
    }
    return std::nullopt;
}

} // namespace

PreviewReport buildPreview(const QStringList& lines, const PreviewInputs& inputs) {
    PreviewReport report;
    // The names first, then what the destination holds of them, asked at once.
    std::vector<bool> named(static_cast<std::size_t>(lines.size()));
    report.names.reserve(lines.size());
    for (qsizetype index = 0; index < lines.size(); ++index) {
        QString name = inputs.folderName(lines.at(index));
        named[static_cast<std::size_t>(index)] = !name.isEmpty();
        if (!name.isEmpty())
            report.names.append(std::move(name));
    }
    report.count = report.names.size();
    const std::vector<Entry> entries = inputs.entriesIn(inputs.destination, report.names);
    // A path's length is the destination's and the name's.
    const qsizetype folderLength = systemLength(joinPath(inputs.destination, {}), inputs.rules);

    // How many earlier lines equal each non-empty raw line: one report line each.
    QHash<QString, qint64> seen;
    seen.reserve(lines.size());
    // The first raw line that makes each folder, as the file system compares names.
    QHash<QString, qsizetype> made;
    made.reserve(lines.size());
    qsizetype next = 0; // the next name's place in report.names
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const QString& raw = lines.at(index);
        const bool hasName = named[static_cast<std::size_t>(index)];
        const QString name = hasName ? report.names.at(next) : QString();
        const auto entry = hasName ? entries[static_cast<std::size_t>(next++)] : Entry::None;
        if (entry == Entry::Folder)
            report.existing.append(QStringLiteral("- ") + shownCut(raw) + QStringLiteral(" > ") +
                                   shownCut(name));
        qint64 earlier = 0;
        if (!raw.isEmpty()) {
            qint64& count = seen[raw];
            earlier = count++;
            const qint64 room = kDuplicateReportLimit - report.duplicates.size();
            const qint64 listed = std::min(earlier, room);
            if (listed > 0) {
                const QString line = QStringLiteral("- ") + shownCut(raw);
                for (qint64 k = 0; k < listed; ++k)
                    report.duplicates.append(line);
            }
            report.duplicatesLeftOut += earlier - listed;
        }

        if (!hasName || entry == Entry::Folder || earlier > 0)
            continue;
        std::optional<QString> why =
            refusal(name, folderLength + systemLength(name, inputs.rules), inputs.rules);
        if (!why)
            why = takenBy(entry);
        if (!why) {
            const QString key = inputs.rules.ignoresCase ? name.toCaseFolded() : name;
            const auto first = made.constFind(key);
            if (first == made.cend())
                made.insert(key, index);
            else
                why = QStringLiteral("même dossier que la ligne « %1 »")
                          .arg(shownCut(lines.at(*first)));
        }
        if (why)
            report.impossible.append(QStringLiteral("- ") + shownCut(raw) + QStringLiteral(" > ") +
                                     shownCut(name) + QStringLiteral(" (") + *why + u')');
    }
    return report;
}

QString reportText(const QString& heading, const QStringList& lines, qint64 leftOut) {
    QString text = heading + QStringLiteral("\r\n") + lines.join(QStringLiteral("\r\n"));
    if (leftOut > 0)
        text += QStringLiteral("\r\n… et %1 autres lignes.").arg(leftOut);
    return text;
}

} // namespace ramulo
