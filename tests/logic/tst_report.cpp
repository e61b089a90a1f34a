// What a preview run reports for a list of raw lines.

#include "editor/line_paths.h"
#include "output/creation.h"
#include "output/report.h"
#include "platform/paths.h"

#include <QDir>
#include <QHash>
#include <QTest>

using namespace ramulo;

namespace {
// What the stand-in destination holds; nothing else is there.
Entry standIn(const QString& relative) {
    static const QHash<QString, Entry> held{{"raccourci", Entry::Link},      {"tube", Entry::Other},
                                            {"fichier", Entry::File},        {"existe", Entry::Folder},
                                            {"lien", Entry::FolderLink},     {"écrit", Entry::RespeltFolder},
                                            {"existe/écrit", Entry::Respelt}};
    return held.value(relative, Entry::None);
}

// The destination is the root, holding what "held" says (the window's preview
// test meets folders and files on disk).
PreviewInputs inputs(const NameRules& rules = {}, const NameChain& chain = {},
                     Entry (*held)(const QString& relative) = standIn) {
    return {chain, QString(pathSeparator()),
            [held](const QString& folder, const QStringList& names) {
                std::vector<Entry> entries;
                for (const QString& name : names)
                    entries.push_back(held(QDir::fromNativeSeparators(joinPath(folder, name).mid(1))));
                return entries;
            },
            rules};
}

NameChain tree(int caseMode = 0, int separatorMode = 0) {
    return {{.forbiddenMode = ForbiddenMode::Tree, .separatorMode = SwapMode(separatorMode)}, CaseMode(caseMode)};
}

// A line the third report lists, its name being the line's (as shown).
QString no(const QString& name, const QString& why) {
    return "- " + name + " > " + name + " (" + why + ")";
}

QStringList split(const QString& text) {
    return text.isEmpty() ? QStringList() : text.split('|');
}

constexpr NameRules windowsRules{
    .longestPath = 300, .utf16 = true, .halfPairs = true, .ignoresCase = true, .windowsNames = true};

// The chain, the rules, the lines, their names ("|" between them; "*": not checked), then the
// lines of the three reports.
using Row = std::tuple<NameChain, NameRules, QStringList, QString, QStringList, QStringList, QStringList>;
} // namespace

Q_DECLARE_METATYPE(Row)

class TstReport : public QObject {
    Q_OBJECT
private slots:
    // Each line's name or path in the pane and its place in the three reports.
    // Rules are Linux's ext4 unless said; paths are written with "/".
    void report_data() {
        QTest::addColumn<Row>("row");
        const auto row = [](const char* name, const NameChain& chain, const NameRules& rules, const QStringList& lines,
                            const QString& names, const char* duplicates, const char* existing,
                            const QStringList& impossible) {
            QTest::newRow(name) << Row{chain, rules, lines, names, split(duplicates), split(existing), impossible};
        };
        const NameRules ext4;
        const NameChain flat;
        // clang-format off
        // The same folder from different lines, as the file system compares names; an accent composed or not is one name.
        const QStringList same = split("Dossier|dossier |Dossier |DOSSIER|a|a|Caf\u00e9|Cafe\u0301");
        const QString cafe = "- Cafe\u0301 > Cafe\u0301 (même dossier que la ligne « Caf\u00e9 »)";
        const auto dossier = [](const char* line) {
            return QString("- %1 > %2 (même dossier que la ligne « Dossier »)").arg(line, QString(line).trimmed());
        };
        row("same folder, case kept apart", flat, ext4, same, "Dossier|dossier|Dossier|DOSSIER|a|a|Caf\u00e9|Cafe\u0301", "- a", "",
            {dossier("Dossier "), cafe});
        row("same folder, case ignored", flat, windowsRules, same, "*", "- a", "",
            {dossier("dossier "), dossier("Dossier "), dossier("DOSSIER"), cafe});

        // Characters, lengths and what holds the name. Lengths count bytes of UTF-8 (U+0080 takes 2, U+0800 3, a pair 4)
        // or UTF-16 units. A name of 120 characters, a pair among them, is shown whole.
        const QString u800(86, QChar(0x800)), pairs = QString("😀").repeated(64), nul = QString(118, u'x') + QChar(0) + "😀",
            half = QString("z") + QChar(0xd800), refused = "caractère refusé par le système de fichiers : U+",
            reserved = "nom réservé par le système", long256 = "nom trop long : 256 octets, 255 au plus";
        const QStringList kinds = QStringList{u800, QString(128, QChar(0x80)), pairs, QString(85, QChar(0x800)), nul, half} +
            split("raccourci|tube|a\tb|nul.txt|COM9|lpt1.txt|COM0|COM10|fin.|écrit|Com¹|lpt³.log|conin$|CONOUT$.x|CON .txt|LPT0|COM4a|nul x|a=b");
        const QString link = "- raccourci > raccourci (un lien porte déjà ce nom)",
            other = no("tube", "un élément qui n'est pas un dossier porte déjà ce nom"),
            respelt = no("écrit", "un dossier de même nom, écrit autrement, existe déjà");
        row("ext4", flat, ext4, kinds, "*", "", "",
            {no(u800, "nom trop long : 258 octets, 255 au plus"),
             no(QString(50, QChar(0x80)) + "…(28 caractères omis)…" + QString(50, QChar(0x80)), long256),
             no(pairs, long256), no(nul, refused + "0000"), no(half, refused + "D800"), link, other, respelt});
        row("Windows", flat, windowsRules, kinds, "*", "", "",
            {no(nul, refused + "0000"), link, other, no("a\tb", refused + "0009"), no("nul.txt", reserved), no("COM9", reserved),
             no("lpt1.txt", reserved), no("fin.", "le système retire le point ou l'espace final"), respelt, no("Com¹", reserved),
             no("lpt³.log", reserved), no("conin$", reserved), no("CONOUT$.x", reserved), no("CON .txt", reserved)});
        // The destination "/" and the name: a path of 100 units at most.
        NameRules shortPaths = windowsRules;
        shortPaths.longestPath = 100;
        row("Windows, path too long", flat, shortPaths, {QString(99, u'd'), QString(100, u'e')}, "*", "", "",
            {no(QString(100, u'e'), "chemin trop long : 101 caractères, 100 au plus")});

        // A line as a path of folders: "/", "\" and TABs part the levels; leading TABs follow the line above, as in an outline.
        row("a path a line", tree(), ext4, split("Client A/2025/Factures|Client B\\Devis| xyz // ok |/etc/x|\t\t|a:b*/c?"),
            "Client A/2025/Factures|Client B/Devis|xyz/ok|etc/x|ab/c", "", "", {});
        row("an outline; one raw line under two parents", tree(), ext4, split("Client A|\t2025|\t\tFactures||\tDevis|Client B|\tDevis"),
            "Client A|Client A/2025|Client A/2025/Factures|Client A/Devis|Client B|Client B/Devis", "", "", {});
        // A folder an earlier line made on its way is no fault (the window's test has folders already there).
        row("the same line giving the same path", tree(), ext4, split("A|\tx|\tx|B|\tx|B/x|X/Y|X"), "A|A/x|A/x|B|B/x|B/x|X/Y|X",
            "- \tx", "", {"- B/x > B/x (même dossier que la ligne « \tx »)"});
        const QString tooLong = QString(256, u'l') + "/g";
        row("refusals, level by level", tree(), ext4,
            split("\torphelin|a/../b|./c|fichier/d|raccourci/e|lien/f|" + tooLong + "|h/i|h\\i|tube|écrit/x|existe/écrit|Caf\u00e9/A|Cafe\u0301/B"),
            "orphelin|a/../b|./c|fichier/d|raccourci/e|lien/f|" + tooLong + "|h/i|h/i|tube|écrit/x|existe/écrit|Caf\u00e9/A|Cafe\u0301/B", "", "",
            {"- \torphelin > orphelin (retrait sans dossier parent)", no("a/../b", "« .. » ne peut pas être un dossier"),
             no("./c", "« . » ne peut pas être un dossier"), no("fichier/d", "un fichier porte déjà le nom « fichier »"),
             no("raccourci/e", "un lien porte déjà le nom « raccourci »"), no("lien/f", "un lien porte déjà le nom « lien »"),
             no(QString(50, u'l') + "…(158 caractères omis)…" + QString(48, u'l') + "/g", long256),
             "- h\\i > h/i (même dossier que la ligne « h/i »)", other,
             no("écrit/x", "un dossier du nom « écrit », écrit autrement, existe déjà"),
             no("existe/écrit", "un élément de même nom, écrit autrement, existe déjà"),
             no("Cafe\u0301/B", "même dossier que la ligne « Caf\u00e9/A »")});
        row("a path too long, separators counted", tree(), {.longestPath = 7}, split("abc/de|abc/def"), "*", "", "",
            {"- abc/def > abc/def (chemin trop long : 8 octets, 7 au plus)"});
        row("case ignored: one folder spelt two ways", tree(), windowsRules, split("Client/A|client/B|CLIENT"), "*", "", "",
            {"- client/B > client/B (même dossier que la ligne « Client/A »)", "- CLIENT > CLIENT (même dossier que la ligne « Client/A »)"});
        QStringList many; // more folders made than the first table of them holds
        for (int i = 0; i < 12; ++i)
            many << QString("d%1/x").arg(i);
        row("many folders made, then one spelt otherwise", tree(), windowsRules, many << "D3/X", "*", "", "",
            {"- D3/X > D3/X (même dossier que la ligne « d3/x »)"});
        row("each level trimmed, swapped, trimmed and cased", tree(3, 3), ext4, {"client_a _/_factures"}, "Client A/Factures", "", "", {});
        row("spaces around a separator are layout, not swapped", tree(0, 1), ext4, {" Client A / 2025 "}, "Client_A/2025", "", "", {});
        NameChain affixes = tree();
        affixes.adds.prefixOn = affixes.adds.suffixOn = true;
        affixes.adds.prefix = "2025 - ";
        affixes.adds.suffix = " / Factures";
        row("the prefix joins the first level; the suffix adds a sub-folder", affixes, ext4, split("Client A|Client B|\tDevis"),
            "2025 - Client A/Factures|2025 - Client B/Factures|2025 - Client B/2025 - Devis/Factures", "", "", {});
        row("the other entries make no tree", {{.forbiddenMode = ForbiddenMode::Space}}, ext4, split("Client/2025|\tDevis|\tDevis"),
            "Client 2025|\tDevis|\tDevis", "- \tDevis", "", {});
        // clang-format on
    }

    void report() {
        QFETCH(Row, row);
        const auto& [chain, rules, lines, names, duplicates, existing, impossible] = row;
        // Each path, between " > " and its reason, takes the system's separator.
        const auto native = [](QStringList shown) {
            for (QString& line : shown) {
                const qsizetype path = line.indexOf(" > "), reason = line.indexOf(" (", path),
                                end = reason < 0 ? line.size() : reason;
                line.replace(path, end - path, QDir::toNativeSeparators(line.mid(path, end - path)));
            }
            return shown;
        };
        const PreviewReport r = buildPreview(lines, inputs(rules, chain));
        if (names != "*")
            QCOMPARE(r.names, QDir::toNativeSeparators(names).split('|'));
        QCOMPARE(r.duplicates.lines, native(duplicates));
        QCOMPARE(r.existing.lines, native(existing));
        QCOMPARE(r.impossible.lines, native(impossible));
    }

    // Creation never leaves the destination nor guesses a parent, even for a
    // list that no preview has checked.
    void creationStaysInside() {
        QStringList asked;
        const auto make = [&](const QStringList& levels, qint64&) {
            asked << levels.join('/');
            return std::optional<QString>();
        };
        const auto failure = [&](const QStringList& lines) {
            return createFolders(lines, {tree(), QString(pathSeparator()), make}).failure.value_or(CreationFailure{});
        };
        QCOMPARE(failure({"a", "\t../b"}).fullPath, QDir::toNativeSeparators("/a/../b"));
        QCOMPARE(failure({"\tx"}).reason, QStringLiteral("retrait sans dossier parent"));
        QCOMPARE(asked, QStringList{"a"});
    }

    // Each box lists its first 1000 lines and counts the others.
    void longLists() {
        QStringList lines(1002, "x"); // 501,501 report lines
        for (int i = 0; i < 1003; ++i)
            lines << QString("d%1").arg(i) << QString("n%1").arg(i) + QChar(0);
        const auto folders = [](const QString& name) {
            return name.startsWith('d') ? Entry::Folder : Entry::None;
        };
        const PreviewReport r = buildPreview(lines, inputs({}, {}, folders));
        for (const ReportLines* box : {&r.duplicates, &r.existing, &r.impossible})
            QCOMPARE(box->lines.size(), kReportLimit);
        QCOMPARE(QList({r.duplicates.leftOut, r.existing.leftOut, r.impossible.leftOut}),
                 QList<qint64>({501'501 - 1000, 3, 3}));
        QCOMPARE(r.existing.lines.last(), QStringLiteral("- d999 > d999"));
        QCOMPARE(reportText("T :", {{"- a", "- b"}, 3}), QStringLiteral("T :\r\n- a\r\n- b\r\n… et 3 autres lignes."));
    }
};

QTEST_APPLESS_MAIN(TstReport)
#include "tst_report.moc"
