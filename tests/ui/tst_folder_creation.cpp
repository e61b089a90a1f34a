// The create command through the real window with the service doubles.

#include "app/form1.h"
#include "output/creation.h"
#include "support/doubles.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include <system_error>

using namespace ramulo;
using namespace ramulo::test;

class TstCreation : public QObject {
    Q_OBJECT
private slots:
    void creates_data();
    void creates();
};

// One folder per non-empty name, in the order of the editor's lines, named
// with the settings of the click: the list is previewed clean with automatic
// preview off, then a new prefix is typed. A name that cannot be created
// stops the run there. The folder list then shows what was made, with no
// change of destination.
void TstCreation::creates_data() {
    QTest::addColumn<bool>("atRoot");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("names");   // created, in this order, before the prefix
    QTest::addColumn<QString>("failingLine"); // a file already has its name

    const QString none;
    QTest::newRow("editor order, blank lines left out")
        << false << "zeta\r\n\r\nalpha\r\n\r\n\r\nMu\r\n"
        << QStringList{"zeta", "alpha", "Mu"} << none;
    QTest::newRow("empty editor") << false << "" << QStringList{} << none;
    QTest::newRow("drive root") << true << "ramulo essai 7f3e\r\nramulo essai 7f3f"
                                << QStringList{"ramulo essai 7f3e", "ramulo essai 7f3f"} << none;
    QTest::newRow("stops at a file of that name")
        << false << "un\r\ndeux\r\n\r\ntrois\r\nquatre" << QStringList{"un", "deux"}
        << QStringLiteral("trois");
    QStringList many;
    for (int i = 1; i <= 5000; ++i)
        many << QStringLiteral("Dossier %1").arg(i, 4, 10, QLatin1Char('0'));
    QTest::newRow("5,000 names") << false << many.join("\r\n") + "\r\n" << many << none;
}

void TstCreation::creates() {
    QFETCH(bool, atRoot);
    QFETCH(QString, text);
    QFETCH(QStringList, names);
    QFETCH(QString, failingLine);

    Harness h;
    h.files->recordOnly = atRoot; // nothing is made in the real root
    const QString destination =
        atRoot ? QDir::toNativeSeparators(QDir::rootPath()) : h.makeFolder("dest");
    const QString prefix = atRoot ? destination : destination + QDir::separator();
    const bool done = failingLine.isEmpty();
    if (!done)
        h.writeFile("dest/neuf_" + failingLine, "x");
    Form1 w(h.services());
    w.livepreview->setValue(0);
    w.prefcheck->setValue(1);
    w.Dir1->setPath(destination);
    w.Text1->setText(text);
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    QVERIFY(w.Command3->isEnabled());
    w.preftext->selectAll();
    QTest::keyClicks(w.preftext, "neuf_");
    QSignalSpy changes(w.Dir1, &FolderList::Change);

    QTest::mouseClick(w.Command3, Qt::LeftButton);
    QStringList made, asked;
    for (const QString& name : names)
        made << "neuf_" + name;
    for (const QString& name : done ? made : made + QStringList{"neuf_" + failingLine})
        asked << prefix + name;
    QCOMPARE(h.files->asked, asked);
    const QString exists =
        QString::fromLocal8Bit(std::make_error_code(std::errc::file_exists).message());
    QCOMPARE(h.messages->titles(), QStringList{done ? "CREATION DE DOSSIERS EFFECTUEE"
                                                    : "CREATION DE DOSSIERS INTERROMPUE"});
    const FakeMessages::Shown box = h.messages->shown.first();
    QCOMPARE(box.text,
             done ? QString::number(made.size()) + " dossier(s) créé(s) avec succès !"
                  : creationFailureMessage({failingLine, asked.last(), exists}, made.size()));
    QCOMPARE(box.icon, done ? MessageBoxes::Icon::Information : MessageBoxes::Icon::Warning);
    QCOMPARE(box.buttons, MessageBoxes::Buttons::Ok);
    QVERIFY(w.Command3->isEnabled());
    QCOMPARE(w.Dir1->path(), destination);
    QCOMPARE(changes.count(), 0);
    if (atRoot)
        return;

    // Exactly these folders on disk; the folder list ends with them.
    made.sort();
    QCOMPARE(QDir(destination).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name), made);
    QStringList listed;
    for (int i = 0; i < w.Dir1->count(); ++i)
        listed << w.Dir1->item(i)->text().trimmed();
    listed = listed.mid(listed.size() - made.size());
    listed.sort();
    QCOMPARE(listed, made);
}

QTEST_MAIN(TstCreation)
#include "tst_folder_creation.moc"
