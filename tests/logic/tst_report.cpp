// What a preview run reports for a list of raw lines.

#include "output/report.h"
#include "platform/paths.h"

#include <QSet>
#include <QTest>

using namespace ramulo;

class TstReport : public QObject {
    Q_OBJECT
private slots:
    void duplicates_data();
    void duplicates();
    void previewAndCount_data();
    void previewAndCount();
    void existingFolders();
    void longLists();
    void reportText();
};

namespace {
// A chain standing in for the window's: trims spaces and lowers the case, so
// that different raw lines can give the same name.
QString lowerTrimmed(const QString& raw) {
    QString s = raw;
    while (s.startsWith(u' '))
        s.remove(0, 1);
    while (s.endsWith(u' '))
        s.chop(1);
    return s.toLower();
}

PreviewInputs inputs(const QSet<QString>& existing = {}, const QString& destination = "/d") {
    return {lowerTrimmed, [destination] { return destination; },
            [existing](const QString& path) {
                return existing.contains(path);
            }};
}
} // namespace

void TstReport::duplicates_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("report");
    QTest::newRow("none") << QStringList{"a", "b"} << QStringList{};
    QTest::newRow("twice") << QStringList{"a", "b", "a"} << QStringList{"- a"};
    QTest::newRow("three times gives three lines")
        << QStringList{"x", "x", "y", "x"} << QStringList{"- x", "- x", "- x"};
    QTest::newRow("in the order of the lines")
        << QStringList{"b", "a", "a", "b"} << QStringList{"- a", "- b"};
    QTest::newRow("case matters") << QStringList{"Dossier", "dossier"} << QStringList{};
    QTest::newRow("trailing space matters") << QStringList{"a", "a "} << QStringList{};
    QTest::newRow("lines of spaces are lines") << QStringList{"  ", "  "} << QStringList{"-   "};
    QTest::newRow("empty lines never") << QStringList{"", "a", "", ""} << QStringList{};
}

void TstReport::duplicates() {
    QFETCH(QStringList, lines);
    QFETCH(QStringList, report);
    const PreviewReport r = buildPreview(lines, inputs());
    QCOMPARE(r.duplicates, report);
    QCOMPARE(r.duplicatesLeftOut, 0);
}

void TstReport::previewAndCount_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("preview");
    QTest::addColumn<int>("count");
    QTest::newRow("empty editor") << QStringList{} << "" << 0;
    QTest::newRow("final empty line adds nothing") << QStringList{"A", "B", ""} << "a\r\nb" << 2;
    QTest::newRow("names that vanish are skipped")
        << QStringList{" ", "A", "   ", "B"} << "a\r\nb" << 2;
    QTest::newRow("duplicates still count") << QStringList{"A", "a", "A"} << "a\r\na\r\na" << 3;
}

void TstReport::previewAndCount() {
    QFETCH(QStringList, lines);
    QFETCH(QString, preview);
    QFETCH(int, count);
    const PreviewReport r = buildPreview(lines, inputs());
    QCOMPARE(r.names.join("\r\n"), preview);
    QCOMPARE(r.count, count);
}

void TstReport::existingFolders() {
    const QString s = pathSeparator();
    // The name, not the raw line, is looked up; the report shows both.
    const QSet<QString> inFolder{s + "d" + s + "projet", s + "d" + s + "z"};
    PreviewReport r = buildPreview({" Projet", "Autre", "Projet"}, inputs(inFolder, s + "d"));
    QCOMPARE(r.existing,
             (QStringList{"- " + QStringLiteral(" Projet") + " > projet", "- Projet > projet"}));

    // A drive root gets no second separator.
    const QSet<QString> atRoot{s + "projet"};
    r = buildPreview({"Projet"}, inputs(atRoot, s));
    QCOMPARE(r.existing, QStringList{"- Projet > projet"});

    // A name that is both a duplicate and an existing folder is in both reports.
    r = buildPreview({"z", "z"}, inputs(inFolder, s + "d"));
    QCOMPARE(r.duplicates, QStringList{"- z"});
    QCOMPARE(r.existing, (QStringList{"- z > z", "- z > z"}));

    // Names that vanish are never looked up.
    int asked = 0;
    PreviewInputs counting = inputs();
    counting.folderExists = [&asked](const QString&) {
        ++asked;
        return false;
    };
    buildPreview({"", "  ", "a"}, counting);
    QCOMPARE(asked, 1);
}

// Lists far longer than a thousand lines keep every report line; only a
// pathological list is cut, and then the lines left out are counted.
void TstReport::longLists() {
    QStringList distinct;
    for (int i = 0; i < 5000; ++i)
        distinct << QString::number(i);
    distinct << "42";
    PreviewReport r = buildPreview(distinct, inputs());
    QCOMPARE(r.count, 5001);
    QCOMPARE(r.duplicates, QStringList{"- 42"});

    const QStringList same(1001, QStringLiteral("x"));
    r = buildPreview(same, inputs());
    QCOMPARE(r.duplicates.size(), 1001 * 1000 / 2);
    QCOMPARE(r.duplicatesLeftOut, 0);

    const QStringList many(2000, QStringLiteral("x"));
    r = buildPreview(many, inputs());
    QCOMPARE(r.duplicates.size(), kDuplicateReportLimit);
    QCOMPARE(r.duplicatesLeftOut, qint64(2000) * 1999 / 2 - kDuplicateReportLimit);
    QCOMPARE(r.count, 2000);
}

void TstReport::reportText() {
    QCOMPARE(ramulo::reportText("T :", {"- a", "- b"}), QStringLiteral("T :\r\n- a\r\n- b"));
    QCOMPARE(ramulo::reportText("T :", {"- a"}, 3),
             QStringLiteral("T :\r\n- a\r\n… et 3 autres lignes."));
}

QTEST_APPLESS_MAIN(TstReport)
#include "tst_report.moc"
