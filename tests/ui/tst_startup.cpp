// Start-up and quit, through the window with the service doubles.

#include "app/form1.h"
#include "support/doubles.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTimer>

#include <optional>

using namespace ramulo::test;

class TstStartup : public QObject {
    Q_OBJECT
private slots:
    // Started in <root>/d/projets; the system drive's current folder is the
    // destination. A current folder that cannot be opened gives way to the home
    // folder.
    void startValues_data() {
        QTest::addColumn<QString>("system");
        QTest::addColumn<QString>("folder"); // the destination, its drive first
        QTest::addColumn<int>("previews");
        QTest::addColumn<bool>("presets");    // false: no presets folder
        QTest::addColumn<QString>("working"); // how the current folder is, if not fine
        // clang-format off
        QTest::newRow("process on the system drive") << "d" << "d/projets" << 3 << true << "";
        QTest::newRow("process on another drive") << "c" << "c/courant" << 4 << true << "";
        QTest::newRow("no system drive") << "absent" << "d/projets" << 3 << true << "";
        QTest::newRow("no presets folder") << "d" << "d/projets" << 3 << false << "";
        QTest::newRow("current folder deleted") << "d" << "d/maison" << 3 << true << "deleted";
        QTest::newRow("current folder unreadable") << "d" << "d/maison" << 3 << true << "unreadable";
        // clang-format on
    }
    void startValues() {
        QFETCH(QString, system);
        QFETCH(QString, folder);
        QFETCH(int, previews);
        QFETCH(bool, presets);
        QFETCH(QString, working);
        Harness h;
        h.drives->drives = {h.makeFolder("d"), h.makeFolder("c")};
        h.drives->system = h.path(system);
        h.drives->working = h.makeFolder("d/projets");
        h.drives->home = h.makeFolder("d/maison");
        h.drives->current[h.path("c")] = h.makeFolder("c/courant");
        for (const char* file : {"Mois.txt", "Alphabet.txt", "notes.doc"})
            h.writeFile(QStringLiteral("program/presets/") + file, "A\r\n");
        h.makeFolder("program/presets/dossier.txt");
        h.program->folder = h.makeFolder(presets ? "program" : "ailleurs");
        if (working == "deleted")
            QDir(h.drives->working).removeRecursively();
        std::optional<Form1> started;
        {
            const auto otherUser = working == "unreadable" ? h.unreadable("d/projets") : nullptr;
            started.emplace(h.services());
        }
        Form1& w = *started;
        QCOMPARE(QStringList({w.Drive1->drive(), w.Dir1->path(), w.SB1->panelText(2),
                              w.File1->folder(), w.preftext->text(), w.sufftext->text(),
                              w.Text2->text(), w.Text4->text(), w.Text3->text(), w.Text1->text(),
                              w.rtb1->toPlainText(), w.SB1->panelText(3)}),
                 QStringList({h.path(folder.section(u'/', 0, 0)), h.path(folder), h.path(folder),
                              h.path(presets ? "program/presets" : "ailleurs/presets"), "pre_",
                              "_suff", "1", "1", "10", "", "", "Total : 0"}));
        QCOMPARE(QList({w.Combo1->currentIndex(), w.Combo2->currentIndex(),
                        w.Combo3->currentIndex(), w.prefcheck->value(), w.suffcheck->value(),
                        w.livepreview->value(), w.HScroll1->value(), w.autotab->selectedTab(),
                        w.previewRuns(), w.File1->count(), w.File1->currentRow()}),
                 QList({0, 0, 0, 0, 0, 1, 2, 1, previews, presets ? 2 : 0, -1}));
        QVERIFY(!presets || (w.File1->findItems("Alphabet.txt", {}).size() == 1 &&
                             w.File1->findItems("Mois.txt", {}).size() == 1));
        // The previews of the empty editor were clean; the presets page is shown.
        QCOMPARE(QList({w.preftext->isEnabled(), w.sufftext->isEnabled(), w.Command3->isEnabled(),
                        w.var5, w.Option1[0]->isChecked(), w.Option1[1]->isChecked(),
                        w.Option1[2]->isChecked(), w.Frame3[0]->isVisibleTo(&w),
                        w.Frame3[1]->isVisibleTo(&w), h.messages->boxes.isEmpty()}),
                 QList({false, false, true, false, true, false, false, true, false, true}));
    }

    // At once, without a question even with names in the editor.
    void quitting_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("quit button") << false;
        QTest::newRow("close box") << true;
    }
    void quitting() {
        QFETCH(bool, closeBox);
        Harness h;
        Form1 w(h.services());
        w.show();
        w.Text1->setText("Projet\r\nArchives");
        QTimer::singleShot(0, &w, [&] { closeBox ? void(w.close()) : w.Command1->click(); });
        QTimer::singleShot(5000, &w, [] { QCoreApplication::exit(99); }); // nothing ended it
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!w.isVisible() && h.messages->boxes.isEmpty());
    }
};

QTEST_MAIN(TstStartup)
#include "tst_startup.moc"
