// The preview, the destination and the create command, with the doubles and the real files.

#include "support/doubles.h"

#include <QDialog>
#include <QDirIterator>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>

using namespace ramulo;
using namespace ramulo::test;
// Drive d picked, or a command once <p> is deleted; its current folder or the one deleted; opened;
// box (<p>: that path, <s>: the start, <o>: opened).
using Destination = std::tuple<QString, QString, QString, QString>;
Q_DECLARE_METATYPE(Destination)
// The text, the folders made in order (the prefix typed last), the box (<d>: destination, <r>: reason).
using Creation = std::tuple<QString, QStringList, QString>;
Q_DECLARE_METATYPE(Creation)
// A tree, the text, each box's lines, what is then made under the destination.
using RealFiles = std::tuple<bool, QString, QStringList, QStringList>;
Q_DECLARE_METATYPE(RealFiles)

namespace {
// The lines each box lists, "|" between them (the reports table has the headings).
QStringList listed(const QStringList& boxes) {
    QStringList result;
    for (const QString& box : boxes)
        result << box.section(u'\n', 1).split("\r\n").mid(1).join('|');
    return result;
}

QStringList subFolders(const QString& folder) {
    return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}
} // namespace

class TstPreview : public QObject {
    Q_OBJECT
private slots:
    // A drive picked opens its current folder, previewed. A destination deleted gives way,
    // before a preview or a creation, to the nearest folder above it; the box says why.
    void destination_data() {
        QTest::addColumn<Destination>("row");
        const QString gone = "Le dossier de destination <s> n'est plus accessible :\r\n<nf>\r\n"
                             "Nouvelle destination : <o>";
        // clang-format off
        QTest::newRow("drive: its current folder") << Destination{"drive", "d/cible", "d/cible", ""};
        QTest::newRow("drive not ready") << Destination{"drive", "d", "c/a/b", "Le disque <p> n'est pas prêt :\r\nAucun support dans le lecteur."};
        QTest::newRow("drive: its current folder is a file") << Destination{"drive", "d/notes.txt", "c/a/b", "Impossible d'ouvrir le dossier <p> :\r\n<nd>"};
        QTest::newRow("deleted, then previewed") << Destination{"preview", "c/a/b", "c/a", gone};
        QTest::newRow("deleted with its parent, then created") << Destination{"create", "c/a", "c", gone};
        // clang-format on
    }
    void destination() {
        QFETCH(Destination, row);
        auto [gesture, path, opened, box] = row;
        PreviewedWindow h;
        h.drives->drives = {h.makeFolder("c"), h.makeFolder("d")};
        const QString start = h.drives->working = h.makeFolder("c/a/b");
        h.makeFolder("d/cible");
        h.writeFile("d/notes.txt", "x");
        h.drives->current[h.path("d")] = h.path(path);
        if (path == "d")
            h.drives->unready[h.path("d")] = "Aucun support dans le lecteur.";
        Form1& w = h.open(start, "Projet\r\nNeuf");
        QVERIFY(w.Command3->isEnabled());
        const int runs = w.previewRuns();
        if (gesture == "drive") {
            w.Drive1->setDrive(h.path("d"));
        } else {
            QDir(h.path(path)).removeRecursively();
            (gesture == "create" ? w.Command3 : w.Command2)->click();
        }
        QCOMPARE(QStringList({w.Dir1->path(), w.SB1->panelText(2), w.Drive1->drive()}),
                 QStringList({h.path(opened), h.path(opened), h.path(opened.left(1))}));
        if (!box.isEmpty())
            box = "Répertoire de destination [warning, OK]\n" + box;
        box.replace("<p>", h.path(path)).replace("<s>", start).replace("<o>", h.path(opened));
        box.replace("<nf>", systemReason(Why::NotFound)).replace("<nd>", systemReason(Why::NotFolder));
        QCOMPARE(h.messages->boxes.join('\n'), box);
        QCOMPARE(w.previewRuns() - runs, int(box.isEmpty()));
        QCOMPARE(w.Command3->isEnabled(), gesture == "drive");
        QVERIFY(h.files->asked.isEmpty());
    }

    // Every box in order, once the pane and its count show; the create command stays off.
    // Lines of spaces are reported, not counted. One lookup per name.
    void reports() {
        PreviewedWindow h;
        const QString destination = h.makeFolder("dest");
        h.makeFolder("dest/a");
        h.writeFile("dest/notes", "x");
        QStringList seen; // each box, and the window as it finds it
        h.messages->onShow = [&] {
            seen << h.messages->boxes.last() + "\n" + h.w->rtb1->toPlainText() + "|" + h.w->SB1->panelText(3) + "|" +
                        QString::number(h.w->var5) + QString::number(h.w->Command3->isEnabled());
        };
        Form1& w = h.open(destination, "   \r\na\r\nb\r\n   \r\na\r\nnotes\r\nb ", 0);
        const QStringList names{"a", "b", "a", "notes", "b"};
        const QString state = names.join("\n") + "|Total : 5";
        QCOMPARE(w.rtb1->toPlainText() + "|" + w.SB1->panelText(3), state);
        // clang-format off
        QStringList shown{
            "DOUBLONS EDITEURS DETECTES [warning, OK]\nATTENTION ! Les lignes suivantes sont en double dans l'Editeur, renommez-les ou supprimez-les :\r\n-    \r\n- a",
            "DOUBLONS DOSSIERS DETECTES [warning, OK]\nATTENTION ! Les dossiers suivants existent déjà, renommez-les ou supprimez-les dans l'Editeur :\r\n- a > a\r\n- a > a",
            "DOSSIERS IMPOSSIBLES A CREER [warning, OK]\nATTENTION ! Les dossiers suivants ne pourront pas être créés, renommez-les ou supprimez-les dans l'Editeur :\r\n"
            "- notes > notes (un fichier porte déjà ce nom)\r\n- b  > b (même dossier que la ligne « b »)"};
        // clang-format on
        for (QString& box : shown)
            box += "\n" + state + "|00"; // request used up, create command off
        QCOMPARE(seen, shown);
        QVERIFY(!w.Command3->isEnabled());
        const QString prefix = destination + QDir::separator();
        QCOMPARE(h.files->looked.join('|'), prefix + names.join('|' + prefix));
    }

    // One folder per non-empty name, in order, with the settings of the click (a prefix
    // typed after the preview); a failure stops the run. The folder list shows what was made.
    void creates_data() {
        QTest::addColumn<Creation>("row");
        // clang-format off
        QTest::newRow("editor order, blank lines left out") << Creation{"zeta\r\n\r\nalpha\r\n\r\n\r\nMu\r\n",
            {"neuf_zeta", "neuf_alpha", "neuf_Mu"}, "CREATION DE DOSSIERS EFFECTUEE [information, OK]\n3 dossier(s) créé(s) avec succès !"};
        QTest::newRow("stops at a file of that name") << Creation{"un\r\ndeux\r\n\r\ntrois\r\nquatre", {"neuf_un", "neuf_deux", "neuf_trois"},
            "CREATION DE DOSSIERS INTERROMPUE [warning, OK]\nATTENTION ! Le dossier de la ligne « trois » n'a pas pu être créé :\r\n"
            "<d>neuf_trois\r\nRaison : <r>\r\n2 dossier(s) créé(s) avant cette ligne ; les lignes suivantes n'ont pas été traitées."};
        // clang-format on
    }
    void creates() {
        QFETCH(Creation, row);
        auto [text, made, box] = row;
        PreviewedWindow h;
        const QString destination = h.makeFolder("dest") + QDir::separator();
        const bool stops = box.contains("<d>");
        if (stops)
            h.writeFile("dest/" + made.last(), "x");
        Form1& w = h.open(destination, text, 0);
        w.prefcheck->setValue(1);
        QTest::mouseClick(w.Command2, Qt::LeftButton);
        QVERIFY(w.Command3->isEnabled());
        w.preftext->selectAll();
        QTest::keyClicks(w.preftext, "neuf_");

        QTest::mouseClick(w.Command3, Qt::LeftButton);
        QCOMPARE(h.files->asked.join('|'), destination + made.join('|' + destination));
        box.replace("<d>", destination).replace("<r>", systemReason(Why::Exists));
        QCOMPARE(h.messages->boxes, QStringList{box});
        QVERIFY(w.Command3->isEnabled());
        QCOMPARE(w.Dir1->path() + QDir::separator(), destination);
        // Exactly these folders on disk; the folder list ends with them.
        if (stops)
            made.removeLast();
        made.sort();
        QCOMPARE(subFolders(destination), made);
        QStringList rows;
        for (int i = w.Dir1->count() - int(made.size()); i < w.Dir1->count(); ++i)
            rows << w.Dir1->rowText(i).trimmed();
        rows.sort();
        QCOMPARE(rows, made);
    }

    // The shipped file system: enough names for one read of the folder and for threads.
    void realFiles_data() {
        QTest::addColumn<RealFiles>("row");
        QStringList flat, lot{"lot"};
        for (int i = 0; i < int(kManyNames); ++i) {
            flat << QString::number(i);
            lot << "\t" + QString::number(i);
        }
        QStringList respelt; // a name its folder bears with the accent composed otherwise
#ifndef Q_OS_WIN
        respelt << "- Caf\u00e9 > Caf\u00e9 (un dossier de même nom, écrit autrement, existe déjà)";
#endif
        QTest::newRow("existing folders, a respelt name")
            << RealFiles{false, "Client A\r\nCaf\u00e9\r\n" + flat.join("\r\n") + "\r\n7",
                         QStringList{"- 7", "- Client A > Client A"} + respelt, QStringList{"Cafe\u0301", "Client A"}};
        QTest::newRow("a tree, an existing folder last")
            << RealFiles{true, lot.join("\r\n") + "\r\nClient A", QStringList{"- Client A > Client A"}, QStringList{}};
        QTest::newRow("a tree with an existing upper level, created")
            << RealFiles{true, "Client A\t2025\r\n\tDevis\r\n" + lot.join("\r\n"), QStringList{},
                         QStringList{"Cafe\u0301", "Client A", "Client A/2025", "Client A/Devis", "lot"}};
    }
    void realFiles() {
        QFETCH(RealFiles, row);
        auto [tree, text, shown, made] = row;
        PreviewedWindow h;
        h.realFiles = true;
        const QString destination = h.makeFolder("dest");
        h.makeFolder("dest/Client A");
        h.makeFolder("dest/Cafe\u0301");
        Form1& w = h.open(destination, "", 0);
        w.Combo3->setCurrentIndex(tree ? 4 : 0);
        w.Text1->setText(text);
        w.Command2->click();
        QCOMPARE(listed(h.messages->boxes), shown);
        if (!shown.isEmpty())
            return;
        w.Command3->click();
        QVERIFY2(h.messages->boxes.value(0).contains("\n" + QString::number(kManyNames + 3) + " "),
                 qPrintable(h.messages->boxes.value(0)));
        QStringList found;
        for (QDirIterator it(destination, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
             it.hasNext();)
            if (const QString path = QDir(destination).relativeFilePath(it.next()); !path.startsWith("lot/"))
                found << path;
        found.sort();
        QCOMPARE(found, made);
        QCOMPARE(subFolders(destination + "/lot").size(), kManyNames);
    }

    // A key in the prefix box refreshes twice, the first time before the key is
    // in the box: that refresh shows again what the one before it found, unless
    // the editor changed, folders were made, or the user was in another window.
    void keyRefreshes() {
        PreviewedWindow h;
        const QString destination = h.makeFolder("dest");
        Form1& w = h.open(destination, "a\r\nb", 0);
        w.prefcheck->setValue(1);
        w.livepreview->setValue(1);
        const auto key = [&](char typed) {
            h.messages->boxes.clear();
            const int runs = w.previewRuns();
            QTest::keyClick(w.preftext, typed);
            QStringList seen{QString::number(w.previewRuns() - runs)};
            for (const QString& box : std::as_const(h.messages->boxes))
                seen << box.section(u'\n', 0, 0);
            return seen;
        };
        const QString existing = "DOUBLONS DOSSIERS DETECTES [warning, OK]";
        h.makeFolder("dest/pre_a"); // made from another program
        QCOMPARE(key('x'), QStringList{"2"});
        h.makeFolder("dest/pre_xa");
        QEvent back(QEvent::ActivationChange);
        QApplication::sendEvent(&w, &back);
        QCOMPARE(key('y'), (QStringList{"2", existing}));
        w.Text1->setText("a\r\nb\r\nb");
        const QString twice = "DOUBLONS EDITEURS DETECTES [warning, OK]";
        QCOMPARE(key('z'), (QStringList{"2", twice, twice}));
        w.Text1->setText("a\r\nb");
        QTest::mouseClick(w.Command2, Qt::LeftButton);
        QTest::mouseClick(w.Command3, Qt::LeftButton); // makes pre_xyza and pre_xyzb
        QCOMPARE(key('w'), (QStringList{"2", existing}));
    }

    // A long creation shows its progress and may be stopped: the folders made stay, counted.
    void createsWithProgress() {
        PreviewedWindow h;
        h.files->slowness = 3;
        const auto restore = qScopeGuard([saved = asideDelays()] { asideDelays() = saved; });
        asideDelays() = {0, 0};
        const QString destination = h.makeFolder("dest");
        QStringList names;
        for (int i = 0; i < 200; ++i)
            names << QString::number(i);
        Form1& w = h.open(destination, names.join("\r\n"), 0);
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
        const auto made = subFolders(destination).size();
        QVERIFY2(furthest > 0 && furthest <= 1000, qPrintable(QString::number(furthest)));
        QVERIFY(made > 0 && made < 200);
        QCOMPARE(h.files->asked.size(), made);
        // clang-format off
        QCOMPARE(h.messages->boxes, QStringList{QStringLiteral("CREATION DE DOSSIERS ANNULEE [information, OK]\n"
            "Création annulée : %1 dossier(s) créé(s) ; les lignes suivantes n'ont pas été traitées.").arg(made)});
        // clang-format on
    }
};

QTEST_MAIN(TstPreview)
#include "tst_preview.moc"
