// What a preview run reports for a list of raw lines.

#include "editor/line_paths.h"
#include "output/creation.h"
#include "output/report.h"
#include "platform/paths.h"

#include <QDir>
#include <QHash>
#include <QTest>

using namespace ramulo;

Q_DECLARE_METATYPE(ramulo::NameRules)
Q_DECLARE_METATYPE(ramulo::NameChain)

namespace {
// What the stand-in destination holds; nothing else is there.
Entry standIn(const QString& relative) {
    static const QHash<QString, Entry> held{
        {"raccourci", Entry::Link},      {"tube", Entry::Other},
        {"fichier", Entry::File},        {"existe", Entry::Folder},
        {"existe/sous", Entry::Folder},  {"lien", Entry::FolderLink},
        {"écrit", Entry::RespeltFolder}, {"existe/écrit", Entry::Respelt}};
    return held.value(relative, Entry::None);
}

// The window's chain at its start-up settings trims spaces, so that different
// raw lines can give the same name. The destination is the root, holding what
// "held" says (the window's preview test meets folders and files on disk).
PreviewInputs inputs(const NameRules& rules = {}, const NameChain& chain = {},
                     Entry (*held)(const QString& relative) = standIn) {
    return {chain, QString(pathSeparator()),
            [held](const QString& folder, const QStringList& names) {
                std::vector<Entry> entries;
                for (const QString& name : names)
                    entries.push_back(
                        held(QDir::fromNativeSeparators(joinPath(folder, name).mid(1))));
                return entries;
            },
            rules};
}

NameChain tree(int caseMode = 0, int separatorMode = 0) {
    return {{.forbiddenMode = ForbiddenMode::Tree, .separatorMode = SwapMode(separatorMode)},
            CaseMode(caseMode)};
}

// A line the third report lists, its name being the line's (as shown).
QString no(const QString& name, const QString& why) {
    return "- " + name + " > " + name + " (" + why + ")";
}

constexpr NameRules windowsRules{.longestPath = 300,
                                 .utf16 = true,
                                 .halfPairs = true,
                                 .ignoresCase = true,
                                 .windowsNames = true};
} // namespace

class TstReport : public QObject {
    Q_OBJECT
private slots:
    void report_data() {
        QTest::addColumn<NameRules>("rules");   // the file system's: Linux's ext4 by default
        QTest::addColumn<QStringList>("lines"); // each gives its name, trimmed
        QTest::addColumn<QStringList>("duplicates");
        QTest::addColumn<QStringList>("impossible"); // no name here has a folder
        const QStringList none;
        // The same folder from different raw lines, as the file system compares
        // names; an accent composed or not is the same name everywhere.
        const QStringList same{"Dossier", "dossier ", "Dossier ",  "DOSSIER",
                               "a",       "a",        "Caf\u00e9", "Cafe\u0301"};
        const QString cafe = "- Cafe\u0301 > Cafe\u0301 (même dossier que la ligne « Caf\u00e9 »)";
        QTest::newRow("same folder, case kept apart")
            << NameRules{} << same << QStringList{"- a"}
            << QStringList{"- Dossier  > Dossier (même dossier que la ligne « Dossier »)", cafe};
        QTest::newRow("same folder, case ignored")
            << windowsRules << same << QStringList{"- a"}
            << QStringList{"- dossier  > dossier (même dossier que la ligne « Dossier »)",
                           "- Dossier  > Dossier (même dossier que la ligne « Dossier »)",
                           "- DOSSIER > DOSSIER (même dossier que la ligne « Dossier »)", cafe};

        // Characters, lengths and what already holds the name. Names are counted
        // in bytes of UTF-8 (U+0080 takes 2, U+0800 3, a pair 4), or in UTF-16 units.
        const QString u800(86, QChar(0x800)), u80(128, QChar(0x80)),
            pairs = QString("😀").repeated(64), nul = QString("x") + QChar(0) + "y",
            half = QString("z") + QChar(0xd800),
            refused = "caractère refusé par le système de fichiers : U+";
        const QStringList kinds{u800,       u80,        pairs,       QString(85, QChar(0x800)),
                                nul,        half,       "raccourci", "tube",
                                "a\tb",     "nul.txt",  "COM9",      "lpt1.txt",
                                "COM0",     "COM10",    "fin.",      "écrit",
                                "Com¹",     "lpt³.log", "conin$",    "CONOUT$.x",
                                "CON .txt", "LPT0",     "COM4a",     "nul x",
                                "a=b"};
        const QString link = "- raccourci > raccourci (un lien porte déjà ce nom)",
                      other =
                          "- tube > tube (un élément qui n'est pas un dossier porte déjà ce nom)",
                      respelt = "un dossier de même nom, écrit autrement, existe déjà",
                      reserved = "nom réservé par le système";
        // clang-format off
        QTest::newRow("ext4") << NameRules{} << kinds << none << QStringList{
            no(u800, "nom trop long : 258 octets, 255 au plus"),
            no(QString(50, QChar(0x80)) + "…(28 caractères omis)…" + QString(50, QChar(0x80)),
               "nom trop long : 256 octets, 255 au plus"),
            no(pairs, "nom trop long : 256 octets, 255 au plus"),
            no(nul, refused + "0000"), no(half, refused + "D800"), link, other, no("écrit", respelt)};
        QTest::newRow("Windows") << windowsRules << kinds << none << QStringList{
            no(nul, refused + "0000"), link, other, no("a\tb", refused + "0009"),
            no("nul.txt", reserved), no("COM9", reserved), no("lpt1.txt", reserved),
            no("fin.", "le système retire le point ou l'espace final"), no("écrit", respelt),
            no("Com¹", reserved), no("lpt³.log", reserved), no("conin$", reserved),
            no("CONOUT$.x", reserved), no("CON .txt", reserved)};
        // clang-format on
        // The destination "/" and the name: a path of 100 units at most.
        NameRules shortPaths = windowsRules;
        shortPaths.longestPath = 100;
        QTest::newRow("Windows, path too long")
            << shortPaths << QStringList{QString(99, u'd'), QString(100, u'e')} << none
            << QStringList{
                   no(QString(100, u'e'), "chemin trop long : 101 caractères, 100 au plus")};
    }

    void report() {
        QFETCH(NameRules, rules);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, duplicates);
        QFETCH(QStringList, impossible);

        const PreviewReport r = buildPreview(lines, inputs(rules)); // the names are the fuzzer's
        QCOMPARE(r.duplicates.lines, duplicates);
        QCOMPARE(r.impossible.lines, impossible);
    }

    // A line as a path: its three forms, what each report says of it, and how
    // many folders creation makes of a clean list, level by level.
    void trees_data() {
        QTest::addColumn<NameChain>("chain");
        QTest::addColumn<NameRules>("rules");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("names"); // the pane
        QTest::addColumn<QStringList>("duplicates");
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QStringList>("impossible");
        // Lists written as one text, "|" between lines.
        const auto row = [](const char* name, const NameChain& chain, const NameRules& rules,
                            const char* lines, const char* names, const char* duplicates,
                            const char* existing, const QStringList& impossible) {
            const auto split = [](const char* text) {
                return *text ? QString(text).split('|') : QStringList();
            };
            QTest::newRow(name) << chain << rules << split(lines) << split(names)
                                << split(duplicates) << split(existing) << impossible;
        };
        const NameRules linux;
        row("a path a line", tree(), linux,
            "Client A/2025/Factures|Client B\\Devis| xyz // ok |/etc/x|\t\t|a:b*/c?",
            "Client A/2025/Factures|Client B/Devis|xyz/ok|etc/x|ab/c", "", "", {});
        row("an outline; one raw line under two parents", tree(), linux,
            "Client A|\t2025|\t\tFactures||\tDevis|Client B|\tDevis",
            "Client A|Client A/2025|Client A/2025/Factures|Client A/Devis|Client B|Client B/Devis",
            "", "", {});
        row("spreadsheet rows, repeated cells blank", tree(), linux,
            "Client A\t2025\tFactures|\t\tDevis|\t2026\tFactures|Client B\t\tDevis|\t \t",
            "Client A/2025/Factures|Client A/2025/Devis|Client A/2026/Factures|Client B/Devis", "",
            "", {});
        row("the same line giving the same path", tree(), linux, "A|\tx|\tx|B|\tx|B/x",
            "A|A/x|A/x|B|B/x|B/x", "- \tx", "",
            {"- B/x > B/x (même dossier que la ligne « \tx »)"});
        // Upper levels that are there are used; a last level that is there is
        // reported, unless an earlier line made it on its way.
        row("existing levels", tree(), linux, "existe/neuf|existe/sous|existe|X/Y|X",
            "existe/neuf|existe/sous|existe|X/Y|X", "",
            "- existe/sous > existe/sous|- existe > existe", {});
        const QString tooLong = QString(256, u'l') + "/g";
        row("refusals, level by level", tree(), linux,
            qUtf8Printable("\torphelin|a/../b|./c|fichier/d|raccourci/e|lien/f|" + tooLong +
                           "|h/i|h\\i|tube|écrit/x|existe/écrit|Caf\u00e9/A|Cafe\u0301/B"),
            qUtf8Printable("orphelin|a/../b|./c|fichier/d|raccourci/e|lien/f|" + tooLong +
                           "|h/i|h/i|tube|écrit/x|existe/écrit|Caf\u00e9/A|Cafe\u0301/B"),
            "", "",
            {"- \torphelin > orphelin (retrait sans dossier parent)",
             no("a/../b", "« .. » ne peut pas être un dossier"),
             no("./c", "« . » ne peut pas être un dossier"),
             no("fichier/d", "un fichier porte déjà le nom « fichier »"),
             no("raccourci/e", "un lien porte déjà le nom « raccourci »"),
             no("lien/f", "un lien porte déjà le nom « lien »"),
             no(QString(50, u'l') + "…(158 caractères omis)…" + QString(48, u'l') + "/g",
                "nom trop long : 256 octets, 255 au plus"),
             "- h\\i > h/i (même dossier que la ligne « h/i »)",
             no("tube", "un élément qui n'est pas un dossier porte déjà ce nom"),
             no("écrit/x", "un dossier du nom « écrit », écrit autrement, existe déjà"),
             no("existe/écrit", "un élément de même nom, écrit autrement, existe déjà"),
             no("Cafe\u0301/B", "même dossier que la ligne « Caf\u00e9/A »")});
        const NameRules shortPaths{.longestPath = 7};
        row("a path too long, separators counted", tree(), shortPaths, "abc/de|abc/def",
            "abc/de|abc/def", "", "",
            {"- abc/def > abc/def (chemin trop long : 8 octets, 7 au plus)"});
        row("case ignored: one folder spelt two ways", tree(), windowsRules,
            "Client/A|client/B|CLIENT", "Client/A|client/B|CLIENT", "", "",
            {"- client/B > client/B (même dossier que la ligne « Client/A »)",
             "- CLIENT > CLIENT (même dossier que la ligne « Client/A »)"});
        row("each level trimmed, swapped, trimmed and cased", tree(3, 3), linux,
            "client_a _/_factures", "Client A/Factures", "", "", {});
        row("spaces around a separator are layout, not swapped", tree(0, 1), linux,
            " Client A / 2025 ", "Client_A/2025", "", "", {});
        NameChain affixes = tree();
        affixes.adds.prefixOn = affixes.adds.suffixOn = true;
        affixes.adds.prefix = "2025 - ";
        affixes.adds.suffix = " / Factures";
        row("the prefix joins the first level; the suffix adds a sub-folder", affixes, linux,
            "Client A|Client B|\tDevis",
            "2025 - Client A/Factures|2025 - Client B/Factures|2025 - Client B/2025 - "
            "Devis/Factures",
            "", "", {});
        const NameChain spaces{{.forbiddenMode = ForbiddenMode::Space}};
        row("the other entries make no tree", spaces, linux, "Client/2025|\tDevis|\tDevis",
            "Client 2025|\tDevis|\tDevis", "- \tDevis", "", {});
    }

    void trees() {
        QFETCH(NameChain, chain);
        QFETCH(NameRules, rules);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, names);
        QFETCH(QStringList, duplicates);
        QFETCH(QStringList, existing);
        QFETCH(QStringList, impossible);

        // The rows write paths with "/": each path, between " > " and its reason,
        // takes the system's separator.
        const auto native = [](QStringList lines) {
            for (QString& line : lines) {
                const qsizetype path = line.indexOf(" > "), reason = line.indexOf(" (", path),
                                end = reason < 0 ? line.size() : reason;
                line.replace(path, end - path,
                             QDir::toNativeSeparators(line.mid(path, end - path)));
            }
            return lines;
        };
        const PreviewReport r = buildPreview(lines, inputs(rules, chain));
        QCOMPARE(r.names, QDir::toNativeSeparators(names.join('|')).split('|'));
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
            return createFolders(lines, {tree(), QString(pathSeparator()), make})
                .failure.value_or(CreationFailure{});
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
        QCOMPARE(r.duplicates.leftOut, 501'501 - 1000);
        QCOMPARE(r.existing.lines.last(), QStringLiteral("- d999 > d999"));
        QCOMPARE(r.existing.leftOut, 3);
        QCOMPARE(r.impossible.leftOut, 3);
        QCOMPARE(reportText("T :", {{"- a", "- b"}, 3}),
                 QStringLiteral("T :\r\n- a\r\n- b\r\n… et 3 autres lignes."));
    }
};

QTEST_APPLESS_MAIN(TstReport)
#include "tst_report.moc"
