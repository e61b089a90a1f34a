// The editor and the name sources through the window: the formatting controls,
// the automatic preview, the number generator, the presets, the pages and zoom.

#include "support/doubles.h"

#include <QFile>
#include <QMimeData>

using namespace ramulo;
using namespace ramulo::test;
// A gesture, automatic preview before it, the previews it runs, the create command after.
using Gesture = std::tuple<std::function<void(Form1&)>, int, int, bool>;
Q_DECLARE_METATYPE(Gesture)
// Gestures, start step count, Cancel answered, the boxes, the editor | start enabled.
using Generation = std::tuple<QString, QStringList, bool, QStringList, QString>;
Q_DECLARE_METATYPE(Generation)
// Dropped (paths, URLs or "text:…"), the preset's bytes (none: deleted), editor, box (<x>: dropped).
using Load = std::tuple<QStringList, QByteArray, QString, QString>;
Q_DECLARE_METATYPE(Load)
using L = QStringList;

namespace {
// Drops on the editor as a file manager does, offering a copy or a move.
Qt::DropAction drop(Form1& w, const QList<QUrl>& urls, const QString& text) {
    QMimeData data;
    if (!urls.isEmpty())
        data.setUrls(urls);
    if (!text.isEmpty())
        data.setText(text);
    const QPoint at = w.Text1->viewport()->rect().bottomRight() - QPoint(4, 4);
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QDropEvent dropped(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    for (QDropEvent* event : {static_cast<QDropEvent*>(&enter), &dropped}) {
        event->setDropAction(Qt::MoveAction);
        QCoreApplication::sendEvent(w.Text1->viewport(), event);
    }
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

private slots:
    void init() {
        h.emplace().writeFile("program/presets/Mois.txt", "Janvier\r\nFévrier\r\n");
        h->makeFolder("work/b");
        w.emplace(h->services());
        w->Text1->setText("avant");
    }

    void gesture_data() {
        QTest::addColumn<Gesture>("row");
        // Each of these invalidates the create command (the prefix and suffix texts
        // do not), then refreshes if automatic preview is 1 (grayed is off).
        const auto add = [](const char* name, bool invalidates, int off, auto act) {
            QTest::addRow("%s, automatic preview 1", name) << Gesture{act, 1, 1, true};
            QTest::addRow("%s, automatic preview %d", name, off) << Gesture{act, off, 0, !invalidates};
        };
        add("case list", true, 0, [](Form1& w) { w.Combo1->setCurrentIndex(4); });
        add("separator list", true, 0, [](Form1& w) { w.Combo2->setCurrentIndex(1); });
        add("forbidden list", true, 0, [](Form1& w) { w.Combo3->setCurrentIndex(4); });
        add("prefix switch", true, 2, [](Form1& w) { w.prefcheck->click(); });
        add("suffix switch", true, 0, [](Form1& w) { w.suffcheck->click(); });
        add("prefix text", false, 0, [](Form1& w) { w.preftext->setText("P-"); });
        add("suffix text", false, 2, [](Form1& w) { w.sufftext->setText("-S"); });
        add("destination", true, 2, [](Form1& w) { w.Dir1->setPath(w.Dir1->path() + "/b"); });
        add("preset", true, 0, [](Form1& w) { w.File1->setCurrentRow(0); }); // a dropped file loads alike
        add("generator", true, 2, [](Form1& w) { w.Command6->click(); });

        // Editing the names, even by a key that changes nothing, only invalidates.
        QTest::newRow("Backspace at the start")
            << Gesture{[](Form1& w) { QTest::keyClick(w.Text1, '\b'); }, 1, 0, false};
        QTest::newRow("cleared") << Gesture{[](Form1& w) { w.Command4->click(); }, 1, 0, false};

        // Automatic preview becoming 1 refreshes, and warns of a folder that appeared;
        // any other new value changes nothing.
        const auto to = [](int value, int live, int runs) {
            const auto act = [value](Form1& w) {
                QDir(w.Dir1->path()).mkdir("a b");
                w.livepreview->setValue(value);
            };
            return Gesture{act, live, runs, value == 2};
        };
        QTest::newRow("automatic preview checked") << to(1, 0, 1);
        QTest::newRow("automatic preview grayed, then checked") << to(1, 2, 1);
        QTest::newRow("automatic preview checked, then grayed") << to(2, 1, 0);
    }
    void gesture() {
        QFETCH(Gesture, row);
        const auto& [act, live, runs, enabled] = row;
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

    // Names typed with keys reach the preview, not the lines of the last one. A
    // character typed in an affix box refreshes on the key press, with the old text,
    // then on the change; Enter once; Left and Delete only when they change the text.
    void typing() {
        w->prefcheck->setValue(1);
        w->suffcheck->setValue(1);
        w->preftext->setText("p");
        w->sufftext->setText("s");
        w->Command2->click(); // "avant" previewed
        w->Text1->selectAll();
        QTest::keyClicks(w->Text1, "a\ra");
        QStringList seen;
        h->messages->onShow = [&] {
            seen << w->rtb1->toPlainText() + "|" + w->SB1->panelText(3);
        };
        w->Command2->click();
        QTest::keyClick(w->preftext, Qt::Key_X);
        QTest::keyClick(w->sufftext, Qt::Key_Return);
        QTest::keyClick(w->preftext, Qt::Key_Left);
        QTest::sendKeyEvent(QTest::Click, w->preftext, Qt::Key_Delete, "\x7f", {}); // as systems do
        QCOMPARE(seen, QStringList({"pas\npas|Total : 2", "pas\npas|Total : 2", "pxas\npxas|Total : 2",
                                    "pxas\npxas|Total : 2", "pas\npas|Total : 2"}));
    }

    // A switch enables its box while on, checked or grayed; each formatting control
    // feeds its own step of the chain; grayed switches add.
    void chainReadsTheControls() {
        w->preftext->setText("le ");
        w->sufftext->setText(" ?");
        for (const auto& [prefix, suffix] : {std::pair{1, 0}, {0, 2}, {2, 0}, {0, 1}, {2, 2}}) {
            w->prefcheck->setValue(prefix);
            w->suffcheck->setValue(suffix);
            QCOMPARE(QList({w->preftext->isEnabled(), w->sufftext->isEnabled()}), QList({prefix != 0, suffix != 0}));
        }
        w->Combo1->setCurrentIndex(4); // each list a value no other list's would stand in for
        w->Combo2->setCurrentIndex(1);
        w->Combo3->setCurrentIndex(3);
        w->Text1->setText("mon dossier");
        w->Command2->click();
        QCOMPARE(w->rtb1->toPlainText(), QStringLiteral("LE_MON_DOSSIER_-"));
    }

    // "Générer" (g) runs every check, each with its box, in order; a refusal keeps the editor.
    // An option button (its index) refuses only more than a million names or too large numbers.
    void generator_data() {
        QTest::addColumn<Generation>("row");
        // clang-format off
        const QString info = "Information [OK]\nATTENTION ! ",
            start = info + "Valeur de départ incorrecte, doit être supérieure ou égale à 0.",
            step = info + "Incrémentation incorrecte, doit être supérieure ou égale à 1.",
            count = info + "Nombre de dossiers incorrect, doit être supérieur ou égal à 1.",
            many = info + "Nombre de dossiers trop grand, doit être inférieur ou égal à 1 000 000.",
            large = info + "Valeurs trop grandes : le générateur ne peut pas écrire tous les nombres de la liste.";
        const auto asked = [](const QString& typed) {
            return "Confirmation demandée [OK, Cancel]\nATTENTION ! Vous avez tapé " + typed +
                   ". Un trop grand nombre peut ralentir le traitement, voire bloquer le système. Etes-vous sûr de vouloir continuer ?";
        };
        QTest::newRow("1000 without a question") << Generation{"g", L{"1", "1", "1000"}, false, L{}, lines(1, 1000) + "|1"};
        QTest::newRow("1001, OK") << Generation{"g", L{"1", "1", " 1001 "}, false, L{asked(" 1001 ")}, lines(1, 1001) + "|1"};
        QTest::newRow("1001, Cancel") << Generation{"g", L{"1", "1", "1001"}, true, L{asked("1001")}, "avant|1"};
        QTest::newRow("Cancel, start 0 and step 0: two boxes") << Generation{"g", L{"0", "0", "2000"}, true, L{asked("2000"), step}, "avant|1"};
        QTest::newRow("start -1, count empty") << Generation{"g", L{"-1", "1", ""}, false, L{start, count}, "avant|1"};
        QTest::newRow("more than a million: refused, no question") << Generation{"g", L{"1", "1", "1000001"}, false, L{many}, "avant|1"};
        QTest::newRow("ranges, no checks") << Generation{"1", L{"-3", "0", "5000"}, false, L{}, L(5000, "-3--4").join("\r\n") + "|1"};
        QTest::newRow("sequence, no count: an empty list") << Generation{"0", L{"1", "1", ""}, false, L{}, "|1"};
        QTest::newRow("random, more than a million; the start checked by g") << Generation{"2g", L{"-1", "1", "2e6"}, false, L{many, many, start}, "avant|0"};
        QTest::newRow("ranges past the largest number") << Generation{"1", L{"-1e308", "-1e308", "2"}, false, L{large}, "avant|1"};
        // clang-format on
    }
    void generator() {
        QFETCH(Generation, row);
        auto [gestures, fields, cancel, shown, editor] = row;
        w->livepreview->setValue(0); // some lists hold duplicates
        for (auto [box, text] : {std::pair{w->Text2, fields[0]}, {w->Text4, fields[1]}, {w->Text3, fields[2]}}) {
            const QSignalBlocker quiet(box);
            box->setText(text);
        }
        h->messages->answers = {cancel ? MessageBoxes::Answer::Cancel : MessageBoxes::Answer::Ok};
        for (const QChar gesture : gestures)
            QTest::mouseClick(gesture == u'g' ? w->Command6 : w->Option1[gesture.digitValue()], Qt::LeftButton);
        QCOMPARE(h->messages->boxes, shown);
        QCOMPARE(w->Text1->text() + "|" + QString::number(w->Text2->isEnabled()), editor);
    }

    // The caption follows the digit count; random mode holds it to 15, the other
    // modes give back a maximum of 20. Each random list goes on with new numbers.
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
        QVERIFY(w->Label4->isEnabled() && w->Label6->isEnabled());
    }

    // A preset picked or one plain file dropped replaces the text; else a box says why (the
    // system's reason after a final line break). Dropped text goes in as text.
    void load_data() {
        QTest::addColumn<Load>("row");
        const QByteArray list("\r\nR\xE9union\nNo\xEBl\r\n");
        // clang-format off
        const QString preset = "Presets [warning, OK]\nImpossible de charger le preset « liste.txt » :\r\n",
            notPlain = "Editeur [warning, OK]\nImpossible de charger le fichier « <x> » :\r\nce n'est pas un fichier ordinaire.";
        QTest::newRow("preset") << Load{L{}, list, "Réunion\r\nNoël", ""};
        QTest::newRow("dropped") << Load{L{"program/presets/liste.txt"}, list, "Réunion\r\nNoël", ""};
        QTest::newRow("preset, a NUL past the first 64 KiB") << Load{L{}, QByteArray(1 << 16, 'a') + '\0', "avant", preset};
        QTest::newRow("preset, deleted once listed") << Load{L{}, QByteArray(), "avant", preset};
        QTest::newRow("two files") << Load{L{"work/a.txt", "work/a.txt"}, list, "avant", "Editeur [warning, OK]\nUn seul fichier à la fois peut être déposé dans l'éditeur : 2 éléments ont été déposés."};
        QTest::newRow("a link") << Load{L{"https://exemple.org/liste.txt"}, list, "avant", "Editeur [warning, OK]\nSeul un fichier de cet ordinateur peut être chargé dans l'éditeur ; « https://exemple.org/liste.txt » n'en est pas un."};
        QTest::newRow("a folder") << Load{L{"work/b"}, list, "avant", notPlain};
        QTest::newRow("a named pipe") << Load{L{"work/tube.txt"}, list, "avant", notPlain};
        QTest::newRow("text") << Load{L{"text:Projet\nArchives"}, list, "avantProjet\r\nArchives", ""};
        // clang-format on
    }
    void load() {
        QFETCH(Load, row);
        auto [dropped, bytes, editor, box] = row;
        const QString file = "program/presets/liste.txt";
        h->writeFile(file, bytes);
        w->Command7->click(); // the new file shows up
        if (bytes.isEmpty())
            QFile::remove(h->root.filePath(file));
        if (QTest::currentDataTag() == QLatin1String("a named pipe") && !makePipe(h->path("work/tube.txt")))
            QSKIP("no named pipe in a folder here");
        QList<QUrl> urls;
        for (const QString& item : dropped)
            urls << (item.contains("://") ? QUrl(item) : QUrl::fromLocalFile(h->root.filePath(item)));
        if (dropped.isEmpty())
            w->File1->setCurrentItem(w->File1->findItems("liste.txt", {}).value(0));
        else if (dropped[0].startsWith("text:"))
            drop(*w, {}, dropped[0].mid(5));
        else
            QCOMPARE(drop(*w, urls, {}), Qt::CopyAction);
        QCOMPARE(w->Text1->text(), editor);
        box.replace("<x>", h->path(dropped.value(0)));
        const QString seen = h->messages->boxes.join("\n\n");
        QVERIFY2(box.endsWith('\n') ? seen.startsWith(box) && seen.size() > box.size() + 2 : seen == box,
                 qPrintable(seen));
    }

    // An installed copy lists the user's presets with its own, the user's first for a same
    // name; "Recharger" reads both again. A portable copy lists its own. Nothing is made.
    void ownPresets() {
        h->program->user = h->path("data/ramulo/presets");
        h->program->folder = h->path("usr/lib/ramulo");
        for (const char* name : {"Mois.txt", "Jours.txt"})
            h->writeFile(QStringLiteral("usr/lib/ramulo/presets/") + name, "livrés");
        Form1 installed(h->services());
        QVERIFY(installed.File1->count() == 2 && !QDir(h->path("data")).exists());
        for (const char* name : {"Mois.txt", "Perso.txt"})
            h->writeFile(QStringLiteral("data/ramulo/presets/") + name, "miens");
        installed.Command7->click();
        QStringList loaded;
        for (int row = 0; row < installed.File1->count(); ++row) {
            installed.File1->setCurrentRow(row);
            loaded << installed.File1->fileName() + " " + installed.Text1->text();
        }
        QCOMPARE(loaded, QStringList({"Jours.txt livrés", "Mois.txt miens", "Perso.txt miens"}));
        h->program->folder = h->path("program"); // a portable copy: its Mois.txt alone
        h->program->user.clear();
        QCOMPARE(Form1(h->services()).File1->count(), 1);
        QVERIFY(h->messages->boxes.isEmpty());
    }

    // The pages follow the tab, each keeping its state; the zoom's sizes stay.
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
