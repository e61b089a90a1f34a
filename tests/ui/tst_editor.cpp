// The editor and the name sources through the window: the formatting controls,
// the automatic preview, the number generator, the presets, the pages and zoom.

#include "app/form1.h"
#include "support/doubles.h"

#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QTest>

using namespace ramulo;
using namespace ramulo::test;

using Act = std::function<void(Form1&)>;
Q_DECLARE_METATYPE(Act)

namespace {
const QString kInfo = "Information [OK]\nATTENTION ! ";
QString confirmation(const QString& typed) {
    return "Confirmation demandée [OK, Cancel]\nATTENTION ! Vous avez tapé " + typed +
           ". Un trop grand nombre peut ralentir le traitement, voire bloquer le système. "
           "Etes-vous sûr de vouloir continuer ?";
}

// Drops on the editor as a file manager does, offering a copy or a move, and
// lets the drop end. The editor takes a copy, never a move.
Qt::DropAction drop(Form1& w, const QList<QUrl>& urls, const QString& text = {}) {
    QMimeData data;
    if (!urls.isEmpty())
        data.setUrls(urls);
    if (!text.isEmpty())
        data.setText(text);
    QWidget* area = w.Text1->viewport();
    const QPoint at = area->rect().bottomRight() - QPoint(4, 4);
    const auto offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, {});
    enter.setDropAction(Qt::MoveAction);
    QCoreApplication::sendEvent(area, &enter);
    QDropEvent dropped(at, offered, &data, Qt::LeftButton, {});
    dropped.setDropAction(Qt::MoveAction);
    QCoreApplication::sendEvent(area, &dropped);
    QCoreApplication::processEvents();
    return dropped.isAccepted() ? dropped.dropAction() : Qt::IgnoreAction;
}

QString lines(int first, int last, int digits = 2) {
    QStringList names;
    for (int i = first; i <= last; ++i)
        names << QStringLiteral("%1").arg(i, digits, 10, QLatin1Char('0'));
    return names.join("\r\n");
}
} // namespace

class TstEditor : public QObject {
    Q_OBJECT
    std::optional<Harness> h;
    std::optional<Form1> w;

    // The generator's boxes set quietly, as the test wants them before a gesture.
    void setFields(const QString& start, const QString& step, const QString& count) {
        for (auto [box, text] : {std::pair{w->Text2, start}, {w->Text4, step}, {w->Text3, count}}) {
            const QSignalBlocker quiet(box);
            box->setText(text);
        }
    }

private slots:
    void init() {
        h.emplace().writeFile("program/presets/Mois.txt", "Janvier\r\nFévrier\r\n");
        h->makeFolder("work/b");
        w.emplace(h->services());
        w->Text1->setText("avant");
    }

    void gesture_data() {
        QTest::addColumn<Act>("act");
        QTest::addColumn<int>("live"); // automatic preview before the gesture
        QTest::addColumn<int>("runs");
        QTest::addColumn<bool>("enabled"); // the create command afterwards

        // A formatting control, a new destination, a preset or a generated list
        // invalidates the create command (the prefix and suffix texts do not),
        // then refreshes if automatic preview is 1 (grayed is off).
        const auto add = [](const char* name, bool invalidates, int off, Act act) {
            QTest::addRow("%s, automatic preview 1", name) << act << 1 << 1 << true;
            QTest::addRow("%s, automatic preview %d", name, off) << act << off << 0 << !invalidates;
        };
        add("case list", true, 0, [](Form1& w) { w.Combo1->setCurrentIndex(4); });
        add("separator list", true, 0, [](Form1& w) { w.Combo2->setCurrentIndex(1); });
        add("forbidden list", true, 0, [](Form1& w) { w.Combo3->setCurrentIndex(4); });
        add("prefix switch", true, 2, [](Form1& w) { w.prefcheck->click(); });
        add("suffix switch", true, 0, [](Form1& w) { w.suffcheck->click(); });
        add("prefix text", false, 0, [](Form1& w) { w.preftext->setText("P-"); });
        add("suffix text", false, 2, [](Form1& w) { w.sufftext->setText("-S"); });
        add("destination", true, 2, [](Form1& w) { w.Dir1->setPath(w.Dir1->path() + "/b"); });
        add("preset", true, 0, [](Form1& w) { w.File1->setCurrentRow(0); });
        add("dropped file", true, 0, [](Form1& w) {
            drop(w, {QUrl::fromLocalFile(w.File1->folders().value(0) + "/Mois.txt")});
        });
        add("generator", true, 2, [](Form1& w) { w.Command6->click(); });

        // Editing the names, even by a key that changes nothing, only invalidates:
        // automatic preview does not refresh it.
        QTest::newRow("Backspace at the start")
            << Act([](Form1& w) { QTest::keyClick(w.Text1, '\b'); }) << 1 << 0 << false;
        QTest::newRow("cleared") << Act([](Form1& w) { w.Command4->click(); }) << 1 << 0 << false;

        // Automatic preview becoming 1 refreshes after invalidating: a folder of a listed
        // name appeared, so that refresh warns. Any other new value changes nothing.
        const auto to = [](int value) {
            return Act([value](Form1& w) {
                QDir(w.Dir1->path()).mkdir("a b");
                w.livepreview->setValue(value);
            });
        };
        QTest::newRow("automatic preview checked") << to(1) << 0 << 1 << false;
        QTest::newRow("automatic preview grayed, then checked") << to(1) << 2 << 1 << false;
        QTest::newRow("automatic preview checked, then grayed") << to(2) << 1 << 0 << true;
    }
    void gesture() {
        QFETCH(Act, act);
        QFETCH(int, live);
        QFETCH(int, runs);
        QFETCH(bool, enabled);
        const auto preview = [this] {
            return w->rtb1->toPlainText() + " | " + w->SB1->panelText(3);
        };
        w->livepreview->setValue(live);
        w->Text1->setText("a b\r\nc/d");
        w->Command2->click();
        QVERIFY(w->Command3->isEnabled());
        const QString before = preview();
        const int runsBefore = w->previewRuns();
        act(*w);
        QCOMPARE(w->previewRuns() - runsBefore, runs);
        QCOMPARE(w->Command3->isEnabled(), enabled);
        const QString after = preview();
        w->Command2->click(); // what the new settings give
        QCOMPARE(after, runs ? preview() : before);
    }

    // A character typed in an affix box refreshes on the key press, with the old text,
    // then on the change; Enter refreshes once; Left and Delete are no character keys,
    // Delete changes the text. Each run warns of the duplicate.
    void keyInAffixBoxes() {
        w->prefcheck->setValue(1);
        w->suffcheck->setValue(1);
        w->preftext->setText("p");
        w->sufftext->setText("s");
        w->Text1->setText("a\r\na");
        QStringList seen;
        h->messages->onShow = [&] {
            seen << w->rtb1->toPlainText();
        };
        QTest::keyClick(w->preftext, Qt::Key_X);
        QTest::keyClick(w->sufftext, Qt::Key_Return);
        QTest::keyClick(w->preftext, Qt::Key_Left);
        QTest::sendKeyEvent(QTest::Click, w->preftext, Qt::Key_Delete, "\x7f", {}); // as systems do
        QCOMPARE(seen, (QStringList{"pas\npas", "pxas\npxas", "pxas\npxas", "pas\npas"}));
    }

    // A switch enables its box while on, checked or grayed, and keeps the text.
    // Each formatting control feeds its own step of the chain; grayed switches add.
    void chainReadsTheControls() {
        w->preftext->setText("le ");
        w->sufftext->setText(" ?");
        for (const auto& [prefix, suffix] : {std::pair{1, 0}, {0, 2}, {2, 0}, {0, 1}, {2, 2}}) {
            w->prefcheck->setValue(prefix);
            w->suffcheck->setValue(suffix);
            QCOMPARE(QList({w->preftext->isEnabled(), w->sufftext->isEnabled()}),
                     QList({prefix != 0, suffix != 0}));
        }
        w->Combo1->setCurrentIndex(4); // each list a value no other list's would stand in for
        w->Combo2->setCurrentIndex(1);
        w->Combo3->setCurrentIndex(3);
        w->Text1->setText("mon dossier");
        w->Command2->click();
        QCOMPARE(w->rtb1->toPlainText(), QStringLiteral("LE_MON_DOSSIER_-"));
    }

    // Every check runs in one pass, each with its box, in order; any refusal
    // keeps the editor; a list that passes replaces it.
    void validated_data() {
        QTest::addColumn<QStringList>("fields"); // start, step, count
        QTest::addColumn<bool>("cancel");        // the answer to a confirmation
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("editor");
        QTest::newRow("1000 without a question")
            << QStringList{"1", "1", "1000"} << false << QStringList{} << lines(1, 1000);
        QTest::newRow("1001, OK") << QStringList{"1", "1", " 1001 "} << false
                                  << QStringList{confirmation(" 1001 ")} << lines(1, 1001);
        QTest::newRow("1001, Cancel") << QStringList{"1", "1", "1001"} << true
                                      << QStringList{confirmation("1001")} << "avant";
        QTest::newRow("Cancel, start 0 and step 0: two boxes")
            << QStringList{"0", "0", "2000"} << true
            << QStringList{confirmation("2000"),
                           kInfo + "Incrémentation incorrecte, doit être supérieure ou égale à 1."}
            << "avant";
        QTest::newRow("start -1, count empty")
            << QStringList{"-1", "1", ""} << false
            << QStringList{kInfo +
                               "Valeur de départ incorrecte, doit être supérieure ou égale à 0.",
                           kInfo + "Nombre de dossiers incorrect, doit être supérieur ou égal à 1."}
            << "avant";
        QTest::newRow("more than a million: refused, no question")
            << QStringList{"1", "1", "1000001"} << false
            << QStringList{kInfo + "Nombre de dossiers trop grand, doit être inférieur ou égal à "
                                   "1 000 000."}
            << "avant";
    }
    void validated() {
        QFETCH(QStringList, fields);
        QFETCH(bool, cancel);
        QFETCH(QStringList, shown);
        QFETCH(QString, editor);
        setFields(fields[0], fields[1], fields[2]);
        h->messages->answers = {cancel ? MessageBoxes::Answer::Cancel : MessageBoxes::Answer::Ok};
        QTest::mouseClick(w->Command6, Qt::LeftButton);
        QCOMPARE(h->messages->boxes, shown);
        QCOMPARE(w->Text1->text(), editor);
    }

    // The option buttons apply their row and generate without checks or
    // question; only more than a million names, or a number too large to write,
    // is refused (the validated table has the boxes' texts). "Générer" checks the
    // start in random mode too.
    void optionButtons() {
        w->livepreview->setValue(0); // the lists below hold duplicates
        setFields("-3", "0", "5000");
        w->Option1[1]->click();
        QCOMPARE(w->Text1->text(), QStringList(5000, "-3--4").join("\r\n"));
        setFields("1", "1", "");
        w->Option1[0]->click();
        QCOMPARE(w->Text1->text(), QString());
        setFields("1", "1", "2e6");
        w->Option1[2]->click();
        setFields("-1", "1", "3");
        QTest::mouseClick(w->Command6, Qt::LeftButton);
        QCOMPARE(h->messages->boxes.size(), 2);
        QVERIFY(h->messages->boxes[0].contains("trop grand") &&
                h->messages->boxes[1].contains("départ"));
        QCOMPARE(w->Text1->text(), QString());
        QVERIFY(!w->Text2->isEnabled() && !w->Label6->isEnabled() && w->Text3->isEnabled());
        w->Text1->setText("gardé");
        setFields("-1e308", "-1e308", "2"); // the first range ends below -DBL_MAX
        w->Option1[1]->click();
        QCOMPARE(h->messages->boxes.value(2),
                 kInfo + "Valeurs trop grandes : le générateur ne peut pas écrire tous les "
                         "nombres de la liste.");
        QCOMPARE(w->Text1->text(), QStringLiteral("gardé"));
    }

    // The caption follows the digit count; random mode holds it to 15, and
    // the other modes give back a maximum of 20 without changing it. Each
    // random list goes on with new numbers.
    void digits() {
        w->HScroll1->setValue(1);
        QCOMPARE(w->Label2->text(), QStringLiteral("Affichage à 1 chiffre"));
        QCOMPARE(w->Text1->text(), lines(1, 10, 1));
        w->HScroll1->setValue(18);
        w->Option1[2]->click();
        QCOMPARE(w->HScroll1->value(), 15);
        QCOMPARE(w->Label2->text(), QStringLiteral("Affichage à 15 chiffres"));
        QCOMPARE(w->Text1->text().section("\r\n", 0, 0).size(), 15);
        const QString drawn = w->Text1->text(); // "Générer" draws new numbers
        w->Command6->click();
        QVERIFY(w->Text1->text() != drawn);
        w->Option1[0]->click();
        QCOMPARE(QList({w->HScroll1->maximum(), w->HScroll1->value()}), QList({20, 15}));
        QVERIFY(w->Text2->isEnabled() && w->Label4->isEnabled());
    }

    // The file's lines replace the editor's text (how its bytes become lines is
    // the pure table's), chosen in the preset list or dropped on the editor. A
    // file that cannot be read is named with the reason; the editor keeps what
    // the user had.
    void load_data() {
        QTest::addColumn<QByteArray>("bytes"); // none: the file is deleted once listed
        QTest::addColumn<QString>("editor");
        QTest::addColumn<bool>("dropped");
        for (const bool dropped : {false, true}) {
            const char* how = dropped ? "dropped" : "preset";
            QTest::addRow("%s, loaded", how)
                << QByteArray("\r\nR\xE9union\nNo\xEBl\r\n") << "Réunion\r\nNoël" << dropped;
            QTest::addRow("%s, not text", how) << QByteArray("MZ\0\0\x90", 5) << "avant" << dropped;
            QTest::addRow("%s, a NUL past the first 64 KiB", how)
                << QByteArray(1 << 16, 'a') + '\0' << "avant" << dropped;
            QTest::addRow("%s, deleted", how) << QByteArray() << "avant" << dropped;
        }
    }
    void load() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, editor);
        QFETCH(bool, dropped);
        const QString file = "program/presets/liste.txt";
        h->writeFile(file, bytes);
        w->Command7->click(); // the new file shows up
        if (bytes.isEmpty())
            QFile::remove(h->root.filePath(file));
        if (dropped)
            QCOMPARE(drop(*w, {QUrl::fromLocalFile(h->root.filePath(file))}), Qt::CopyAction);
        else
            w->File1->setCurrentItem(w->File1->findItems("liste.txt", {}).value(0));
        QCOMPARE(w->Text1->text(), editor);
        const bool refused = editor == "avant";
        QCOMPARE(h->messages->boxes.size(), int(refused));
        const QString said =
            dropped ? "Editeur [warning, OK]\nImpossible de charger le fichier « " + h->path(file) +
                          " » :\r\n"
                    : "Presets [warning, OK]\nImpossible de charger le preset « liste.txt » :\r\n";
        QVERIFY2(!refused || (h->messages->boxes[0].startsWith(said) &&
                              h->messages->boxes[0].size() > said.size() + 2),
                 qPrintable(h->messages->boxes.value(0)));
    }

    // Only one plain file of this machine is loaded: several, a link, a folder
    // or a named pipe (which would wait for a writer) leave the editor's text,
    // with a box that says why. Text dropped from another program goes in as
    // text.
    void dropRefused_data() {
        QTest::addColumn<QStringList>("dropped"); // in the harness's tree, or links
        QTest::addColumn<QString>("box");         // <x>: the first one's path
        QTest::newRow("two files") << QStringList{"work/a.txt", "work/a.txt"}
                                   << "Un seul fichier à la fois peut être déposé dans l'éditeur : "
                                      "2 éléments ont été déposés.";
        QTest::newRow("a link") << QStringList{"https://exemple.org/liste.txt"}
                                << "Seul un fichier de cet ordinateur peut être chargé dans "
                                   "l'éditeur ; « https://exemple.org/liste.txt » n'en est pas un.";
        const QString notPlain = "Impossible de charger le fichier « <x> » :\r\n"
                                 "ce n'est pas un fichier ordinaire.";
        QTest::newRow("a folder") << QStringList{"work/b"} << notPlain;
        QTest::newRow("a named pipe") << QStringList{"work/tube.txt"} << notPlain;
    }
    void dropRefused() {
        QFETCH(QStringList, dropped);
        QFETCH(QString, box);
        if (QTest::currentDataTag() == QLatin1String("a named pipe"))
            if (!makePipe(h->path("work/tube.txt")))
                QSKIP("no named pipe in a folder here");
        QList<QUrl> urls;
        for (const QString& item : dropped)
            urls << (item.contains("://") ? QUrl(item)
                                          : QUrl::fromLocalFile(h->root.filePath(item)));
        QCOMPARE(drop(*w, urls), Qt::CopyAction);
        QCOMPARE(w->Text1->text(), QStringLiteral("avant"));
        QCOMPARE(h->messages->boxes,
                 QStringList("Editeur [warning, OK]\n" + box.replace("<x>", h->path(dropped[0]))));
    }
    void dropText() {
        drop(*w, {}, "Projet\nArchives");
        QCOMPARE(w->Text1->text(), QStringLiteral("avantProjet\r\nArchives"));
        QVERIFY(h->messages->boxes.isEmpty());
    }

    // An installed program lists the user's presets with its own, the user's
    // file of a name taking the place of its own, and loads each from the
    // folder it was listed from; "Recharger" reads both again. Run from any
    // other folder, it lists only its own. The user's folder is never made.
    void ownPresets() {
        h->program->user = h->path("data/ramulo/presets");
        h->program->folder = h->path("usr/lib/ramulo");
        for (const char* name : {"Mois.txt", "Jours.txt"})
            h->writeFile(QStringLiteral("usr/lib/ramulo/presets/") + name, "livrés");
        QCOMPARE(Form1(h->services()).File1->count(), 2);
        QVERIFY(!QDir(h->path("data")).exists());
        for (const char* name : {"Mois.txt", "Perso.txt"})
            h->writeFile(QStringLiteral("data/ramulo/presets/") + name, "miens");
        Form1 installed(h->services());
        const auto loaded = [&] {
            QStringList seen;
            for (int row = 0; row < installed.File1->count(); ++row) {
                installed.File1->setCurrentRow(row);
                seen << installed.File1->fileName() + " " + installed.Text1->text();
            }
            return seen;
        };
        QCOMPARE(loaded(), QStringList({"Jours.txt livrés", "Mois.txt miens", "Perso.txt miens"}));
        QFile::remove(h->root.filePath("data/ramulo/presets/Mois.txt"));
        h->writeFile("data/ramulo/presets/Jours.txt", "miens");
        installed.Command7->click();
        QCOMPARE(loaded(), QStringList({"Jours.txt miens", "Mois.txt livrés", "Perso.txt miens"}));
        h->program->folder = h->path("program"); // a portable copy: its Mois.txt alone
        h->program->user.clear();
        QCOMPARE(Form1(h->services()).File1->count(), 1);
        QVERIFY(h->messages->boxes.isEmpty());
    }

    // Names typed with keys reach the preview: the lines are read again once
    // the editor changed, not taken from the last preview.
    void typedThenPreviewed() {
        w->Command2->click();
        QCOMPARE(w->rtb1->toPlainText(), QStringLiteral("avant"));
        w->Text1->moveCursor(QTextCursor::End);
        QTest::keyClicks(w->Text1, " x");
        QTest::keyClick(w->Text1, Qt::Key_Return);
        QTest::keyClicks(w->Text1, "Noel");
        w->Command2->click();
        QCOMPARE(w->rtb1->toPlainText() + "|" + w->SB1->panelText(3),
                 QStringLiteral("avant x\nNoel|Total : 2"));
    }

    // The pages follow the tab, each keeping its state; the zoom sets the
    // preview's size from a table, kept across previews.
    void pagesAndZoom() {
        w->File1->setCurrentRow(0);
        for (const int tab : {1, 1, 0}) {
            QTest::mouseClick(w->autotab, Qt::LeftButton, {}, w->autotab->tabRect(tab).center());
            QVERIFY(w->Frame3[tab]->isVisibleTo(&*w) && !w->Frame3[1 - tab]->isVisibleTo(&*w));
        }
        QCOMPARE(w->File1->currentRow(), 0);
        const QList<int> points{7, 8, 9, 11, 15};
        for (int position = 4; position >= 0; --position) {
            w->Slider1->setValue(position);
            w->Combo1->setCurrentIndex(position); // a new preview
            QCOMPARE(w->rtb1->font().pointSizeF(), points[position]);
        }
    }
};

QTEST_MAIN(TstEditor)
#include "tst_editor.moc"
