// What a preview run reports for a list of raw lines.

#include "output/creation.h"
#include "output/report.h"
#include "platform/paths.h"

#include <QTest>

using namespace ramulo;

Q_DECLARE_METATYPE(ramulo::NameRules)

namespace {
// Stands in for the window's chain: trims spaces, so that different raw lines
// can give the same name. The destination is the root and holds a link and a
// pipe (the window's preview test meets folders and files on disk).
PreviewInputs inputs(const NameRules& rules = {}) {
    return {NameChain{}, QString(pathSeparator()),
            [](const QString&, const QStringList& names) {
                std::vector<Entry> entries;
                for (const QString& name : names)
                    entries.push_back(name == "raccourci" ? Entry::Link
                                      : name == "tube"    ? Entry::Other
                                                          : Entry::None);
                return entries;
            },
            rules};
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
