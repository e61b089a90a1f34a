// Creating the folders of a list: order, skipped lines, the stop at a failure.

#include "output/creation.h"
#include "platform/paths.h"

#include <QTest>

using namespace ramulo;

class TstCreation : public QObject {
    Q_OBJECT
private slots:
    void run();
};

void TstCreation::run() {
    const QString s = pathSeparator();
    QStringList asked;
    int destinationReads = 0;
    const CreationInputs inputs{[](const QString& raw) { return raw.trimmed(); },
                                [&] {
                                    ++destinationReads;
                                    return s + "d";
                                },
                                [&](const QString& path) -> std::optional<QString> {
                                    asked << path;
                                    if (path.endsWith("deux"))
                                        return QStringLiteral("File exists");
                                    return std::nullopt;
                                }};

    // Blank lines are skipped; names go in editor order; the destination is
    // read for each name.
    CreationResult result = createFolders({"b", "", "a", "  ", "c", ""}, inputs);
    QCOMPARE(asked, (QStringList{s + "d" + s + "b", s + "d" + s + "a", s + "d" + s + "c"}));
    QCOMPARE(result.created, 3);
    QCOMPARE(destinationReads, 3);
    QVERIFY(!result.failure);

    // The run stops at the first name that fails; later lines are never reached.
    asked.clear();
    result = createFolders({"un", " deux ", "trois"}, inputs);
    QCOMPARE(result.created, 1);
    QVERIFY(result.failure);
    QCOMPARE(result.failure->rawLine, QStringLiteral(" deux "));
    QCOMPARE(result.failure->fullPath, s + "d" + s + "deux");
    QCOMPARE(result.failure->reason, QStringLiteral("File exists"));
    QCOMPARE(asked.size(), 2);

    QCOMPARE(creationMessage(40000), QStringLiteral("40000 dossier(s) créé(s) avec succès !"));
}

QTEST_APPLESS_MAIN(TstCreation)
#include "tst_creation.moc"
