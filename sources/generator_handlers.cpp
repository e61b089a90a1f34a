// The number generator's handlers: the checks, the list, the mode rows and
// the digit count.

#include "app/form1.h"

#include "platform/aside.h"
#include "sources/numbers.h"

using namespace ramulo;

namespace {
const QString kInformation = QStringLiteral("Information");
} // namespace

// The row of the selected option button, tested in the rows' order.
const ModeRow& Form1::selectedMode() const {
    for (const ModeRow& row : kModeRows)
        if (Option1[static_cast<std::size_t>(row.mode)]->isChecked())
            return row;
    return kModeRows.front();
}

// More names than the program builds: said, and nothing is generated.
bool Form1::tooManyNames() {
    if (readNumber(Text3->text()) <= kMostNames)
        return false;
    m_services.messages->show(QStringLiteral("ATTENTION ! Nombre de dossiers trop grand, doit être "
                                             "inférieur ou égal à 1 000 000."),
                              kInformation, MessageBoxes::Buttons::Ok, MessageBoxes::Icon::None);
    return true;
}

// The list, built as one text and put in at once. Every route comes here, so
// the one check all of them need is made here: a number too large to write
// is said, and the editor keeps its names.
void Form1::GenerateSequence() {
    const GeneratorInputs inputs{selectedMode().mode, readNumber(Text2->text()),
                                 readNumber(Text4->text()), readNumber(Text3->text()),
                                 HScroll1->value()};
    // A million numbers take a moment: they are written aside.
    std::optional<QString> list;
    runAside(this, QStringLiteral("Génération de la liste…"),
             [&] { list = generateList(inputs, [this] { return m_services.random->next(); }); });
    if (!list) {
        m_services.messages->show(
            QStringLiteral("ATTENTION ! Valeurs trop grandes : le générateur "
                           "ne peut pas écrire tous les nombres de la liste."),
            kInformation, MessageBoxes::Buttons::Ok, MessageBoxes::Icon::None);
        return;
    }
    Text1->setText(QString());
    Text1->setText(*list);
    liveRefresh();
}

// Every check runs, each with its own box; any refusal keeps the editor as it is.
void Form1::Text3_Change() {
    const double count = readNumber(Text3->text());
    bool refused = tooManyNames();
    if (!refused && count > 1000) {
        const auto answer = m_services.messages->show(
            QStringLiteral("ATTENTION ! Vous avez tapé ") + Text3->text() +
                QStringLiteral(". Un trop grand nombre peut ralentir le traitement, voire bloquer "
                               "le système. Etes-vous sûr de vouloir continuer ?"),
            QStringLiteral("Confirmation demandée"), MessageBoxes::Buttons::OkCancel,
            MessageBoxes::Icon::None);
        refused = answer == MessageBoxes::Answer::Cancel;
    }
    const struct {
        bool failed;
        const char* message;
    } checks[] = {
        {readNumber(Text2->text()) < 0,
         "ATTENTION ! Valeur de départ incorrecte, doit être supérieure ou égale à 0."},
        {readNumber(Text4->text()) < 1,
         "ATTENTION ! Incrémentation incorrecte, doit être supérieure ou égale à 1."},
        {count < 1, "ATTENTION ! Nombre de dossiers incorrect, doit être supérieur ou égal à 1."},
    };
    for (const auto& check : checks) {
        if (!check.failed)
            continue;
        refused = true;
        m_services.messages->show(QString::fromUtf8(check.message), kInformation,
                                  MessageBoxes::Buttons::Ok, MessageBoxes::Icon::None);
    }
    if (!refused)
        GenerateSequence();
}

void Form1::Text2_Change() {
    Text3_Change();
}

void Form1::Text4_Change() {
    Text3_Change();
}

void Form1::Command6_Click() {
    Text3_Change();
}

void Form1::HScroll1_Change() {
    const int digits = HScroll1->value();
    Label2->setText(QStringLiteral("Affichage à %1 %2")
                        .arg(digits)
                        .arg(digits == 1 ? QStringLiteral("chiffre") : QStringLiteral("chiffres")));
    Text3_Change();
}

// The mode's row, then a list at once: none of the boxes' checks, no question.
void Form1::Option1_Click() {
    const ModeRow& row = selectedMode();
    for (QWidget* control : std::initializer_list<QWidget*>{Text2, Text4, Label4, Label6})
        control->setEnabled(row.startAndStep);
    HScroll1->setMaximum(row.maxDigits); // a lower maximum moves the count, with its change
    if (!tooManyNames())
        GenerateSequence();
}
