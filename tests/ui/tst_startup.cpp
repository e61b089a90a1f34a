// Start-up, quit and the preview command, through the real window with the
// service doubles.

#include "app/form1.h"
#include "support/doubles.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace ramulo;
using namespace ramulo::test;

class TstStartup : public QObject {
    Q_OBJECT
private slots:
    void startValues();
    void systemDriveElsewhere();
    void withoutSystemDrive();
    void presetList();
    void withoutPresetsFolder();
    void chainReadsTheControls_data();
    void chainReadsTheControls();
    void previewButtonWithAutomaticPreviewOff();
    void quitButtonEndsTheProgram();
    void closeBoxEndsTheProgram();
};

namespace {
QString panel(Form1& w, const char* name) {
    return w.findChild<QLabel*>(name)->text();
}
} // namespace

void TstStartup::startValues() {
    Harness h;
    Form1 w(h.services());

    // The formatting settings.
    QCOMPARE(w.Combo1->currentIndex(), 0);
    QCOMPARE(w.Combo2->currentIndex(), 0);
    QCOMPARE(w.Combo3->currentIndex(), 0);
    QCOMPARE(w.Combo1->currentText(), QStringLiteral("(casse originale)"));
    QCOMPARE(w.Combo2->currentText(), QStringLiteral("(aucun remplacement)"));
    QCOMPARE(w.Combo3->currentText(), QStringLiteral("Caractères interdits supprimés :"));
    QCOMPARE(w.prefcheck->value(), 0);
    QCOMPARE(w.suffcheck->value(), 0);
    QCOMPARE(w.preftext->text(), QStringLiteral("pre_"));
    QCOMPARE(w.sufftext->text(), QStringLiteral("_suff"));
    QVERIFY(!w.preftext->isEnabled());
    QVERIFY(!w.sufftext->isEnabled());
    QCOMPARE(w.livepreview->value(), 1);
    QCOMPARE(w.var5, false);

    // The generator.
    QVERIFY(w.Option1[0]->isChecked());
    QVERIFY(!w.Option1[1]->isChecked());
    QVERIFY(!w.Option1[2]->isChecked());
    QCOMPARE(w.Text2->text(), QStringLiteral("1"));
    QCOMPARE(w.Text4->text(), QStringLiteral("1"));
    QCOMPARE(w.Text3->text(), QStringLiteral("10"));
    QCOMPARE(w.HScroll1->value(), 2);
    QCOMPARE(w.Label2->text(), QStringLiteral("Affichage à 2 chiffres"));

    // Editor, preview, destination and the create command: the three start-up
    // previews of the empty editor were clean.
    QCOMPARE(w.Text1->text(), QString());
    QCOMPARE(w.rtb1->toPlainText(), QString());
    QCOMPARE(w.previewRuns(), 3);
    QVERIFY(h.messages->shown.isEmpty());
    QVERIFY(w.Command3->isEnabled());
    QCOMPARE(panel(w, "SB1_1"), QStringLiteral("Destination :"));
    QCOMPARE(panel(w, "SB1_3"), QStringLiteral("Total : 0"));
    QCOMPARE(w.Dir1->path(), h.path("work"));
    QCOMPARE(panel(w, "SB1_2"), h.path("work"));
    QCOMPARE(w.Drive1->drive(), h.drives->system);
    QCOMPARE(w.Drive1->property("drive").toString(), h.drives->system);
    QCOMPARE(w.Dir1->property("path").toString(), h.path("work"));

    // The presets page is the one shown.
    QCOMPARE(w.autotab->selectedTab(), 1);
    QVERIFY(w.Frame3[0]->isVisibleTo(&w));
    QVERIFY(!w.Frame3[1]->isVisibleTo(&w));
}

// The process starts on another drive: the system drive's current folder
// becomes the destination, with one more preview.
void TstStartup::systemDriveElsewhere() {
    Harness h;
    const QString other = h.makeFolder("d");
    const QString system = h.makeFolder("c");
    h.drives->drives = {other, system};
    h.drives->system = system;
    h.drives->working = h.makeFolder("d/projets");
    h.drives->current[system] = h.makeFolder("c/courant");

    Form1 w(h.services());
    QCOMPARE(w.Drive1->drive(), system);
    QCOMPARE(w.Dir1->path(), h.path("c/courant"));
    QCOMPARE(panel(w, "SB1_2"), h.path("c/courant"));
    QCOMPARE(w.previewRuns(), 4);
    QVERIFY(w.Command3->isEnabled());
}

void TstStartup::withoutSystemDrive() {
    Harness h;
    h.drives->system = h.path("absent");
    Form1 w(h.services());
    QCOMPARE(w.Dir1->path(), h.path("work"));
    QCOMPARE(panel(w, "SB1_2"), h.path("work"));
    QCOMPARE(w.previewRuns(), 3);
    QVERIFY(w.Command3->isEnabled());
}

void TstStartup::presetList() {
    Harness h;
    h.writeFile("program/presets/Mois.txt", "Janvier\r\n");
    h.writeFile("program/presets/Alphabet.txt", "A\r\n");
    h.writeFile("program/presets/notes.doc", "x");
    h.makeFolder("program/presets/dossier.txt.d");
    Form1 w(h.services());
    QCOMPARE(w.File1->folder(), h.path("program/presets"));
    QStringList rows;
    for (int i = 0; i < w.File1->count(); ++i)
        rows << w.File1->item(i)->text();
    rows.sort();
    QCOMPARE(rows, (QStringList{"Alphabet.txt", "Mois.txt"}));
    QCOMPARE(w.File1->currentRow(), -1);
    QVERIFY(w.Text1->text().isEmpty()); // nothing is loaded at start-up
}

void TstStartup::withoutPresetsFolder() {
    Harness h;
    h.program->folder = h.makeFolder("ailleurs");
    Form1 w(h.services());
    QCOMPARE(w.File1->count(), 0);
    QVERIFY(h.messages->shown.isEmpty());
    QVERIFY(w.Command3->isEnabled());
}

// Each formatting control feeds its own step of the chain, read at every call.
void TstStartup::chainReadsTheControls_data() {
    QTest::addColumn<int>("caseMode");
    QTest::addColumn<int>("separatorMode");
    QTest::addColumn<int>("forbiddenMode");
    QTest::addColumn<int>("prefix");
    QTest::addColumn<QString>("prefixText");
    QTest::addColumn<int>("suffix");
    QTest::addColumn<QString>("suffixText");
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("expected");
    QTest::newRow("start values") << 0 << 0 << 0 << 0 << "pre_" << 0 << "_suff"
                                  << " Mon dossier "
                                  << "Mon dossier";
    QTest::newRow("case list") << 4 << 0 << 0 << 0 << "pre_" << 0 << "_suff"
                               << "mon été"
                               << "MON ÉTÉ";
    QTest::newRow("separator list") << 0 << 1 << 0 << 0 << "pre_" << 0 << "_suff"
                                    << "a b-c"
                                    << "a_b-c";
    QTest::newRow("forbidden list") << 0 << 0 << 3 << 0 << "pre_" << 0 << "_suff"
                                    << "a/b"
                                    << "a-b";
    QTest::newRow("prefix switch and text") << 0 << 0 << 0 << 1 << "x:" << 0 << "_suff"
                                            << "a"
                                            << "xa";
    QTest::newRow("suffix switch and text") << 0 << 0 << 0 << 0 << "pre_" << 1 << " fin"
                                            << "a"
                                            << "a fin";
    QTest::newRow("grayed switch counts as on") << 0 << 0 << 0 << 2 << "p" << 2 << "s"
                                                << "a"
                                                << "pas";
    QTest::newRow("all together") << 3 << 1 << 2 << 1 << "le " << 1 << " ?"
                                  << "mon dossier"
                                  << "Le_mon_dossier__";
}

void TstStartup::chainReadsTheControls() {
    QFETCH(int, caseMode);
    QFETCH(int, separatorMode);
    QFETCH(int, forbiddenMode);
    QFETCH(int, prefix);
    QFETCH(QString, prefixText);
    QFETCH(int, suffix);
    QFETCH(QString, suffixText);
    QFETCH(QString, raw);
    QFETCH(QString, expected);

    Harness h;
    Form1 w(h.services());
    w.livepreview->setValue(0);
    w.Combo1->setCurrentIndex(caseMode);
    w.Combo2->setCurrentIndex(separatorMode);
    w.Combo3->setCurrentIndex(forbiddenMode);
    w.prefcheck->setValue(prefix);
    w.preftext->setText(prefixText);
    w.suffcheck->setValue(suffix);
    w.sufftext->setText(suffixText);
    QCOMPARE(w.Applycasse(w.Applyadds(raw)), expected);
    // The raw line itself is never touched.
    QCOMPARE(w.Applyadds(QString()), QString());
}

// The preview button rebuilds the preview even with automatic preview off,
// and leaves no request pending.
void TstStartup::previewButtonWithAutomaticPreviewOff() {
    Harness h;
    Form1 w(h.services());
    w.livepreview->setValue(0);
    w.Text1->setText("b\r\n\r\na");
    QVERIFY(!w.Command3->isEnabled());
    const int before = w.previewRuns();

    QTest::mouseClick(w.Command2, Qt::LeftButton);
    QCOMPARE(w.previewRuns(), before + 1);
    QCOMPARE(w.rtb1->toPlainText(), QStringLiteral("b\na"));
    QCOMPARE(panel(w, "SB1_3"), QStringLiteral("Total : 2"));
    QCOMPARE(w.var5, false);
    QVERIFY(w.Command3->isEnabled());
}

namespace {
// Runs the application's event loop until something ends it; fails the
// caller if nothing does within a few seconds.
int runUntilQuit() {
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(5000);
    return QApplication::exec();
}
} // namespace

void TstStartup::quitButtonEndsTheProgram() {
    Harness h;
    Form1 w(h.services());
    w.show();
    w.Text1->setText("Projet\r\nArchives"); // names in the editor: still no question
    QTimer::singleShot(0, &w, [&w] { QTest::mouseClick(w.Command1, Qt::LeftButton); });
    QCOMPARE(runUntilQuit(), 0);
    QVERIFY(!w.isVisible());
    QVERIFY(h.messages->shown.isEmpty());
}

void TstStartup::closeBoxEndsTheProgram() {
    Harness h;
    Form1 w(h.services());
    w.show();
    QTimer::singleShot(0, &w, [&w] { w.close(); });
    QCOMPARE(runUntilQuit(), 0);
    QVERIFY(!w.isVisible());
    QVERIFY(h.messages->shown.isEmpty());
}

QTEST_MAIN(TstStartup)
#include "tst_startup.moc"
