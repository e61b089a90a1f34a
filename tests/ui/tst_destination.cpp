// The destination through the real window with the service doubles: the
// drive and folder lists, and the window's refresh procedure.

#include "app/form1.h"
#include "support/doubles.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include <system_error>

using namespace ramulo;
using namespace ramulo::test;

class TstDestination : public QObject {
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
        const auto systemReason = [](std::errc code) {
            return QString::fromLocal8Bit(std::make_error_code(code).message());
        };
        QTest::newRow("opened") << "folder"
                                << "d/cible" << QString();
        QTest::newRow("a drive's current folder") << "drive"
                                                  << "d/cible" << QString();
        QTest::newRow("drive not ready") << "unready"
                                         << "d" << QStringLiteral("Aucun support dans le lecteur.");
        QTest::newRow("no such folder")
            << "folder"
            << "d/absent" << systemReason(std::errc::no_such_file_or_directory);
        QTest::newRow("a drive's current folder is a file")
            << "drive"
            << "d/notes.txt" << systemReason(std::errc::not_a_directory);
    }

    void change() {
        QFETCH(QString, how);
        QFETCH(QString, target);
        QFETCH(QString, reason);
        PreviewedWindow p; // two "drives" made of folders; the program starts on the first
        Harness& h = p.h;
        h.drives->drives = {h.makeFolder("c"), h.makeFolder("d")};
        const QString start = h.drives->working = h.makeFolder("c/projets");
        h.makeFolder("d/cible/Projet");
        h.writeFile("d/notes.txt", "x");
        const QString path = h.path(target);
        h.drives->current[h.drives->drives[1]] = path;
        if (how == "unready")
            h.drives->unready[path] = reason;
        Form1& w = p.open(start, "Projet\r\nNeuf");
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
        PreviewedWindow p;
        Harness& h = p.h;
        h.drives->drives = {h.makeFolder("c"), h.makeFolder("d")};
        h.drives->working = h.makeFolder("c/projets");
        const QString destination = h.makeFolder("d/a/b");
        Form1& w = p.open(destination, "Neuf");
        QVERIFY(w.Command3->isEnabled());
        QDir(h.path(removed)).removeRecursively();
        if (file)
            h.writeFile("d/a/b", "x");
        const int runs = w.previewRuns();
        QSignalSpy changes(w.Dir1, &FolderList::Change);

        (create ? w.Command3 : w.Command2)->click();
        QCOMPARE(QStringList({w.Dir1->path(), w.SB1->panelText(2), w.Drive1->drive()}),
                 QStringList({h.path(opened), h.path(opened), h.drives->drives[1]}));
        QCOMPARE(h.messages->titles(), QStringList{"Répertoire de destination [warning, OK]"});
        const QString text = h.messages->boxes.first();
        QVERIFY2(text.contains(destination) && text.endsWith(h.path(opened)), qPrintable(text));
        QVERIFY(!w.Command3->isEnabled());
        QCOMPARE(w.previewRuns(), runs);
        QCOMPARE(changes.count(), 0);
        QVERIFY(h.files->asked.isEmpty());
    }
};

QTEST_MAIN(TstDestination)
#include "tst_destination.moc"
