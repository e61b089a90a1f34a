// What a preview run reports for a list of raw lines.

#include "editor/line_paths.h"
#include "output/creation.h"
#include "output/report.h"
#include "platform/paths.h"

#include <QHash>
#include <QSet>
#include <QTest>

using namespace ramulo;

Q_DECLARE_METATYPE(ramulo::NameRules)
Q_DECLARE_METATYPE(ramulo::NameChain)

namespace {
// What the stand-in destination holds; nothing else is there.
Entry standIn(const QString& relative) {
    static const QHash<QString, Entry> held{
        {"raccourci", Entry::Link}, {"tube", Entry::Other},         {"fichier", Entry::File},
        {"existe", Entry::Folder},  {"existe/sous", Entry::Folder}, {"lien", Entry::FolderLink}};
    return held.value(relative, Entry::None);
}

// The window's chain at its start-up settings trims spaces, so that different
// raw lines can give the same name. The destination is the root (the
// window's preview test meets folders and files on disk).
PreviewInputs inputs(const NameRules& rules = {}, const NameChain& chain = {}) {
    return {chain, QString(pathSeparator()),
            [](const QString& folder, const QStringList& names) {
                std::vector<Entry> entries;
                for (const QString& name : names)
                    entries.push_back(standIn(joinPath(folder, name).mid(1)));
                return entries;
            },
            rules};
}

NameChain tree(int caseMode = 0, int separatorMode = 0) {
    NameChain chain;
    chain.adds.forbiddenMode = kTreeMode;
    chain.adds.separatorMode = separatorMode;
    chain.caseMode = caseMode;
    return chain;
}

constexpr NameRules windowsRules{
    .longestPath = 300, .utf16 = true, .ignoresCase = true, .windowsNames = true};
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
        // The same folder from different raw lines, as the file system compares names.
        const QStringList same{"Dossier", "dossier ", "Dossier ", "DOSSIER", "a", "a"};
        QTest::newRow("same folder, case kept apart")
            << NameRules{} << same << QStringList{"- a"}
            << QStringList{"- Dossier  > Dossier (même dossier que la ligne « Dossier »)"};
        QTest::newRow("same folder, case ignored")
            << windowsRules << same << QStringList{"- a"}
            << QStringList{"- dossier  > dossier (même dossier que la ligne « Dossier »)",
                           "- Dossier  > Dossier (même dossier que la ligne « Dossier »)",
                           "- DOSSIER > DOSSIER (même dossier que la ligne « Dossier »)"};

        // Characters, lengths and what already holds the name. Names are counted
        // in bytes of UTF-8 (U+0080 takes 2, U+0800 3, a pair 4), or in UTF-16 units.
        const auto no = [](const QString& name, const QString& why) {
            return "- " + shownCut(name) + " > " + shownCut(name) + " (" + why + ")";
        };
        const QString u800(86, QChar(0x800)), u80(128, QChar(0x80)),
            pairs = QString("😀").repeated(64), nul = QString("x") + QChar(0) + "y",
            half = QString("z") + QChar(0xd800),
            refused = "caractère refusé par le système de fichiers : U+";
        const QStringList kinds{u800,   u80,       pairs,       QString(85, QChar(0x800)),
                                nul,    half,      "raccourci", "tube",
                                "a\tb", "nul.txt", "COM9",      "lpt1.txt",
                                "COM0", "COM10",   "fin."};
        const QString link = "- raccourci > raccourci (un lien porte déjà ce nom)",
                      other =
                          "- tube > tube (un élément qui n'est pas un dossier porte déjà ce nom)";
        QTest::newRow("ext4") << NameRules{} << kinds << none
                              << QStringList{no(u800, "nom trop long : 258 octets, 255 au plus"),
                                             no(u80, "nom trop long : 256 octets, 255 au plus"),
                                             no(pairs, "nom trop long : 256 octets, 255 au plus"),
                                             no(nul, refused + "0000"),
                                             no(half, refused + "D800"),
                                             link,
                                             other};
        QTest::newRow("Windows") << windowsRules << kinds << none
                                 << QStringList{
                                        no(nul, refused + "0000"),
                                        link,
                                        other,
                                        no("a\tb", refused + "0009"),
                                        no("nul.txt", "nom réservé par le système"),
                                        no("COM9", "nom réservé par le système"),
                                        no("lpt1.txt", "nom réservé par le système"),
                                        no("fin.", "le système retire le point ou l'espace final")};
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
        if (pathSeparator() != u'/')
            QSKIP("the stand-in destination is a root of one character");
        const PreviewReport r = buildPreview(lines, inputs(rules)); // the names are the fuzzer's
        QCOMPARE(r.duplicates, duplicates);
        QCOMPARE(r.impossible, impossible);
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
        QTest::addColumn<int>("created"); // -1: not clean
        const QStringList none;
        const NameRules linux;
        QTest::newRow("a path a line")
            << tree() << linux << QStringList{"Client A/2025/Factures",
                                              "Client B\\Devis",
                                              " xyz // ok ",
                                              "/etc/x",
                                              "\t\t",
                                              "a:b*/c?"}
            << QStringList{"Client A/2025/Factures", "Client B/Devis", "xyz/ok", "etc/x", "ab/c"}
            << none << none << none << 11;
        QTest::newRow("an outline; one raw line under two parents")
            << tree() << linux << QStringList{"Client A", "\t2025",   "\t\tFactures", "",
                                              "\tDevis",  "Client B", "\tDevis"}
            << QStringList{"Client A",       "Client A/2025", "Client A/2025/Factures",
                           "Client A/Devis", "Client B",      "Client B/Devis"}
            << none << none << none << 6;
        QTest::newRow("spreadsheet rows, repeated cells blank")
            << tree() << linux
            << QStringList{"Client A\t2025\tFactures", "\t\tDevis", "\t2026\tFactures",
                           "Client B\t\tDevis", "\t \t"}
            << QStringList{"Client A/2025/Factures", "Client A/2025/Devis",
                           "Client A/2026/Factures", "Client B/Devis"}
            << none << none << none << 8;
        QTest::newRow("duplicates: the same line giving the same path")
            << tree() << linux << QStringList{"A", "\tx", "\tx", "B", "\tx", "B/x"}
            << QStringList{"A", "A/x", "A/x", "B", "B/x", "B/x"} << QStringList{"- \tx"} << none
            << QStringList{"- B/x > B/x (même dossier que la ligne « \tx »)"} << -1;
        QTest::newRow("existing upper levels are used; a last level is reported")
            << tree() << linux << QStringList{"existe/neuf", "existe/sous", "existe"}
            << QStringList{"existe/neuf", "existe/sous", "existe"} << none
            << QStringList{"- existe/sous > existe/sous", "- existe > existe"} << none << -1;
        QTest::newRow("made on the way, then a line of its own")
            << tree() << linux << QStringList{"X/Y", "X", "existe/a/b", "existe/a"}
            << QStringList{"X/Y", "X", "existe/a/b", "existe/a"} << none << none << none << 4;
        const QString tooLong(256, u'l');
        QTest::newRow("refusals, level by level")
            << tree() << linux
            << QStringList{"\torphelin", "a/../b",       "./c", "fichier/d", "raccourci/e",
                           "lien/f",     tooLong + "/g", "h/i", "h\\i",      "tube"}
            << QStringList{"orphelin", "a/../b",       "./c", "fichier/d", "raccourci/e",
                           "lien/f",   tooLong + "/g", "h/i", "h/i",       "tube"}
            << none << none
            << QStringList{"- \torphelin > orphelin (retrait sans dossier parent)",
                           "- a/../b > a/../b (« .. » ne peut pas être un dossier)",
                           "- ./c > ./c (« . » ne peut pas être un dossier)",
                           "- fichier/d > fichier/d (un fichier porte déjà le nom « fichier »)",
                           "- raccourci/e > raccourci/e (un lien porte déjà le nom « raccourci »)",
                           "- lien/f > lien/f (un lien porte déjà le nom « lien »)",
                           "- " + shownCut(tooLong + "/g") + " > " + shownCut(tooLong + "/g") +
                               " (nom trop long : 256 octets, 255 au plus)",
                           "- h\\i > h/i (même dossier que la ligne « h/i »)",
                           "- tube > tube (un élément qui n'est pas un dossier porte déjà ce nom)"}
            << -1;
        NameRules shortPaths;
        shortPaths.longestPath = 7;
        QTest::newRow("a path too long, separators counted")
            << tree() << shortPaths << QStringList{"abc/de", "abc/def"}
            << QStringList{"abc/de", "abc/def"} << none << none
            << QStringList{"- abc/def > abc/def (chemin trop long : 8 octets, 7 au plus)"} << -1;
        QTest::newRow("case ignored: one folder spelt two ways")
            << tree() << windowsRules << QStringList{"Client/A", "client/B", "CLIENT"}
            << QStringList{"Client/A", "client/B", "CLIENT"} << none << none
            << QStringList{"- client/B > client/B (même dossier que la ligne « Client/A »)",
                           "- CLIENT > CLIENT (même dossier que la ligne « Client/A »)"}
            << -1;
        QTest::newRow("each level through the case")
            << tree(3) << linux << QStringList{"client a / factures"}
            << QStringList{"Client A/Factures"} << none << none << none << 2;
        QTest::newRow("each level through the swap and the trim")
            << tree(0, 3) << linux << QStringList{"Client_A _/_2025"}
            << QStringList{"Client A/2025"} << none << none << none << 2;
        NameChain affixes = tree();
        affixes.adds.prefixOn = affixes.adds.suffixOn = true;
        affixes.adds.prefix = "2025 - ";
        affixes.adds.suffix = " / Factures";
        QTest::newRow("the prefix joins the first level; the suffix adds a sub-folder")
            << affixes << linux << QStringList{"Client A", "Client B", "\tDevis"}
            << QStringList{"2025 - Client A/Factures", "2025 - Client B/Factures",
                           "2025 - Client B/2025 - Devis/Factures"}
            << none << none << none << 6;
        NameChain spaces;
        spaces.adds.forbiddenMode = 1;
        QTest::newRow("the other entries make no tree")
            << spaces << linux << QStringList{"Client/2025", "\tDevis", "\tDevis"}
            << QStringList{"Client 2025", "\tDevis", "\tDevis"} << QStringList{"- \tDevis"} << none
            << none << -1;
    }

    void trees() {
        QFETCH(NameChain, chain);
        QFETCH(NameRules, rules);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, names);
        QFETCH(QStringList, duplicates);
        QFETCH(QStringList, existing);
        QFETCH(QStringList, impossible);
        QFETCH(int, created);
        if (pathSeparator() != u'/')
            QSKIP("the rows write paths with \"/\"");
        const PreviewReport r = buildPreview(lines, inputs(rules, chain));
        QCOMPARE(r.names, names);
        QCOMPARE(r.duplicates, duplicates);
        QCOMPARE(r.existing, existing);
        QCOMPARE(r.impossible, impossible);
        if (created < 0)
            return;

        // Creation over the same stand-in: upper levels that are there are entered.
        QSet<QString> there{"existe", "existe/sous"};
        QStringList asked;
        const CreationResult made =
            createFolders(lines, {chain, "/", [&](const QStringList& levels, qint64& count) {
                                      asked << levels.join('/');
                                      for (qsizetype k = 1; k <= levels.size(); ++k) {
                                          const QString path = levels.first(k).join('/');
                                          if (k < levels.size() && there.contains(path))
                                              continue;
                                          if (there.contains(path))
                                              return std::optional<QString>("File exists");
                                          there.insert(path);
                                          ++count;
                                      }
                                      return std::optional<QString>();
                                  }});
        QVERIFY(!made.failure && !made.cancelled);
        QCOMPARE(made.created, created);
        // Each path asked once: a folder made on the way is not made again.
        QCOMPARE(QSet<QString>(asked.begin(), asked.end()).size(), asked.size());
    }

    // Creation never leaves the destination nor guesses a parent, even for a
    // list that no preview has checked.
    void creationStaysInside() {
        QStringList asked;
        const auto make = [&](const QStringList& levels, qint64& made) {
            asked << levels.join('/');
            made += levels.size();
            return std::optional<QString>();
        };
        const CreationResult dots = createFolders({"a", "\t../b", "c"}, {tree(), "/", make});
        QVERIFY(dots.failure && dots.failure->rawLine == "\t../b");
        QCOMPARE(dots.failure->fullPath, QStringLiteral("/a/../b"));
        const CreationResult orphan = createFolders({"\tx"}, {tree(), "/", make});
        QVERIFY(orphan.failure);
        QCOMPARE(orphan.failure->reason, QStringLiteral("retrait sans dossier parent"));
        QCOMPARE(asked, QStringList{"a"});
        QCOMPARE(dots.created + orphan.created, 1);
    }

    // Only a pathological list has its report cut, and then the lines left out
    // are counted. The message after a creation counts past 16 bits too.
    void longLists() {
        const PreviewReport r = buildPreview(QStringList(2000, "x"), inputs());
        QCOMPARE(r.duplicates.size(), kDuplicateReportLimit);
        QCOMPARE(r.duplicatesLeftOut, qint64(2000) * 1999 / 2 - kDuplicateReportLimit);
        QCOMPARE(reportText("T :", {"- a", "- b"}, 3),
                 QStringLiteral("T :\r\n- a\r\n- b\r\n… et 3 autres lignes."));
        QCOMPARE(creationMessage(40000), QStringLiteral("40000 dossier(s) créé(s) avec succès !"));
    }
};

QTEST_APPLESS_MAIN(TstReport)
#include "tst_report.moc"
