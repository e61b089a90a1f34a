// The preview, the destination and the create command through the real
// window with the service doubles.

#include "app/form1.h"
#include "output/creation.h"
#include "platform/aside.h"
#include "support/doubles.h"

#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <system_error>

using namespace ramulo;
using namespace ramulo::test;

namespace {
// The boxes a preview must show for these reports, in this order.
QStringList boxes(const QStringList& duplicates, const QStringList& existing,
                  const QStringList& impossible = {}) {
    const std::pair<QStringList, QString> reports[] = {
        {duplicates, "DOUBLONS EDITEURS DETECTES [warning, OK]\nATTENTION ! Les lignes suivantes "
                     "sont en double dans l'Editeur, renommez-les ou supprimez-les :"},
        {existing, "DOUBLONS DOSSIERS DETECTES [warning, OK]\nATTENTION ! Les dossiers suivants "
                   "existent déjà, renommez-les ou supprimez-les dans l'Editeur :"},
        {impossible,
         "DOSSIERS IMPOSSIBLES A CREER [warning, OK]\nATTENTION ! Les dossiers suivants "
         "ne pourront pas être créés, renommez-les ou supprimez-les dans l'Editeur :"}};
    QStringList boxes;
    for (const auto& [lines, intro] : reports)
        if (!lines.isEmpty())
            boxes << intro + "\r\n" + lines.join("\r\n");
    return boxes;
}
} // namespace

class TstPreview : public QObject {
    Q_OBJECT
private slots:
    // A change of destination, from the folder list or to a drive's current
    // folder, shows the path and runs the refresh procedure (which the gesture
    // table of the editor's test covers). What cannot be opened is reported;
    // the open folder and its drive then stay.
    void change_data() {
        QTest::addColumn<QString>("how");    // through a "folder", a "drive", or an "unready" drive
        QTest::addColumn<QString>("target"); // in the test tree
        QTest::addColumn<QString>("reason"); // why it cannot be opened, if it cannot
        QTest::newRow("opened") << QString("folder") << "d/cible" << QString();
        QTest::newRow("drive not ready")
            << QString("unready") << "d" << QStringLiteral("Aucun support dans le lecteur.");
        QTest::newRow("a drive's current folder is a file")
            << QString("drive") << "d/notes.txt" << systemReason(Why::NotFolder);
    }

    void change() {
        QFETCH(QString, how);
        QFETCH(QString, target);
        QFETCH(QString, reason);
        PreviewedWindow h; // two "drives" made of folders; the program starts on the first
        h.drives->drives = {h.makeFolder("c"), h.makeFolder("d")};
        const QString start = h.drives->working = h.makeFolder("c/projets");
        h.makeFolder("d/cible/Projet");
        h.writeFile("d/notes.txt", "x");
        const QString path = h.path(target);
        h.drives->current[h.drives->drives[1]] = path;
        if (how == "unready")
            h.drives->unready[path] = reason;
        Form1& w = h.open(start, "Projet\r\nNeuf");
        QVERIFY(w.Command3->isEnabled());
        QSignalSpy changes(w.Dir1, &FolderList::Change);

        how == "folder" ? w.Dir1->setPath(path) : w.Drive1->setDrive(h.drives->drives[1]);
        const bool opened = reason.isEmpty();
        QCOMPARE(QStringList({w.Dir1->path(), w.SB1->panelText(2)}),
                 QStringList(2, opened ? path : start));
        QCOMPARE(changes.count(), int(opened));
        QCOMPARE(h.messages->titles(), // "Projet" exists in "cible"
                 QStringList{opened ? "DOUBLONS DOSSIERS DETECTES [warning, OK]"
                                    : "Répertoire de destination [warning, OK]"});
        QCOMPARE(w.Command3->isEnabled(), !opened);
        if (opened)
            return;
        const QString box = h.messages->boxes.first();
        QVERIFY2(box.contains(path) && box.contains(reason), qPrintable(box));
        QCOMPARE(w.Drive1->drive(), h.drives->drives[0]);
    }

    // A destination deleted, or replaced by a file, since it was opened: before a
    // preview or a creation the user is told why, the nearest folder above it that
    // is still there is opened without a preview, and nothing is made.
    void gone_data() {
        QTest::addColumn<bool>("create"); // the create command, else the preview command
        QTest::addColumn<QString>("removed");
        QTest::addColumn<bool>("file"); // a file takes the destination's name
        QTest::addColumn<QString>("opened");
        QTest::newRow("deleted, then previewed") << false << "d/a/b" << false << "d/a";
        QTest::newRow("replaced by a file, then created") << true << "d/a/b" << true << "d/a";
        QTest::newRow("deleted with its parent, then created") << true << "d/a" << false << "d";
    }

    void gone() {
        QFETCH(bool, create);
        QFETCH(QString, removed);
        QFETCH(bool, file);
        QFETCH(QString, opened);
        PreviewedWindow h;
        h.drives->drives = {h.makeFolder("c"), h.makeFolder("d")};
        h.drives->working = h.makeFolder("c/projets");
        const QString destination = h.makeFolder("d/a/b");
        Form1& w = h.open(destination, "Neuf");
        QVERIFY(w.Command3->isEnabled());
        QDir(h.path(removed)).removeRecursively();
        if (file)
            h.writeFile("d/a/b", "x");
        const int runs = w.previewRuns();

        (create ? w.Command3 : w.Command2)->click();
        QCOMPARE(QStringList({w.Dir1->path(), w.SB1->panelText(2), w.Drive1->drive()}),
                 QStringList({h.path(opened), h.path(opened), h.drives->drives[1]}));
        QCOMPARE(h.messages->titles(), QStringList{"Répertoire de destination [warning, OK]"});
        const QString text = h.messages->boxes.first();
        QVERIFY2(text.contains(destination) && text.endsWith(h.path(opened)), qPrintable(text));
        QVERIFY(!w.Command3->isEnabled());
        QCOMPARE(w.previewRuns(), runs);
        QVERIFY(h.files->asked.isEmpty());
    }

    void reports_data() {
        QTest::addColumn<bool>("atRoot"); // else "dest", holding a folder "a" and a file "notes"
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("names"); // the pane
        QTest::addColumn<QStringList>("shown"); // the boxes
        QTest::newRow(
            "every box; lines of spaces reported, not counted; a duplicate not listed again")
            << false << "   \r\na\r\nb\r\n   \r\na\r\nnotes\r\nb "
            << QStringList{"a", "b", "a", "notes", "b"}
            << boxes({"-    ", "- a"}, {"- a > a", "- a > a"},
                     {"- notes > notes (un fichier porte déjà ce nom)",
                      "- b  > b (même dossier que la ligne « b »)"});
        const QStringList top = QDir::root().entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        const QString there = top.contains("tmp") ? QStringLiteral("tmp") : top.value(0);
        QTest::newRow("drive root; empty lines are no duplicates")
            << true << "\r\n" + there + "\r\n\r\nramulo absent 7f3e"
            << QStringList{there, "ramulo absent 7f3e"}
            << boxes({}, {"- " + there + " > " + there});
    }

    // The pane and its count are on screen before the first box; a run with a box
    // leaves the create command off.
    void reports() {
        QFETCH(bool, atRoot);
        QFETCH(QString, text);
        QFETCH(QStringList, names);
        QFETCH(QStringList, shown);

        PreviewedWindow h;
        const QString destination =
            atRoot ? QDir::toNativeSeparators(QDir::rootPath()) : h.makeFolder("dest");
        h.makeFolder("dest/a");
        h.writeFile("dest/notes", "x");
        QStringList seen; // each box, and the window as it finds it
        h.messages->onShow = [&] {
            seen << QStringLiteral("%1\n%2|%3|%4|%5")
                        .arg(h.messages->boxes.last(), h.w->rtb1->toPlainText(),
                             h.w->SB1->panelText(3), QString::number(h.w->var5),
                             QString::number(h.w->Command3->isEnabled()));
        };
        Form1& w = h.open(destination, text, 0);
        const QString state = names.join("\n") + "|Total : " + QString::number(names.size());
        QCOMPARE(w.rtb1->toPlainText() + "|" + w.SB1->panelText(3), state);
        for (QString& box : shown)
            box += "\n" + state + "|0|0"; // request used up, create command off
        QCOMPARE(seen, shown);
        QCOMPARE(w.Command3->isEnabled(), shown.isEmpty());

        // One lookup per name: the destination, a single separator, the name.
        const QString prefix = atRoot ? destination : destination + QDir::separator();
        QCOMPARE(h.files->looked.join('|'), prefix + names.join('|' + prefix));
    }

    // One folder per non-empty name, in the order of the editor's lines, named
    // with the settings of the click: the list is previewed clean with automatic
    // preview off, then a new prefix is typed. A name that cannot be created
    // stops the run there. The folder list then shows what was made, with no
    // change of destination.
    void creates_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("made");    // in this order, the prefix typed last
        QTest::addColumn<QString>("failingLine"); // a file already has its name

        const QString none;
        QTest::newRow("editor order, blank lines left out")
            << "zeta\r\n\r\nalpha\r\n\r\n\r\nMu\r\n"
            << QStringList{"neuf_zeta", "neuf_alpha", "neuf_Mu"} << none;
        QTest::newRow("empty editor") << "" << QStringList{} << none;
        QTest::newRow("stops at a file of that name")
            << "un\r\ndeux\r\n\r\ntrois\r\nquatre" << QStringList{"neuf_un", "neuf_deux"}
            << "trois";
    }

    void creates() {
        QFETCH(QString, text);
        QFETCH(QStringList, made);
        QFETCH(QString, failingLine);

        PreviewedWindow h;
        const QString destination = h.makeFolder("dest");
        const bool done = failingLine.isEmpty();
        if (!done)
            h.writeFile("dest/neuf_" + failingLine, "x");
        Form1& w = h.open(destination, text, 0);
        w.prefcheck->setValue(1);
        QTest::mouseClick(w.Command2, Qt::LeftButton);
        QVERIFY(w.Command3->isEnabled());
        w.preftext->selectAll();
        QTest::keyClicks(w.preftext, "neuf_");

        QTest::mouseClick(w.Command3, Qt::LeftButton);
        QStringList asked;
        for (const QString& name : done ? made : made + QStringList{"neuf_" + failingLine})
            asked << destination + QDir::separator() + name;
        QCOMPARE(h.files->asked, asked);
        const QString exists = systemReason(Why::Exists);
        QCOMPARE(h.messages->boxes,
                 QStringList{done ? "CREATION DE DOSSIERS EFFECTUEE [information, OK]\n" +
                                        creationMessage(made.size())
                                  : "CREATION DE DOSSIERS INTERROMPUE [warning, OK]\n" +
                                        creationFailureMessage({failingLine, asked.last(), exists},
                                                               made.size())});
        QVERIFY(w.Command3->isEnabled());
        QCOMPARE(w.Dir1->path(), destination);

        // Exactly these folders on disk; the folder list ends with them.
        made.sort();
        QCOMPARE(QDir(destination).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name), made);
        QStringList listed;
        for (int i = w.Dir1->count() - int(made.size()); i < w.Dir1->count(); ++i)
            listed << w.Dir1->rowText(i).trimmed();
        listed.sort();
        QCOMPARE(listed, made);
    }

    // Rows pasted from a spreadsheet, with the tree entry (the report's test
    // has what the pane shows): each missing level is made once, inside the
    // destination, and counted ("xyz" was made on the way to "xyz/ok").
    void createsTree() {
        PreviewedWindow h;
        const QString destination = h.makeFolder("dest");
        h.makeFolder("dest/Client A");
        Form1& w = h.open(destination, "", 0);
        w.Combo3->setCurrentIndex(4);
        w.Text1->setText(
            "Client A\t2025\tFactures\r\n\t\tDevis\r\nClient B\tDevis\r\nxyz/ok\r\nxyz");
        QTest::mouseClick(w.Command2, Qt::LeftButton);
        QTest::mouseClick(w.Command3, Qt::LeftButton);
        QCOMPARE(h.messages->boxes, QStringList{"CREATION DE DOSSIERS EFFECTUEE [information, OK]\n"
                                                "7 dossier(s) créé(s) avec succès !"});
        QStringList made;
        for (QDirIterator it(destination, QDir::Dirs | QDir::NoDotAndDotDot,
                             QDirIterator::Subdirectories);
             it.hasNext();)
            made << QDir(destination).relativeFilePath(it.next());
        made.sort();
        QCOMPARE(made, (QStringList{"Client A", "Client A/2025", "Client A/2025/Devis",
                                    "Client A/2025/Factures", "Client B", "Client B/Devis", "xyz",
                                    "xyz/ok"}));
    }

    // A long creation shows its progress over the window, and the user may stop
    // it: the folders made so far stay, and the message counts them. The box's
    // delays are lowered, and each folder takes a few milliseconds.
    void createsWithProgress() {
        struct SlowFiles : FakeFileSystem {
            std::optional<QString> createFolder(const QString& path) override {
                QThread::msleep(3);
                return FakeFileSystem::createFolder(path);
            }
        };
        PreviewedWindow h;
        h.files = std::make_shared<SlowFiles>();
        const auto restore = qScopeGuard([saved = asideDelays()] { asideDelays() = saved; });
        asideDelays() = {0, 0};
        const QString destination = h.makeFolder("dest");
        QStringList names;
        for (int i = 0; i < 200; ++i)
            names << QString::number(i);
        Form1& w = h.open(destination, names.join("\r\n"), 0);
        QVERIFY(w.Command3->isEnabled());

        int furthest = 0; // the bar's highest value seen, in thousandths
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            const auto* box = w.findChild<QDialog*>("aside");
            if (!box || !box->isVisible())
                return;
            furthest = std::max(furthest, box->findChild<QProgressBar*>()->value());
            auto* stop = box->findChild<QPushButton*>("cancel");
            if (furthest > 0 && stop && stop->isEnabled())
                QTest::mouseClick(stop, Qt::LeftButton);
        });
        watch.start(5);
        QTest::mouseClick(w.Command3, Qt::LeftButton);
        watch.stop();

        const int made = QDir(destination).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
        QVERIFY2(furthest > 0 && furthest <= 1000, qPrintable(QString::number(furthest)));
        QVERIFY(made > 0 && made < 200);
        QCOMPARE(h.files->asked.size(), made);
        QCOMPARE(h.messages->boxes,
                 QStringList{QStringLiteral("CREATION DE DOSSIERS ANNULEE [information, OK]\n"
                                            "Création annulée : %1 dossier(s) créé(s) ; les "
                                            "lignes suivantes n'ont pas été traitées.")
                                 .arg(made)});
    }
};

QTEST_MAIN(TstPreview)
#include "tst_preview.moc"
