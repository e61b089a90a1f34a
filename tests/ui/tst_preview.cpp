// The preview: the names and their count, the two warnings, and the gate of
// the create command, through the real window with the service doubles.

#include "app/form1.h"
#include "support/doubles.h"

#include <QDir>
#include <QTest>

using namespace ramulo;
using namespace ramulo::test;

class TstPreview : public QObject {
    Q_OBJECT
private slots:
    void previewButtonWithAutomaticPreviewOff();
    void reports_data();
    void reports();
    void warningsComeAfterThePreview();
    void rootAndFolderDestinations_data();
    void rootAndFolderDestinations();
    void existenceFollowsTheDestination();
    void loneLineBreaksDoNotSplit();
    void longList();
};

namespace {
const QString kDuplicatesTitle = QStringLiteral("DOUBLONS EDITEURS DETECTES");
const QString kDuplicatesHeading =
    QStringLiteral("ATTENTION ! Les lignes suivantes sont en double dans l'Editeur, "
                   "renommez-les ou supprimez-les :");
const QString kExistingTitle = QStringLiteral("DOUBLONS DOSSIERS DETECTES");
const QString kExistingHeading =
    QStringLiteral("ATTENTION ! Les dossiers suivants existent déjà, renommez-les ou "
                   "supprimez-les dans l'Editeur :");

QString panel(Form1& w, const char* name) {
    return w.findChild<QLabel*>(name)->text();
}

// One box in a form that compares in full and reads well when it differs.
QString describe(const QString& title, MessageBoxes::Icon icon, MessageBoxes::Buttons buttons,
                 const QString& text) {
    const QString iconName = icon == MessageBoxes::Icon::Warning       ? "warning"
                             : icon == MessageBoxes::Icon::Information ? "information"
                                                                       : "no icon";
    const QString buttonsName = buttons == MessageBoxes::Buttons::Ok ? "OK" : "OK, Cancel";
    return title + " [" + iconName + ", " + buttonsName + "]\n" + text;
}

QStringList shownBoxes(const Harness& h) {
    QStringList boxes;
    for (const FakeMessages::Shown& box : h.messages->shown)
        boxes << describe(box.title, box.icon, box.buttons, box.text);
    return boxes;
}

// A warning of the preview: the heading, then one report line per line.
QString warning(const QString& title, const QString& heading, const QStringList& lines) {
    return describe(title, MessageBoxes::Icon::Warning, MessageBoxes::Buttons::Ok,
                    heading + "\r\n" + lines.join("\r\n"));
}

// The boxes a preview shows for these reports, in the order it must show them.
QStringList expectedBoxes(const QStringList& duplicates, const QStringList& existing) {
    QStringList boxes;
    if (!duplicates.isEmpty())
        boxes << warning(kDuplicatesTitle, kDuplicatesHeading, duplicates);
    if (!existing.isEmpty())
        boxes << warning(kExistingTitle, kExistingHeading, existing);
    return boxes;
}

// Puts the list in the editor and asks for a preview with the preview button.
void previewList(Form1& w, Harness& h, const QString& text) {
    w.Text1->setText(text);
    h.messages->shown.clear();
    QTest::mouseClick(w.Command2, Qt::LeftButton);
}

// The file system of the doubles, also keeping every existence question.
class AskedFiles : public FakeFileSystem {
public:
    QStringList existsAsked;
    bool folderExists(const QString& path) override {
        existsAsked << path;
        return FakeFileSystem::folderExists(path);
    }
};

QString rootFolder() {
    return QDir::toNativeSeparators(QDir::rootPath());
}
} // namespace

// With automatic preview off only the preview button rebuilds the preview;
// the request it makes is used up by that preview, so a later change of
// destination does not rebuild it.
void TstPreview::previewButtonWithAutomaticPreviewOff() {
    Harness h;
    const QString first = h.makeFolder("premier");
    h.makeFolder("second/Projet");
    const QString second = h.path("second");
    Form1 w(h.services());
    w.livepreview->setValue(0);
    w.Dir1->setPath(first);
    w.Text1->setText("Projet\r\nNeuf");
    const int runs = w.previewRuns();
    QCOMPARE(w.var5, false);

    QList<bool> requestWhileShown;
    h.messages->onShow = [&] {
        requestWhileShown << w.var5;
    };

    QTest::mouseClick(w.Command2, Qt::LeftButton);
    QCOMPARE(w.previewRuns(), runs + 1);
    QCOMPARE(w.rtb1->toPlainText(), QStringLiteral("Projet\nNeuf"));
    QCOMPARE(panel(w, "SB1_3"), QStringLiteral("Total : 2"));
    QCOMPARE(w.var5, false);
    QVERIFY(h.messages->shown.isEmpty());
    QVERIFY(w.Command3->isEnabled());

    // Another destination, where "Projet" exists: nothing is rebuilt.
    w.Dir1->setPath(second);
    QCOMPARE(panel(w, "SB1_2"), second);
    QCOMPARE(w.previewRuns(), runs + 1);
    QVERIFY(h.messages->shown.isEmpty());
    QCOMPARE(w.rtb1->toPlainText(), QStringLiteral("Projet\nNeuf"));
    QCOMPARE(panel(w, "SB1_3"), QStringLiteral("Total : 2"));
    QVERIFY(!w.Command3->isEnabled());

    // The button previews against the new destination.
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    QCOMPARE(w.previewRuns(), runs + 2);
    QCOMPARE(shownBoxes(h), expectedBoxes({}, {"- Projet > Projet"}));
    QCOMPARE(requestWhileShown, QList<bool>{false}); // cleared before anything is shown
    QCOMPARE(w.var5, false);
    QVERIFY(!w.Command3->isEnabled());

    // Back to the first folder: the request is not pending any more.
    w.Dir1->setPath(first);
    QCOMPARE(w.previewRuns(), runs + 2);
    QCOMPARE(h.messages->shown.size(), 1);
    QVERIFY(!w.Command3->isEnabled());
}

void TstPreview::reports_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caseMode");
    QTest::addColumn<int>("separatorMode");
    QTest::addColumn<bool>("prefix");
    QTest::addColumn<QStringList>("folders"); // already in the destination
    QTest::addColumn<QStringList>("files");   // plain files in the destination
    QTest::addColumn<QString>("preview");     // the pane, lines joined by "\n"
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("duplicates");
    QTest::addColumn<QStringList>("existing");

    const QStringList none;
    QTest::newRow("empty editor") << "" << 0 << 0 << false << none << none << "" << 0 << none
                                  << none;
    QTest::newRow("clean list") << "Projet\r\nArchives 2007" << 0 << 0 << false << none << none
                                << "Projet\nArchives 2007" << 2 << none << none;
    QTest::newRow("a line twice") << "a\r\nb\r\na" << 0 << 0 << false << none << none << "a\nb\na"
                                  << 3 << QStringList{"- a"} << none;
    QTest::newRow("a line twice, ending with CR LF")
        << "a\r\nb\r\na\r\n"
        << 0 << 0 << false << none << none << "a\nb\na" << 3 << QStringList{"- a"} << none;
    QTest::newRow("a line three times gives three report lines")
        << "x\r\nx\r\ny\r\nx" << 0 << 0 << false << none << none << "x\nx\ny\nx" << 4
        << QStringList{"- x", "- x", "- x"} << none;
    QTest::newRow("letter case keeps lines apart")
        << "Dossier\r\ndossier" << 1 << 0 << false << none << none << "dossier\ndossier" << 2
        << none << none;
    QTest::newRow("different lines giving the same name")
        << "a b\r\na_b" << 0 << 1 << false << none << none << "a_b\na_b" << 2 << none << none;
    QTest::newRow("a trailing space is trimmed from the name only")
        << "a\r\na " << 0 << 0 << false << none << none << "a\na" << 2 << none << none;
    QTest::newRow("lines of spaces: duplicates, but no names")
        << "   \r\nNom\r\n   " << 0 << 0 << false << none << none << "Nom" << 1
        << QStringList{"-    "} << none;
    QTest::newRow("empty lines are never reported")
        << "\r\na\r\n\r\n\r\nb\r\n\r\n"
        << 0 << 0 << false << none << none << "a\nb" << 2 << none << none;
    QTest::newRow("empty lines take no prefix")
        << "\r\na\r\n\r\n"
        << 0 << 0 << true << none << none << "pre_a" << 1 << none << none;
    QTest::newRow("existing folder")
        << "Projet\r\nNeuf" << 0 << 0 << false << QStringList{"Projet"} << none << "Projet\nNeuf"
        << 2 << none << QStringList{"- Projet > Projet"};
    QTest::newRow("existing folder, ending with CR LF")
        << "Projet\r\nNeuf\r\n"
        << 0 << 0 << false << QStringList{"Projet"} << none << "Projet\nNeuf" << 2 << none
        << QStringList{"- Projet > Projet"};
    QTest::newRow("existing under its transformed name")
        << "mon dossier\r\nautre" << 3 << 1 << false << QStringList{"Mon_dossier"} << none
        << "Mon_dossier\nAutre" << 2 << none << QStringList{"- mon dossier > Mon_dossier"};
    QTest::newRow("a file is no folder")
        << "Rapport" << 0 << 0 << false << none << QStringList{"Rapport"} << "Rapport" << 1 << none
        << none;
    QTest::newRow("duplicate whose folder exists: both boxes")
        << "a\r\nb\r\na" << 0 << 0 << false << QStringList{"a"} << none << "a\nb\na" << 3
        << QStringList{"- a"} << QStringList{"- a > a", "- a > a"};
}

void TstPreview::reports() {
    QFETCH(QString, text);
    QFETCH(int, caseMode);
    QFETCH(int, separatorMode);
    QFETCH(bool, prefix);
    QFETCH(QStringList, folders);
    QFETCH(QStringList, files);
    QFETCH(QString, preview);
    QFETCH(int, count);
    QFETCH(QStringList, duplicates);
    QFETCH(QStringList, existing);

    Harness h;
    const QString destination = h.makeFolder("dest");
    for (const QString& folder : folders)
        h.makeFolder("dest/" + folder);
    for (const QString& file : files)
        h.writeFile("dest/" + file, "x");
    Form1 w(h.services());
    w.Dir1->setPath(destination);
    w.Combo1->setCurrentIndex(caseMode);
    w.Combo2->setCurrentIndex(separatorMode);
    w.prefcheck->setValue(prefix ? 1 : 0);
    w.Text1->setText("stale\r\nlist");
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    QVERIFY(w.Command3->isEnabled());

    previewList(w, h, text);
    QCOMPARE(w.rtb1->toPlainText(), preview);
    QCOMPARE(panel(w, "SB1_3"), "Total : " + QString::number(count));
    QCOMPARE(shownBoxes(h), expectedBoxes(duplicates, existing));
    QCOMPARE(w.Command3->isEnabled(), duplicates.isEmpty() && existing.isEmpty());
    QCOMPARE(w.var5, false);
}

// The preview and its count are on screen before the first warning, and the
// create command stays disabled while the warnings are read and after.
void TstPreview::warningsComeAfterThePreview() {
    Harness h;
    const QString destination = h.makeFolder("dest");
    h.makeFolder("dest/Projet");
    Form1 w(h.services());
    w.Dir1->setPath(destination);
    w.Text1->setText("un\r\nun\r\nProjet");
    w.livepreview->setValue(0);
    QTest::mouseClick(w.Command2, Qt::LeftButton); // a warned run
    QVERIFY(!w.Command3->isEnabled());

    struct Seen {
        QString title, preview, total;
        bool request, create;
    };
    QList<Seen> seen;
    h.messages->onShow = [&] {
        seen.append({h.messages->shown.last().title, w.rtb1->toPlainText(), panel(w, "SB1_3"),
                     w.var5, w.Command3->isEnabled()});
    };
    previewList(w, h, "deux\r\ndeux\r\nProjet\r\ntrois");
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen[0].title, kDuplicatesTitle);
    QCOMPARE(seen[1].title, kExistingTitle);
    for (const Seen& box : seen) {
        QCOMPARE(box.preview, QStringLiteral("deux\ndeux\nProjet\ntrois"));
        QCOMPARE(box.total, QStringLiteral("Total : 4"));
        QCOMPARE(box.request, false);
        QCOMPARE(box.create, false);
    }
    QVERIFY(!w.Command3->isEnabled());

    // Once the list is clean again, the create command comes back.
    previewList(w, h, "deux\r\ntrois");
    QVERIFY(h.messages->shown.isEmpty());
    QVERIFY(w.Command3->isEnabled());
}

// The existence question for a name is the destination, one separator, and
// the name; a drive root already ends with its separator.
void TstPreview::rootAndFolderDestinations_data() {
    QTest::addColumn<bool>("atRoot");
    QTest::newRow("folder below the root") << false;
    QTest::newRow("drive root") << true;
}

void TstPreview::rootAndFolderDestinations() {
    QFETCH(bool, atRoot);

    Harness h;
    auto files = std::make_shared<AskedFiles>();
    h.files = files;
    QString destination;
    QString existingName;
    QString prefix; // what comes before a name in a full path
    if (atRoot) {
        destination = rootFolder();
        prefix = destination;
        const QStringList top = QDir::root().entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        existingName = top.contains("tmp") ? QStringLiteral("tmp") : top.value(0);
        QVERIFY(!existingName.isEmpty());
    } else {
        destination = h.makeFolder("dest");
        prefix = destination + QDir::separator();
        existingName = QStringLiteral("Projet");
        h.makeFolder("dest/Projet");
    }
    const QString absentName = QStringLiteral("ramulo sans dossier 7f3e");
    Form1 w(h.services());
    w.Dir1->setPath(destination);
    QCOMPARE(w.Dir1->path(), destination);

    files->existsAsked.clear();
    previewList(w, h, existingName + "\r\n\r\n" + absentName + "\r\n");
    QCOMPARE(files->existsAsked, (QStringList{prefix + existingName, prefix + absentName}));
    QCOMPARE(shownBoxes(h), expectedBoxes({}, {"- " + existingName + " > " + existingName}));
    QCOMPARE(panel(w, "SB1_3"), QStringLiteral("Total : 2"));
}

// The existence check asks about the destination open at the moment of the run.
void TstPreview::existenceFollowsTheDestination() {
    Harness h;
    const QString first = h.makeFolder("premier");
    h.makeFolder("premier/x");
    const QString second = h.makeFolder("second");
    h.makeFolder("second/y");
    const QString third = h.makeFolder("troisieme");
    Form1 w(h.services());
    w.Text1->setText("x\r\ny");

    // Automatic preview is on: each new destination previews at once.
    w.Dir1->setPath(first);
    QCOMPARE(shownBoxes(h), expectedBoxes({}, {"- x > x"}));
    QVERIFY(!w.Command3->isEnabled());

    h.messages->shown.clear();
    w.Dir1->setPath(second);
    QCOMPARE(shownBoxes(h), expectedBoxes({}, {"- y > y"}));
    QVERIFY(!w.Command3->isEnabled());

    h.messages->shown.clear();
    w.Dir1->setPath(third);
    QCOMPARE(shownBoxes(h), QStringList{});
    QVERIFY(w.Command3->isEnabled());
    QCOMPARE(w.rtb1->toPlainText(), QStringLiteral("x\ny"));
}

// Only a CR LF pair ends a line: a lone CR or LF stays inside its line, in
// the name and in the duplicate check.
void TstPreview::loneLineBreaksDoNotSplit() {
    Harness h;
    const QString destination = h.makeFolder("dest");
    Form1 w(h.services());
    w.Dir1->setPath(destination);

    previewList(w, h, QStringLiteral("a\rb\r\nc\nd\r\nc\nd"));
    QCOMPARE(panel(w, "SB1_3"), QStringLiteral("Total : 3"));
    QCOMPARE(w.rtb1->toPlainText(), QStringLiteral("a\rb\nc\nd\nc\nd"));
    QCOMPARE(shownBoxes(h), expectedBoxes({QStringLiteral("- c\nd")}, {}));
}

// Long lists are previewed whole: every name shown, counted and looked up,
// and a line that repeats one of the last thousands still reported.
void TstPreview::longList() {
    Harness h;
    const QString destination = h.makeFolder("dest");
    Form1 w(h.services());
    w.Dir1->setPath(destination);

    QStringList lines;
    for (int i = 1; i <= 4999; ++i)
        lines << QStringLiteral("Dossier %1").arg(i, 4, 10, QLatin1Char('0'));

    const int asked = h.files->existsCalls;
    previewList(w, h, lines.join("\r\n"));
    QCOMPARE(w.rtb1->toPlainText(), lines.join("\n"));
    QCOMPARE(panel(w, "SB1_3"), QStringLiteral("Total : 4999"));
    QCOMPARE(h.files->existsCalls - asked, 4999);
    QCOMPARE(shownBoxes(h), QStringList{});
    QVERIFY(w.Command3->isEnabled());

    lines << QStringLiteral("Dossier 4321");
    previewList(w, h, lines.join("\r\n"));
    QCOMPARE(w.rtb1->toPlainText(), lines.join("\n"));
    QCOMPARE(panel(w, "SB1_3"), QStringLiteral("Total : 5000"));
    QCOMPARE(shownBoxes(h), expectedBoxes({"- Dossier 4321"}, {}));
    QVERIFY(!w.Command3->isEnabled());
}

QTEST_MAIN(TstPreview)
#include "tst_preview.moc"
