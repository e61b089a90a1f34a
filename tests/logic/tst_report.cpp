// What a preview run reports for a list of raw lines.

#include "output/report.h"
#include "platform/paths.h"

#include <QSet>
#include <QTest>

using namespace ramulo;

class TstReport : public QObject {
    Q_OBJECT
private slots:
    void report_data();
    void report();
    void longLists();
};

namespace {
// Stands in for the window's chain: trims spaces and lowers the case, so that
// different raw lines can give the same name.
PreviewInputs inputs(const QSet<QString>& existing = {}) {
    return {[](const QString& raw) { return raw.trimmed().toLower(); },
            [] { return QString(pathSeparator()); },
            [existing](const QString& path) {
                return existing.contains(path);
            }};
}
} // namespace

void TstReport::report_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("duplicates");
    QTest::addColumn<QStringList>("existing");
    QTest::newRow("empty editor") << QStringList{} << QStringList{} << QStringList{}
                                  << QStringList{};
    QTest::newRow("three times gives three lines")
        << QStringList{"x", "x", "y", "x"} << QStringList{"x", "x", "y", "x"}
        << QStringList{"- x", "- x", "- x"} << QStringList{};
    QTest::newRow("raw lines compared, not names")
        << QStringList{"Dossier", "dossier", "a", "a "}
        << QStringList{"dossier", "dossier", "a", "a"} << QStringList{} << QStringList{};
    QTest::newRow("spaces: reported, not counted")
        << QStringList{"  ", "", "  ", ""} << QStringList{} << QStringList{"-   "} << QStringList{};
    QTest::newRow("existing: raw line and name; a duplicate in both")
        << QStringList{" Projet", "Autre", "Projet", "Projet"}
        << QStringList{"projet", "autre", "projet", "projet"} << QStringList{"- Projet"}
        << QStringList{"-  Projet > projet", "- Projet > projet", "- Projet > projet"};
}

void TstReport::report() {
    QFETCH(QStringList, lines);
    QFETCH(QStringList, names);
    QFETCH(QStringList, duplicates);
    QFETCH(QStringList, existing);
    const PreviewReport r = buildPreview(lines, inputs({joinPath(pathSeparator(), "projet")}));
    QCOMPARE(r.names, names);
    QCOMPARE(r.count, names.size());
    QCOMPARE(r.duplicates, duplicates);
    QCOMPARE(r.existing, existing);
}

// Lists far longer than a thousand lines keep every report line; only a
// pathological list is cut, and then the lines left out are counted.
void TstReport::longLists() {
    QStringList distinct;
    for (int i = 0; i < 5000; ++i)
        distinct << QString::number(i);
    PreviewReport r = buildPreview(distinct << "42", inputs());
    QCOMPARE(r.count, 5001);
    QCOMPARE(r.duplicates, QStringList{"- 42"});

    r = buildPreview(QStringList(1001, "x"), inputs());
    QCOMPARE(r.duplicates.size(), 1001 * 1000 / 2);
    QCOMPARE(r.duplicatesLeftOut, 0);

    r = buildPreview(QStringList(2000, "x"), inputs());
    QCOMPARE(r.duplicates.size(), kDuplicateReportLimit);
    QCOMPARE(r.duplicatesLeftOut, qint64(2000) * 1999 / 2 - kDuplicateReportLimit);
    QCOMPARE(reportText("T :", {"- a", "- b"}, 3),
             QStringLiteral("T :\r\n- a\r\n- b\r\n… et 3 autres lignes."));
}

QTEST_APPLESS_MAIN(TstReport)
#include "tst_report.moc"
