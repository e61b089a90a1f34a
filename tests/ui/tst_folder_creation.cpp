// The create command, through the real window with the service doubles.

#include "app/form1.h"
#include "support/doubles.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <system_error>

using namespace ramulo;
using namespace ramulo::test;

class TstCreation : public QObject {
    Q_OBJECT
private slots:
    void createsOneFolderPerName_data();
    void createsOneFolderPerName();
    void createsWithTheCurrentSettings();
    void rootAndFolderDestinations_data();
    void rootAndFolderDestinations();
    void stopsAtAFailingName_data();
    void stopsAtAFailingName();
    void longList();
};

namespace {
const QString kDoneTitle = QStringLiteral("CREATION DE DOSSIERS EFFECTUEE");
const QString kStoppedTitle = QStringLiteral("CREATION DE DOSSIERS INTERROMPUE");

QString panel(Form1& w, const char* name) {
    return w.findChild<QLabel*>(name)->text();
}

QString doneText(int count) {
    return QString::number(count) + QStringLiteral(" dossier(s) créé(s) avec succès !");
}

// The folder names that the list shows, indents left out.
QStringList rows(const QListWidget* list) {
    QStringList r;
    for (int i = 0; i < list->count(); ++i)
        r << list->item(i)->text().trimmed();
    return r;
}

QStringList foldersIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

QStringList under(const QString& folder, const QStringList& names) {
    QStringList paths;
    for (const QString& name : names)
        paths << folder + QDir::separator() + name;
    return paths;
}

QString systemReason(std::errc code) {
    return QString::fromLocal8Bit(std::make_error_code(code).message());
}

// Puts the list in the editor and previews it; the preview must be clean, as
// the create command is enabled by nothing else.
void previewClean(Form1& w, Harness& h, const QString& text) {
    w.Text1->setText(text);
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    QVERIFY2(h.messages->shown.isEmpty(), qPrintable(h.messages->titles().join(", ")));
    QVERIFY(w.Command3->isEnabled());
}
} // namespace

// One folder per non-empty name, in the order of the editor's lines, then
// the count; the new folders appear in the folder list while the rest of the
// window stays as the preview left it.
void TstCreation::createsOneFolderPerName_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("names"); // in the order they must be created
    QTest::newRow("three names between blank lines") << "Alpha\r\n\r\nBeta\r\n\r\n\r\nGamma\r\n"
                                                     << QStringList{"Alpha", "Beta", "Gamma"};
    QTest::newRow("empty editor") << "" << QStringList{};
    QTest::newRow("lines that give no name") << "   \r\nDelta\r\n???" << QStringList{"Delta"};
    QTest::newRow("editor order") << "zeta\r\nalpha\r\nMu" << QStringList{"zeta", "alpha", "Mu"};
    QTest::newRow("transformed names")
        << "  Projet 2007  \r\nQ1/Q2" << QStringList{"Projet 2007", "Q1Q2"};
}

void TstCreation::createsOneFolderPerName() {
    QFETCH(QString, text);
    QFETCH(QStringList, names);

    Harness h;
    const QString destination = h.makeFolder("dest");
    h.makeFolder("dest/ancien");
    Form1 w(h.services());
    w.Dir1->setPath(destination);
    previewClean(w, h, text);
    if (QTest::currentTestFailed())
        return;

    const QString preview = w.rtb1->toPlainText();
    const QString total = panel(w, "SB1_3");
    const int runs = w.previewRuns();
    const QStringList listed = rows(w.Dir1);
    for (const QString& name : names)
        QVERIFY(!listed.contains(name));
    QSignalSpy changes(w.Dir1, &FolderList::Change);

    QTest::mouseClick(w.Command3, Qt::LeftButton);
    QCOMPARE(h.files->asked, under(destination, names));
    QStringList expectedOnDisk = names + QStringList{"ancien"};
    expectedOnDisk.sort();
    QCOMPARE(foldersIn(destination), expectedOnDisk);

    QCOMPARE(h.messages->titles(), QStringList{kDoneTitle});
    const FakeMessages::Shown box = h.messages->shown.first();
    QCOMPARE(box.text, doneText(names.size()));
    QCOMPARE(box.icon, MessageBoxes::Icon::Information);
    QCOMPARE(box.buttons, MessageBoxes::Buttons::Ok);

    // The folder list shows them, with no change of destination.
    for (const QString& name : names)
        QVERIFY2(rows(w.Dir1).contains(name), qPrintable(name));
    QCOMPARE(rows(w.Dir1).size(), listed.size() + names.size());
    QCOMPARE(w.Dir1->path(), destination);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(w.previewRuns(), runs);
    QCOMPARE(panel(w, "SB1_2"), destination);

    // Nothing else moved.
    QVERIFY(w.Command3->isEnabled());
    QCOMPARE(w.Text1->text(), text);
    QCOMPARE(w.rtb1->toPlainText(), preview);
    QCOMPARE(panel(w, "SB1_3"), total);
}

// The names are made again at the click, with the settings of that moment:
// a prefix text changed after the preview is the one used.
void TstCreation::createsWithTheCurrentSettings() {
    Harness h;
    const QString destination = h.makeFolder("dest");
    Form1 w(h.services());
    w.Dir1->setPath(destination);
    w.livepreview->setValue(0);
    w.prefcheck->setValue(1);
    previewClean(w, h, "a\r\nb");
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(w.rtb1->toPlainText(), QStringLiteral("pre_a\npre_b"));

    w.preftext->selectAll();
    QTest::keyClicks(w.preftext, "neuf_");
    QCOMPARE(w.preftext->text(), QStringLiteral("neuf_"));
    QVERIFY(w.Command3->isEnabled());

    QTest::mouseClick(w.Command3, Qt::LeftButton);
    QCOMPARE(h.files->asked, under(destination, {"neuf_a", "neuf_b"}));
    QCOMPARE(foldersIn(destination), (QStringList{"neuf_a", "neuf_b"}));
    QCOMPARE(h.messages->titles(), QStringList{kDoneTitle});
    QCOMPARE(h.messages->shown.first().text, doneText(2));
    QCOMPARE(w.rtb1->toPlainText(), QStringLiteral("pre_a\npre_b"));
}

// A drive root already ends with its separator; any other folder gets one
// separator before the name.
void TstCreation::rootAndFolderDestinations_data() {
    QTest::addColumn<bool>("atRoot");
    QTest::newRow("folder below the root") << false;
    QTest::newRow("drive root") << true;
}

void TstCreation::rootAndFolderDestinations() {
    QFETCH(bool, atRoot);

    Harness h;
    h.files->recordOnly = true;
    const QString destination =
        atRoot ? QDir::toNativeSeparators(QDir::rootPath()) : h.makeFolder("dest");
    const QString prefix = atRoot ? destination : destination + QDir::separator();
    const QStringList names{"ramulo essai 7f3e", "ramulo_essai_7f3f"};
    Form1 w(h.services());
    w.Dir1->setPath(destination);
    QCOMPARE(w.Dir1->path(), destination);
    previewClean(w, h, names.join("\r\n"));
    if (QTest::currentTestFailed())
        return;

    QTest::mouseClick(w.Command3, Qt::LeftButton);
    QCOMPARE(h.files->asked, (QStringList{prefix + names[0], prefix + names[1]}));
    QCOMPARE(h.messages->titles(), QStringList{kDoneTitle});
    QCOMPARE(h.messages->shown.first().text, doneText(2));
}

// A name that cannot be created stops the run there: the folders before it
// stay, the lines after it are left, and the warning says which line, which
// path, why, and how many folders were made.
void TstCreation::stopsAtAFailingName_data() {
    QTest::addColumn<QString>("cause");
    QTest::addColumn<QStringList>("asked");   // names asked for, in order
    QTest::addColumn<QStringList>("created"); // folders in the destination afterwards
    QTest::addColumn<QString>("rawLine");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("before");
    QTest::addColumn<QString>("reason");

    QTest::newRow("a file of that name")
        << "file" << QStringList{"un", "deux", "mon_dossier"} << QStringList{"deux", "un"}
        << "mon dossier"
        << "mon_dossier" << 2 << systemReason(std::errc::file_exists);
    QTest::newRow("refused by the system") << "refused" << QStringList{"un", "deux", "mon_dossier"}
                                           << QStringList{"deux", "un"} << "mon dossier"
                                           << "mon_dossier" << 2 << QStringLiteral("Accès refusé.");
    QTest::newRow("the same list a second time")
        << "twice" << QStringList{"un"} << QStringList{"deux", "mon_dossier", "quatre", "un"}
        << "un"
        << "un" << 0 << systemReason(std::errc::file_exists);
}

void TstCreation::stopsAtAFailingName() {
    QFETCH(QString, cause);
    QFETCH(QStringList, asked);
    QFETCH(QStringList, created);
    QFETCH(QString, rawLine);
    QFETCH(QString, name);
    QFETCH(int, before);
    QFETCH(QString, reason);

    Harness h;
    const QString destination = h.makeFolder("dest");
    const QString failingPath = destination + QDir::separator() + name;
    if (cause == "file")
        h.writeFile("dest/mon_dossier", "x");
    else if (cause == "refused")
        h.files->failures[failingPath] = reason;
    Form1 w(h.services());
    w.Dir1->setPath(destination);
    w.Combo2->setCurrentIndex(1); // spaces become underscores
    previewClean(w, h, "un\r\ndeux\r\n\r\nmon dossier\r\nquatre");
    if (QTest::currentTestFailed())
        return;
    if (cause == "twice") {
        QTest::mouseClick(w.Command3, Qt::LeftButton);
        QCOMPARE(h.messages->titles(), QStringList{kDoneTitle});
        QVERIFY(w.Command3->isEnabled());
        h.messages->shown.clear();
        h.files->asked.clear();
    }
    const int runs = w.previewRuns();
    QSignalSpy changes(w.Dir1, &FolderList::Change);

    QTest::mouseClick(w.Command3, Qt::LeftButton);
    QCOMPARE(h.files->asked, under(destination, asked));
    QCOMPARE(foldersIn(destination), created);
    if (cause == "file")
        QVERIFY(QFileInfo(failingPath).isFile());

    QCOMPARE(h.messages->titles(), QStringList{kStoppedTitle});
    const FakeMessages::Shown box = h.messages->shown.first();
    QCOMPARE(box.icon, MessageBoxes::Icon::Warning);
    QCOMPARE(box.buttons, MessageBoxes::Buttons::Ok);
    QVERIFY2(box.text.contains(rawLine), qPrintable(box.text));
    QVERIFY2(box.text.contains(failingPath), qPrintable(box.text));
    QVERIFY2(box.text.contains(reason), qPrintable(box.text));
    // The only number left once the path and the reason are taken out is
    // the count of folders made before the failing line.
    QString rest = box.text;
    rest.remove(failingPath).remove(reason);
    QStringList numbers;
    for (const QRegularExpressionMatch& match : QRegularExpression("\\d+").globalMatch(rest))
        numbers << match.captured();
    QCOMPARE(numbers, QStringList{QString::number(before)});

    // The folders made before it are listed, without a change of destination.
    const QStringList listed = rows(w.Dir1);
    for (const QString& folder : created)
        QVERIFY2(listed.contains(folder), qPrintable(folder));
    QCOMPARE(w.Dir1->path(), destination);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(w.previewRuns(), runs);
}

// Long lists are created whole and counted.
void TstCreation::longList() {
    Harness h;
    const QString destination = h.makeFolder("dest");
    Form1 w(h.services());
    w.Dir1->setPath(destination);
    QStringList names;
    for (int i = 1; i <= 5000; ++i)
        names << QStringLiteral("Dossier %1").arg(i, 4, 10, QLatin1Char('0'));
    previewClean(w, h, names.join("\r\n") + "\r\n");
    if (QTest::currentTestFailed())
        return;

    QTest::mouseClick(w.Command3, Qt::LeftButton);
    QCOMPARE(h.messages->titles(), QStringList{kDoneTitle});
    QCOMPARE(h.messages->shown.first().text, doneText(5000));
    QCOMPARE(h.files->asked, under(destination, names));
    QCOMPARE(foldersIn(destination), names);
}

QTEST_MAIN(TstCreation)
#include "tst_folder_creation.moc"
