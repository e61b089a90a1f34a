// Creating the folders of a list: order, skipped lines, the stop at a failure.

#include "output/creation.h"
#include "platform/paths.h"

#include <QTest>

using namespace ramulo;

class TstCreation : public QObject {
    Q_OBJECT
private slots:
    void createsInOrder_data();
    void createsInOrder();
    void stopsAtTheFirstFailure();
    void destinationIsReadForEachName();
    void messages();
};

namespace {
struct Recorder {
    QStringList paths;
    QString failOn;
    CreationInputs inputs(const QString& destination) {
        return {[](const QString& raw) { return raw.trimmed(); },
                [destination] { return destination; },
                [this](const QString& path) -> std::optional<QString> {
                    paths << path;
                    if (path == failOn)
                        return QStringLiteral("File exists");
                    return std::nullopt;
                }};
    }
};
} // namespace

void TstCreation::createsInOrder_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("empty editor") << QStringList{} << QStringList{};
    QTest::newRow("blank lines and a final break")
        << QStringList{"b", "", "a", "  ", "c", ""} << QStringList{"b", "a", "c"};
    QTest::newRow("equal names are each asked for")
        << QStringList{"a", "a "} << QStringList{"a", "a"};
}

void TstCreation::createsInOrder() {
    QFETCH(QStringList, lines);
    QFETCH(QStringList, names);
    const QString s = pathSeparator();
    for (const QString& destination : {s, s + "dest"}) {
        Recorder recorder;
        const CreationResult result = createFolders(lines, recorder.inputs(destination));
        QStringList expected;
        for (const QString& name : names)
            expected << joinPath(destination, name);
        QCOMPARE(recorder.paths, expected);
        QCOMPARE(result.created, names.size());
        QVERIFY(!result.failure);
        for (const QString& path : recorder.paths)
            QVERIFY(!path.contains(s + s)); // never two separators in a row
    }
}

void TstCreation::stopsAtTheFirstFailure() {
    const QString s = pathSeparator();
    Recorder recorder;
    recorder.failOn = s + "d" + s + "deux";
    const CreationResult result =
        createFolders({"un", "", " deux ", "trois"}, recorder.inputs(s + "d"));
    QCOMPARE(result.created, 1);
    QVERIFY(result.failure);
    QCOMPARE(result.failure->rawLine, QStringLiteral(" deux "));
    QCOMPARE(result.failure->fullPath, recorder.failOn);
    QCOMPARE(result.failure->reason, QStringLiteral("File exists"));
    QCOMPARE(recorder.paths.size(), 2); // "trois" is never reached
}

void TstCreation::destinationIsReadForEachName() {
    int reads = 0;
    CreationInputs inputs{[](const QString& raw) { return raw; },
                          [&reads] {
                              ++reads;
                              return QStringLiteral("/d");
                          },
                          [](const QString&) {
                              return std::optional<QString>();
                          }};
    createFolders({"a", "", "b"}, inputs);
    QCOMPARE(reads, 2);
}

void TstCreation::messages() {
    QCOMPARE(creationMessage(0), QStringLiteral("0 dossier(s) créé(s) avec succès !"));
    QCOMPARE(creationMessage(40000), QStringLiteral("40000 dossier(s) créé(s) avec succès !"));
    const QString failure = creationFailureMessage(
        {QStringLiteral("Projet"), QStringLiteral("/d/Projet"), QStringLiteral("File exists")}, 12);
    QVERIFY(failure.contains(QStringLiteral("« Projet »")));
    QVERIFY(failure.contains(QStringLiteral("/d/Projet")));
    QVERIFY(failure.contains(QStringLiteral("File exists")));
    QVERIFY(failure.contains(QStringLiteral("12 dossier(s) créé(s) avant cette ligne")));
    QVERIFY(!failure.contains(QStringLiteral("avec succès")));
}

QTEST_APPLESS_MAIN(TstCreation)
#include "tst_creation.moc"
