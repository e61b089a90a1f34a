// How the editor's formatting controls shape the names, and which gesture
// rebuilds the preview and which one turns "Créer" off: the whole automatic
// preview, in one table.

#include "app/form1.h"
#include "support/doubles.h"

#include <QDir>
#include <QTest>

using namespace ramulo;
using namespace ramulo::test;

using Act = std::function<void(Form1&)>;
Q_DECLARE_METATYPE(Act)

class TstEditor : public QObject {
    Q_OBJECT
    std::optional<Harness> h;
    std::optional<Form1> w;
private slots:
    void init() {
        h.emplace().writeFile("program/presets/liste.txt", "x\r\ny");
        h->makeFolder("work/ailleurs");
        w.emplace(h->services());
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
        add("forbidden list", true, 0, [](Form1& w) { w.Combo3->setCurrentIndex(3); });
        add("prefix switch", true, 2, [](Form1& w) { w.prefcheck->click(); });
        add("suffix switch", true, 0, [](Form1& w) { w.suffcheck->click(); });
        add("prefix text", false, 0, [](Form1& w) { w.preftext->setText("P-"); });
        add("suffix text", false, 2, [](Form1& w) { w.sufftext->setText("-S"); });
        add("destination", true, 2,
            [](Form1& w) { w.Dir1->setPath(w.Dir1->path() + "/ailleurs"); });
        add("preset", true, 0, [](Form1& w) { w.File1->setCurrentRow(0); });
        add("generator", true, 2, [](Form1& w) { w.Command6->click(); });
        QTest::newRow("preview button, automatic preview 0")
            << Act([](Form1& w) { w.Command2->click(); }) << 0 << 1 << true;

        // Editing the names, even by a key that changes nothing, only invalidates,
        // whatever automatic preview says.
        for (const int live : {1, 0})
            QTest::addRow("Backspace at the start, automatic preview %d", live)
                << Act([](Form1& w) { QTest::keyClick(w.Text1, '\b'); }) << live << 0 << false;
        QTest::newRow("cleared") << Act([](Form1& w) {
            w.Command4->click();
            QVERIFY(w.Text1->text().isEmpty());
        }) << 1 << 0 << false;

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
        QTest::newRow("automatic preview unchecked") << to(0) << 1 << 0 << true;
        QTest::newRow("automatic preview checked, then grayed") << to(2) << 1 << 0 << true;
        QTest::newRow("automatic preview unchecked, then grayed") << to(2) << 0 << 0 << true;
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

    // The preview reads the editor as every kind of edit left it, though it
    // keeps the lines it split until the text changes.
    void previewAfterEdits() {
        const std::pair<Act, QString> edits[] = {
            {[](Form1& w) { w.Text1->setText("a"); }, "a"},
            {[](Form1& w) {
                 w.Text1->moveCursor(QTextCursor::End);
                 QTest::keyClicks(w.Text1, "b");
             },
             "ab"},
            {[](Form1& w) { w.Text1->undo(); }, "a"},
            {[](Form1& w) { w.Text1->insertPlainText("\nc"); }, "a\nc"},
            {[](Form1& w) { w.Command4->click(); }, ""},
        };
        for (const auto& [edit, names] : edits) {
            edit(*w);
            w->Command2->click();
            QCOMPARE(w->rtb1->toPlainText(), names);
        }
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
};

QTEST_MAIN(TstEditor)
#include "tst_editor.moc"
