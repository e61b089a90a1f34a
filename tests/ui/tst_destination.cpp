// The destination: the drive and folder lists, and the window's refresh
// procedure, through the real window with the service doubles.

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
    void refreshProcedure_data();
    void refreshProcedure();
    void driveChange_data();
    void driveChange();
    void driveNotReady();
    void folderCannotBeOpened_data();
    void folderCannotBeOpened();
};

namespace {
const QString kTitle = QStringLiteral("Répertoire de destination");

QString panel(Form1& w, const char* name) {
    return w.findChild<QLabel*>(name)->text();
}

QStringList rows(const QListWidget* list) {
    QStringList r;
    for (int i = 0; i < list->count(); ++i)
        r << list->item(i)->text();
    return r;
}

QListWidgetItem* rowNamed(QListWidget* list, const QString& name) {
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().trimmed() == name)
            return list->item(i);
    return nullptr;
}

QString systemReason(std::errc code) {
    return QString::fromLocal8Bit(std::make_error_code(code).message());
}

// Two "drives" made of folders of the test tree; the program starts on the
// first one, in its folder "projets".
void twoDrives(Harness& h) {
    h.drives->drives = {h.makeFolder("c"), h.makeFolder("d")};
    h.drives->system = h.drives->drives.first();
    h.drives->working = h.makeFolder("c/projets");
}
} // namespace

// Each change of destination disables the create command and shows the
// path; the preview is rebuilt only when automatic preview is ticked
// (exactly 1) or a preview was asked for.
void TstDestination::refreshProcedure_data() {
    QTest::addColumn<int>("automatic");
    QTest::addColumn<bool>("requested");
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("rebuilt");
    QTest::newRow("automatic preview on, path set") << 1 << false << "setPath" << true;
    QTest::newRow("automatic preview on, path property") << 1 << false << "property" << true;
    QTest::newRow("automatic preview on, double-click") << 1 << false << "double-click" << true;
    QTest::newRow("automatic preview on, Enter") << 1 << false << "Enter" << true;
    QTest::newRow("automatic preview off") << 0 << false << "setPath" << false;
    QTest::newRow("automatic preview off, double-click") << 0 << false << "double-click" << false;
    QTest::newRow("grayed counts as off") << 2 << false << "property" << false;
    QTest::newRow("preview requested") << 0 << true << "setPath" << true;
    QTest::newRow("grayed, preview requested") << 2 << true << "Enter" << true;
}

void TstDestination::refreshProcedure() {
    QFETCH(int, automatic);
    QFETCH(bool, requested);
    QFETCH(QString, how);
    QFETCH(bool, rebuilt);

    Harness h;
    h.makeFolder("work/cible/Projet");
    const QString start = h.path("work");
    const QString target = h.path("work/cible");
    Form1 w(h.services());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.livepreview->setValue(automatic);
    w.Text1->setText("Projet\r\nNeuf");
    QTest::mouseClick(w.Command2, Qt::LeftButton); // clean where it is
    QCOMPARE(w.rtb1->toPlainText(), QStringLiteral("Projet\nNeuf"));
    QVERIFY(w.Command3->isEnabled());
    QCOMPARE(panel(w, "SB1_2"), start);

    w.var5 = requested;
    const int runs = w.previewRuns();
    h.messages->shown.clear();
    QSignalSpy changes(w.Dir1, &FolderList::Change);

    if (how == "setPath") {
        w.Dir1->setPath(target);
    } else if (how == "property") {
        QVERIFY(w.Dir1->setProperty("path", target));
    } else {
        QListWidgetItem* item = rowNamed(w.Dir1, "cible");
        QVERIFY(item);
        if (how == "double-click") {
            // As the system sends it: a click, then the double-click.
            w.Dir1->scrollToItem(item);
            const QPoint at = w.Dir1->visualItemRect(item).center();
            QTest::mouseClick(w.Dir1->viewport(), Qt::LeftButton, {}, at);
            QCOMPARE(changes.count(), 0); // a single click opens nothing
            QTest::mouseDClick(w.Dir1->viewport(), Qt::LeftButton, {}, at);
        } else {
            w.Dir1->setCurrentItem(item);
            QTest::keyClick(w.Dir1, Qt::Key_Return);
        }
    }

    QCOMPARE(changes.count(), 1);
    QCOMPARE(w.Dir1->path(), target);
    QCOMPARE(panel(w, "SB1_2"), target);
    QCOMPARE(w.var5, false);
    if (rebuilt) {
        QCOMPARE(w.previewRuns(), runs + 1);
        QCOMPARE(h.messages->titles(), QStringList{"DOUBLONS DOSSIERS DETECTES"});
        QVERIFY(h.messages->shown.first().text.endsWith("\r\n- Projet > Projet"));
    } else {
        QCOMPARE(w.previewRuns(), runs);
        QVERIFY(h.messages->shown.isEmpty());
        QCOMPARE(w.rtb1->toPlainText(), QStringLiteral("Projet\nNeuf"));
        QCOMPARE(panel(w, "SB1_3"), QStringLiteral("Total : 2"));
    }
    QVERIFY(!w.Command3->isEnabled());
}

// Picking a drive opens the folder the system keeps for it, with one run of
// the refresh procedure.
void TstDestination::driveChange_data() {
    QTest::addColumn<QString>("drive");   // "d", or "/" for the real root
    QTest::addColumn<QString>("current"); // the drive's current folder, if it keeps one
    QTest::addColumn<QString>("how");
    QTest::newRow("the drive's current folder") << "d"
                                                << "d/courant"
                                                << "setDrive";
    QTest::newRow("no current folder: its root") << "d"
                                                 << ""
                                                 << "setDrive";
    QTest::newRow("picked with the keyboard") << "d"
                                              << "d/courant"
                                              << "keyboard";
    QTest::newRow("a root keeps its separator") << "/"
                                                << ""
                                                << "keyboard";
}

void TstDestination::driveChange() {
    QFETCH(QString, drive);
    QFETCH(QString, current);
    QFETCH(QString, how);

    Harness h;
    twoDrives(h);
    if (drive == "/")
        h.drives->drives[1] = QDir::toNativeSeparators(QDir::rootPath());
    const QString picked = h.drives->drives[1];
    QString expected = picked;
    if (!current.isEmpty()) {
        expected = h.makeFolder(current);
        h.drives->current[picked] = expected;
    }
    Form1 w(h.services());
    QCOMPARE(w.Drive1->drive(), h.drives->drives[0]);
    QCOMPARE(w.Dir1->path(), h.path("c/projets"));
    w.Text1->setText("Neuf");
    const int runs = w.previewRuns();
    QSignalSpy changes(w.Dir1, &FolderList::Change);

    if (how == "setDrive") {
        w.Drive1->setDrive(picked);
    } else {
        QTest::keyClick(w.Drive1, Qt::Key_Down);
    }

    QCOMPARE(w.Drive1->drive(), picked);
    QCOMPARE(w.Dir1->path(), expected);
    QCOMPARE(panel(w, "SB1_2"), expected);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(w.previewRuns(), runs + 1);
    QCOMPARE(w.rtb1->toPlainText(), QStringLiteral("Neuf"));
    QVERIFY(h.messages->shown.isEmpty());
    QVERIFY(w.Command3->isEnabled());
}

// A drive that is not ready is reported; the destination stays where it was
// and the drive list goes back to its drive, so the same drive can be picked
// again once it is ready.
void TstDestination::driveNotReady() {
    Harness h;
    twoDrives(h);
    const QString ready = h.drives->drives[0];
    const QString notReady = h.drives->drives[1];
    const QString reason = QStringLiteral("Aucun support dans le lecteur.");
    h.drives->unready[notReady] = reason;
    Form1 w(h.services());
    const QString start = w.Dir1->path();
    const QStringList listed = rows(w.Dir1);
    const int runs = w.previewRuns();
    QSignalSpy changes(w.Dir1, &FolderList::Change);

    w.Drive1->setDrive(notReady);
    QCOMPARE(h.messages->titles(), QStringList{kTitle});
    const FakeMessages::Shown box = h.messages->shown.first();
    QVERIFY2(box.text.contains(notReady), qPrintable(box.text));
    QVERIFY2(box.text.contains(reason), qPrintable(box.text));
    QCOMPARE(box.icon, MessageBoxes::Icon::Warning);
    QCOMPARE(box.buttons, MessageBoxes::Buttons::Ok);
    QCOMPARE(w.Drive1->drive(), ready);
    QCOMPARE(w.Dir1->path(), start);
    QCOMPARE(rows(w.Dir1), listed);
    QCOMPARE(panel(w, "SB1_2"), start);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(w.previewRuns(), runs);

    h.drives->unready.clear();
    w.Drive1->setDrive(notReady);
    QCOMPARE(w.Dir1->path(), notReady);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(h.messages->shown.size(), 1);
}

// A folder that cannot be opened is reported with the system's reason; the
// destination stays the open folder, and the drive list shows its drive.
void TstDestination::folderCannotBeOpened_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("target"); // relative to the test tree
    QTest::addColumn<QString>("reason");
    QTest::newRow("a folder that does not exist")
        << "setPath"
        << "c/projets/absent" << systemReason(std::errc::no_such_file_or_directory);
    QTest::newRow("a file, set through the path property")
        << "property"
        << "c/projets/notes.txt" << systemReason(std::errc::not_a_directory);
    QTest::newRow("the drive's current folder is gone")
        << "drive"
        << "d/parti" << systemReason(std::errc::no_such_file_or_directory);
}

void TstDestination::folderCannotBeOpened() {
    QFETCH(QString, how);
    QFETCH(QString, target);
    QFETCH(QString, reason);

    Harness h;
    twoDrives(h);
    h.writeFile("c/projets/notes.txt", "x");
    const QString path = h.path(target);
    if (how == "drive")
        h.drives->current[h.drives->drives[1]] = path;
    Form1 w(h.services());
    const QString start = w.Dir1->path();
    const QStringList listed = rows(w.Dir1);
    const int runs = w.previewRuns();
    QSignalSpy changes(w.Dir1, &FolderList::Change);

    if (how == "setPath")
        w.Dir1->setPath(path);
    else if (how == "property")
        w.Dir1->setProperty("path", path);
    else
        w.Drive1->setDrive(h.drives->drives[1]);

    QCOMPARE(h.messages->titles(), QStringList{kTitle});
    const FakeMessages::Shown box = h.messages->shown.first();
    QVERIFY2(box.text.contains(path), qPrintable(box.text));
    QVERIFY2(box.text.contains(reason), qPrintable(box.text));
    QCOMPARE(box.icon, MessageBoxes::Icon::Warning);
    QCOMPARE(box.buttons, MessageBoxes::Buttons::Ok);
    QCOMPARE(w.Dir1->path(), start);
    QCOMPARE(rows(w.Dir1), listed);
    QCOMPARE(panel(w, "SB1_2"), start);
    QCOMPARE(w.Drive1->drive(), h.drives->drives[0]);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(w.previewRuns(), runs);
}

QTEST_MAIN(TstDestination)
#include "tst_destination.moc"
