// The name sources through the window: the number generator, the preset list,
// the tab pages and the preview's zoom.

#include "app/form1.h"
#include "support/doubles.h"

#include <QFile>
#include <QTest>

using namespace ramulo;
using namespace ramulo::test;

namespace {
const QString kInfo = "Information [OK]\nATTENTION ! ";
const QString kStart = kInfo + "Valeur de départ incorrecte, doit être supérieure ou égale à 0.";
const QString kStep = kInfo + "Incrémentation incorrecte, doit être supérieure ou égale à 1.";
const QString kCount = kInfo + "Nombre de dossiers incorrect, doit être supérieur ou égal à 1.";
const QString kTooMany =
    kInfo + "Nombre de dossiers trop grand, doit être inférieur ou égal à 1 000 000.";
QString confirmation(const QString& typed) {
    return "Confirmation demandée [OK, Cancel]\nATTENTION ! Vous avez tapé " + typed +
           ". Un trop grand nombre peut ralentir le traitement, voire bloquer le système. "
           "Etes-vous sûr de vouloir continuer ?";
}

QString lines(int first, int last, int digits = 2) {
    QStringList names;
    for (int i = first; i <= last; ++i)
        names << QStringLiteral("%1").arg(i, digits, 10, QLatin1Char('0'));
    return names.join("\r\n");
}
} // namespace

class TstNameSources : public QObject {
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
        h.emplace();
        h->writeFile("program/presets/Mois.txt", "Janvier\r\nFévrier\r\n");
        w.emplace(h->services());
        w->Text1->setText("avant");
    }

    // Every check runs in one pass, each with its box, in order; any refusal
    // keeps the editor; a list that passes replaces it.
    void validated_data() {
        QTest::addColumn<QStringList>("fields"); // start, step, count
        QTest::addColumn<bool>("cancel");        // the answer to a confirmation
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("editor");
        const QStringList none;
        QTest::newRow("1000 without a question")
            << QStringList{"1", "1", "1000"} << false << none << lines(1, 1000);
        QTest::newRow("1001, OK") << QStringList{"1", "1", " 1001 "} << false
                                  << QStringList{confirmation(" 1001 ")} << lines(1, 1001);
        QTest::newRow("1001, Cancel") << QStringList{"1", "1", "1001"} << true
                                      << QStringList{confirmation("1001")} << "avant";
        QTest::newRow("Cancel, start 0 and step 0: two boxes")
            << QStringList{"0", "0", "2000"} << true << QStringList{confirmation("2000"), kStep}
            << "avant";
        QTest::newRow("start -1, count empty")
            << QStringList{"-1", "1", ""} << false << QStringList{kStart, kCount} << "avant";
        QTest::newRow("more than a million: refused, no question")
            << QStringList{"1", "1", "1000001"} << false << QStringList{kTooMany} << "avant";
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
    // question; only more than a million names is refused. "Générer" checks the
    // start in random mode too.
    void optionButtons() {
        w->livepreview->setValue(0); // the lists below hold duplicates
        setFields("-3", "0", "5000");
        w->Option1[1]->click();
        QCOMPARE(w->Text1->text().count("\r\n"), 4999);
        QVERIFY(w->Text1->text().startsWith("-3--4\r\n-3--4\r\n"));
        setFields("1", "1", "");
        w->Option1[0]->click();
        QCOMPARE(w->Text1->text(), QString());
        setFields("1", "1", "2e6");
        w->Option1[2]->click();
        QCOMPARE(h->messages->boxes, QStringList{kTooMany}); // the only box so far
        QCOMPARE(w->Text1->text(), QString());
        QVERIFY(!w->Text2->isEnabled() && !w->Label6->isEnabled() && w->Text3->isEnabled());
        setFields("-1", "1", "3");
        QTest::mouseClick(w->Command6, Qt::LeftButton);
        QCOMPARE(h->messages->boxes, QStringList({kTooMany, kStart}));
        QCOMPARE(w->Text1->text(), QString());
    }

    // The caption follows the digit count; random mode holds it to 15, and
    // the other modes give back a maximum of 20 without changing it. Each
    // random list goes on with new numbers.
    void digits() {
        w->HScroll1->setValue(1);
        QCOMPARE(w->Label2->text(), QStringLiteral("Affichage à 1 chiffre"));
        QCOMPARE(w->Text1->text(), lines(1, 10, 1));
        w->HScroll1->setValue(3);
        QCOMPARE(w->Text1->text(), lines(1, 10, 3));
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
    // the pure table's). A file that cannot be read is named with the reason;
    // the editor keeps what the user had.
    void load_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("how"); // what becomes of the file once listed
        QTest::addColumn<QString>("editor");
        const QString listed, kept = "avant";
        QTest::newRow("loaded") << QByteArray("\r\nR\xE9union\nNo\xEBl\r\n") << listed
                                << "Réunion\r\nNoël";
        QTest::newRow("not text") << QByteArray("MZ\0\0\x90", 5) << listed << kept;
        QTest::newRow("deleted since the list was read") << QByteArray() << "deleted" << kept;
        QTest::newRow("no permission") << QByteArray("x") << "locked" << kept;
        QTest::newRow("a folder of that name") << QByteArray() << "folder" << kept;
    }
    void load() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, how);
        QFETCH(QString, editor);
        const QString file = "program/presets/liste.txt";
        h->writeFile(file, bytes);
        w->Command7->click(); // the new file shows up
        if (how == "deleted" || how == "folder")
            QFile::remove(h->root.filePath(file));
        if (how == "folder")
            h->makeFolder(file);
        const auto otherUser = how == "locked" ? h->unreadable(file) : nullptr;
        w->File1->setCurrentItem(w->File1->findItems("liste.txt", {}).value(0));
        QCOMPARE(w->Text1->text(), editor);
        const bool refused = editor == "avant";
        QCOMPARE(h->messages->boxes.size(), int(refused));
        const QString said =
            "Presets [warning, OK]\nImpossible de charger le preset « liste.txt » :\r\n";
        QVERIFY2(!refused || (h->messages->boxes[0].startsWith(said) &&
                              h->messages->boxes[0].size() > said.size() + 2),
                 qPrintable(h->messages->boxes.value(0)));
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
            QCOMPARE(w->rtb1->font().family(), QStringLiteral("Verdana"));
        }
    }
};

QTEST_MAIN(TstNameSources)
#include "tst_name_sources.moc"
