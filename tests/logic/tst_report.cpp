// What a preview run reports for a list of raw lines.

#include "output/creation.h"
#include "output/report.h"
#include "platform/paths.h"

#include <QTest>

using namespace ramulo;

namespace {
// Stands in for the window's chain: trims spaces, so that different raw lines
// can give the same name. The destination is the root and holds a link and a
// pipe (the window's preview test meets folders and files on disk).
PreviewInputs inputs(const NameRules& rules = {}) {
    return {[](const QString& raw) { return raw.trimmed(); }, QString(pathSeparator()),
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
    .longestPath = 100, .utf16 = true, .ignoresCase = true, .windowsNames = true};
} // namespace

class TstReport : public QObject {
    Q_OBJECT
private slots:
    void report_data() {
        QTest::addColumn<bool>("windows"); // the file system's rules: Windows', or Linux's ext4
        QTest::addColumn<QStringList>("lines"); // each gives its name, trimmed
        QTest::addColumn<QStringList>("duplicates");
        QTest::addColumn<QStringList>("impossible"); // no name here has a folder
        const QStringList none;
        // The same folder from different raw lines, as the file system compares names.
        const QStringList same{"Dossier", "dossier ", "Dossier ", "DOSSIER", "a", "a"};
        QTest::newRow("same folder, case kept apart")
            << false << same << QStringList{"- a"}
            << QStringList{"- Dossier  > Dossier (même dossier que la ligne « Dossier »)"};
        QTest::newRow("same folder, case ignored")
            << true << same << QStringList{"- a"}
            << QStringList{"- dossier  > dossier (même dossier que la ligne « Dossier »)",
                           "- Dossier  > Dossier (même dossier que la ligne « Dossier »)",
                           "- DOSSIER > DOSSIER (même dossier que la ligne « Dossier »)"};

        // Characters, lengths and what already holds the name.
        const QString e86(86, u'€'), nul = QString("x") + QChar(0) + "y",
                                     half = QString("z") + QChar(0xd800);
        const QString taken = "(caractère refusé par le système de fichiers : ";
        const QStringList kinds{e86, nul,    half,      "raccourci", "tube",
                                "😀", "a\tb", "nul.txt", "fin."};
        QTest::newRow("ext4") << false << kinds << none
                              << QStringList{"- " + e86 + " > " + e86 +
                                                 " (nom trop long : 258 octets, 255 au plus)",
                                             "- " + nul + " > " + nul + " " + taken + "U+0000)",
                                             "- " + half + " > " + half + " " + taken + "U+D800)",
                                             "- raccourci > raccourci (un lien porte déjà ce nom)",
                                             "- tube > tube (un élément qui n'est pas un dossier "
                                             "porte déjà ce nom)"};
        QTest::newRow("Windows")
            << true << kinds << none
            << QStringList{"- " + nul + " > " + nul + " " + taken + "U+0000)",
                           "- raccourci > raccourci (un lien porte déjà ce nom)",
                           "- tube > tube (un élément qui n'est pas un dossier porte déjà ce nom)",
                           "- a\tb > a\tb " + taken + "U+0009)",
                           "- nul.txt > nul.txt (nom réservé par le système)",
                           "- fin. > fin. (le système retire le point ou l'espace final)"};
        const QString deep(110, u'd');
        QTest::newRow("Windows, path too long")
            << true << QStringList{deep} << none
            << QStringList{"- " + deep + " > " + deep +
                           " (chemin trop long : 111 caractères, 100 au plus)"};
    }

    void report() {
        QFETCH(bool, windows);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, duplicates);
        QFETCH(QStringList, impossible);
        if (windows && pathSeparator() != u'/')
            QSKIP("the stand-in destination is a root of one character");
        const PreviewReport r = buildPreview(lines, inputs(windows ? windowsRules : NameRules{}));
        QStringList names;
        for (const QString& line : lines)
            names << line.trimmed();
        QCOMPARE(r.names, names);
        QCOMPARE(r.count, names.size());
        QCOMPARE(r.duplicates, duplicates);
        QCOMPARE(r.existing, QStringList());
        QCOMPARE(r.impossible, impossible);
    }

    // A thousand equal lines keep every report line; only a pathological list is
    // cut, and then the lines left out are counted. The message after a creation
    // counts past 16 bits too.
    void longLists() {
        PreviewReport r = buildPreview(QStringList(1001, "x"), inputs());
        QCOMPARE(r.duplicates.size(), 1001 * 1000 / 2);
        QCOMPARE(r.duplicatesLeftOut, 0);

        r = buildPreview(QStringList(2000, "x"), inputs());
        QCOMPARE(r.duplicates.size(), kDuplicateReportLimit);
        QCOMPARE(r.duplicatesLeftOut, qint64(2000) * 1999 / 2 - kDuplicateReportLimit);
        QCOMPARE(reportText("T :", {"- a", "- b"}, 3),
                 QStringLiteral("T :\r\n- a\r\n- b\r\n… et 3 autres lignes."));
        QCOMPARE(creationMessage(40000), QStringLiteral("40000 dossier(s) créé(s) avec succès !"));
    }
};

QTEST_APPLESS_MAIN(TstReport)
#include "tst_report.moc"
