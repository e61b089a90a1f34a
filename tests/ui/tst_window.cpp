// The window as a whole: start-up, command line, quitting, keyboard, screen readers, About.

#include "about/frmabout.h"
#include "support/doubles.h"

#include <QAccessible>
#include <QProcess>

using namespace ramulo::test;

namespace {
// The keyboard order of the controls that take focus, as designed.
const QStringList kTabOrder{"Command1",    "Command2", "Drive1",    "Dir1",      "Command3",  "autotab",
                            "File1",       "Text1",    "rtb1",      "Slider1",   "Command4",  "Combo1",
                            "prefcheck",   "preftext", "suffcheck", "sufftext",  "Combo2",    "Command5",
                            "livepreview", "Combo3",   "Text2",     "Text4",     "Text3",     "HScroll1",
                            "Command6",    "Command7", "Command8",  "Option1_0", "Option1_1", "Option1_2"};
} // namespace

class TstWindow : public QObject {
    Q_OBJECT
    Harness m_h;
    std::optional<Form1> m_w;

    void showWindow() {
        m_w.emplace(m_h.services());
        m_w->show();
        QApplication::setActiveWindow(&*m_w);
        QVERIFY(QTest::qWaitForWindowActive(&*m_w));
    }

private slots:
    // Started in <root>/d/projets, the destination is the system drive's current folder, or
    // home if that cannot be opened, or the folder given on the command line if it can be:
    // if not, a box says so once the window shows.
    void startValues_data() {
        QTest::addColumn<QStringList>("row"); // system drive, destination, given, how
        QTest::addColumn<int>("previews");
        QTest::newRow("process on the system drive") << QStringList{"d", "d/projets", "", ""} << 3;
        QTest::newRow("process on another drive") << QStringList{"c", "c/courant", "", ""} << 4;
        QTest::newRow("no system drive") << QStringList{"absent", "d/projets", "", ""} << 3;
        QTest::newRow("no presets folder") << QStringList{"d", "d/projets", "", "no presets"} << 3;
        QTest::newRow("current folder deleted") << QStringList{"d", "d/maison", "", "deleted"} << 3;
        QTest::newRow("folder given") << QStringList{"c", "d/donné", "d/donné", ""} << 3;
        QTest::newRow("folder given is absent") << QStringList{"c", "c/courant", "d/absent", ""} << 4;
    }
    void startValues() {
        QFETCH(QStringList, row);
        QFETCH(int, previews);
        const QString folder = row[1], given = row[2];
        const bool presets = row[3] != "no presets";
        Harness h;
        h.drives->drives = {h.makeFolder("d"), h.makeFolder("c")};
        h.drives->system = h.path(row[0]);
        h.drives->working = h.makeFolder("d/projets");
        h.drives->home = h.makeFolder("d/maison");
        h.drives->current[h.path("c")] = h.makeFolder("c/courant");
        h.makeFolder("d/donné");
        for (const char* file : {"Mois.txt", "Alphabet.txt", "notes.doc"})
            h.writeFile(QStringLiteral("program/presets/") + file, "A\r\n");
        h.makeFolder("program/presets/dossier.txt");
        h.program->folder = h.makeFolder(presets ? "program" : "ailleurs");
        if (row[3] == "deleted")
            QDir(h.drives->working).removeRecursively();
        Form1 w(h.services(), given.isEmpty() ? QString() : h.path(given));
        QCOMPARE(QStringList({w.Drive1->drive(), w.Dir1->path(), w.SB1->panelText(2), w.File1->folders().join(u'|'),
                              w.preftext->text(), w.sufftext->text(), w.Text2->text(), w.Text4->text(), w.Text3->text(),
                              w.Text1->text(), w.rtb1->toPlainText(), w.SB1->panelText(3)}),
                 QStringList({h.path(folder.section(u'/', 0, 0)), h.path(folder), h.path(folder),
                              h.path(presets ? "program/presets" : "ailleurs/presets"), "pre_", "_suff", "1", "1", "10",
                              "", "", "Total : 0"}));
        QCOMPARE(QList({w.Combo1->currentIndex(), w.Combo2->currentIndex(), w.Combo3->currentIndex(),
                        w.prefcheck->value(), w.suffcheck->value(), w.livepreview->value(), w.HScroll1->value(),
                        w.autotab->selectedTab(), w.previewRuns(), w.File1->count(), w.File1->currentRow()}),
                 QList({0, 0, 0, 0, 0, 1, 2, 1, previews, presets ? 2 : 0, -1}));
        // The previews of the empty editor were clean; the presets page is shown.
        QCOMPARE(
            QList({w.preftext->isEnabled(), w.sufftext->isEnabled(), w.Command3->isEnabled(), w.Command8->isEnabled(),
                   w.var5, w.Option1[0]->isChecked(), w.Option1[1]->isChecked(), w.Option1[2]->isChecked(),
                   w.Frame3[0]->isVisibleTo(&w), w.Frame3[1]->isVisibleTo(&w), h.messages->boxes.isEmpty()}),
            QList({false, false, true, false, false, true, false, false, true, false, true}));
        w.show();
        const QString refused = "Répertoire de destination [warning, OK]\nImpossible d'ouvrir le dossier " +
                                h.path(given) + " :\r\n" + systemReason(Why::NotFound) +
                                "\r\nDestination : " + h.path(folder);
        QTRY_COMPARE(h.messages->boxes, given.isEmpty() || given == folder ? QStringList() : QStringList(refused));
    }

    // With no display: help and version on standard output, a wrong command line on standard
    // error with code 2, a window refused with code 1 rather than aborted.
    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("said"); // exit code (-1: the window is up), the
                                               // beginning of the output, the error output
        const QString more = "\nPour en savoir plus : ramulo --help\n";
        const QString version = "Ramulo " RAMULO_PROJECT_VERSION "\n";
        // clang-format off
        QTest::newRow("--help") << QStringList{"--help"} << QStringList{"0", "Utilisation : ramulo [OPTION] [DOSSIER]\n", ""};
        QTest::newRow("-h") << QStringList{"-h"} << QStringList{"0", "Utilisation : ramulo ", ""};
        QTest::newRow("--version") << QStringList{"--version", "/"} << QStringList{"0", version, ""};
        QTest::newRow("-v") << QStringList{"-v"} << QStringList{"0", version, ""};
        QTest::newRow("unknown option") << QStringList{"-reverse", "/", "--dossier=/"}
            << QStringList{"2", "", "ramulo : option inconnue « --dossier »." + more};
        QTest::newRow("two folders") << QStringList{"/", "/tmp"}
            << QStringList{"2", "", "ramulo : un seul dossier peut être donné, et non 2." + more};
        QTest::newRow("an empty folder name") << QStringList{""}
            << QStringList{"2", "", "ramulo : le nom du dossier est vide." + more};
        QTest::newRow("Qt's platform given") << QStringList{"-platform", "offscreen", "/"} << QStringList{"-1"};
#ifndef Q_OS_WIN // there is always a display there
        QTest::newRow("a folder, no display") << QStringList{"--", "-v"} << QStringList{"1", "",
            "ramulo : aucun affichage (ni DISPLAY ni WAYLAND_DISPLAY) : la fenêtre ne peut pas s'ouvrir.\n"};
#endif
        // clang-format on
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, said);
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(variable);
        program.setProcessEnvironment(environment);
        program.start(RAMULO_PROGRAM, arguments);
        if (said[0] == "-1") {
            QVERIFY(!program.waitForFinished(1500));
            program.kill();
            program.waitForFinished();
            return;
        }
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        const QString out = QString::fromUtf8(program.readAllStandardOutput());
        QVERIFY2(said[1].isEmpty() ? out.isEmpty() : out.startsWith(said[1]), qPrintable(out));
        QCOMPARE(QString::fromUtf8(program.readAllStandardError()), said[2]);
        QCOMPARE(QString::number(program.exitCode()), said[0]);
    }

    // The quit button, then the close box, end the program at once, names in the editor or not.
    void quitting() {
        Harness h;
        Form1 w(h.services());
        w.Text1->setText("Projet\r\nArchives");
        for (const bool closeBox : {false, true}) {
            w.show();
            QTimer::singleShot(0, &w, [&] { closeBox ? void(w.close()) : w.Command1->click(); });
            QTimer::singleShot(5000, &w, [] { QCoreApplication::exit(99); }); // nothing ended it
            QCOMPARE(QApplication::exec(), 0);
            QVERIFY(!w.isVisible() && h.messages->boxes.isEmpty());
        }
    }

    // Tab goes round the controls in the designed order, past disabled controls, the hidden
    // page and the option buttons not selected.
    void keyboardAndScreenReaders() {
        showWindow();
        m_w->prefcheck->setValue(1); // the affix boxes take their turn
        m_w->suffcheck->setValue(1);
        for (int tab : {0, 1}) {
            m_w->autotab->setCurrentIndex(tab);
            QStringList ring, walked;
            for (const QString& name : kTabOrder)
                if (auto* c = m_w->findChild<QWidget*>(name);
                    c->isVisible() && c->isEnabled() &&
                    (!qobject_cast<ramulo::OptionButton*>(c) || c->property("checked").toBool()))
                    ring << name;
            m_w->Command1->setFocus(Qt::TabFocusReason);
            while (walked.size() < ring.size()) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                walked << QApplication::focusWidget()->objectName();
            }
            QCOMPARE(walked, ring.mid(1) << ring.first());
        }

        // Each control that takes focus, and the status bar, has a short name of its own and
        // its tooltip as description; the generator's fields are named by their captions; the
        // window and the bar have their roles, and the bar's panels can be read.
        QStringList names;
        for (const QString& control : kTabOrder + QStringList{"SB1"}) {
            auto* c = m_w->findChild<QWidget*>(control);
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
            if (a->role() == QAccessible::PageTabList) // read as its current tab
                a = a->child(0);
            const auto labels = a->relations(QAccessible::Label);
            const QString name = a->role() == QAccessible::ComboBox && !labels.isEmpty()
                                     ? labels.first().first->text(QAccessible::Name)
                                     : a->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty() && name.size() <= 30 && name != c->toolTip() && !names.contains(name),
                     qPrintable(control + ": " + name));
            names << name;
            QCOMPARE(a->text(QAccessible::Description), c->toolTip());
        }
        // The one tooltip the window builds, from the chain's forbidden characters.
        QCOMPARE(QAccessible::queryAccessibleInterface(m_w->Combo3)->text(QAccessible::Description),
                 "Gestion des caractères /\\:*?\"<>| (interdits dans les noms de dossiers)");
        const std::pair<QLabel*, QWidget*> captions[] = {
            {m_w->Label4, m_w->Text2}, {m_w->Label6, m_w->Text4}, {m_w->Label5, m_w->Text3}};
        for (const auto& [caption, field] : captions)
            QCOMPARE(QAccessible::queryAccessibleInterface(field)->text(QAccessible::Name), caption->text());
        QCOMPARE(QAccessible::queryAccessibleInterface(&*m_w)->role(), QAccessible::Window);
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(m_w->SB1);
        QCOMPARE(bar->role(), QAccessible::StatusBar);
        QStringList panels;
        for (int i = 0; i < bar->childCount(); ++i)
            panels << bar->child(i)->text(QAccessible::Name);
        QCOMPARE(panels, QStringList({"Destination :", m_w->SB1->panelText(2), "Total : 0"}));
    }

    // Each opening makes a new box, the focus on OK; Enter, then Escape, close and discard it.
    void aboutBox() {
        showWindow();
        for (const Qt::Key key : {Qt::Key_Enter, Qt::Key_Escape}) {
            QPointer<frmAbout> opened;
            QStringList seen;
            QTimer::singleShot(0, [&] {
                opened = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
                if (!opened || !QTest::qWaitForWindowActive(opened))
                    return;
                seen << opened->windowTitle() << opened->lblTitle->text() << opened->lblVersion->text()
                     << opened->focusWidget()->objectName();
                QTest::keyClick(opened->focusWidget(), key);
                QTimer::singleShot(500, opened, [&] {
                    opened->reject();
                    seen << "stayed open";
                });
            });
            m_w->Command5->click();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCOMPARE(seen, QStringList({"À propos de Ramulo", "Ramulo", "Version " RAMULO_PROJECT_VERSION, "cmdOK"}));
            QVERIFY(opened.isNull()); // discarded on closing
        }
    }
};

QTEST_MAIN(TstWindow)
#include "tst_window.moc"
