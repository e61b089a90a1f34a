// The control tree of the main window: every control at its place and size,
// with its caption, font, tooltip, entries and starting state, and the
// keyboard order. Positions are in twips, as the window was designed.

#include "app/form1.h"

#include "editor/transform.h"

#include <QApplication>
#include <QPalette>

#include <algorithm>
#include <utility>
#include <vector>

using namespace ramulo;

namespace {

QFont verdana(double points) {
    return makeFont(QStringLiteral("Verdana"), points);
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, int l, int t, int w, int h,
              const QString& tooltip = {}) {
    auto* l_ = place(new QLabel(caption, parent), name, l, t, w, h);
    l_->setToolTip(tooltip);
    return l_;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int l, int t, int w,
                    int h) {
    auto* b = place(new CommandButton(caption, parent), name, l, t, w, h);
    b->setFont(verdana(6.75));
    return b;
}

QGroupBox* frame(QWidget* parent, const char* name, const QString& caption, int l, int t, int w,
                 int h) {
    return place(new FrameBox(caption, parent), name, l, t, w, h);
}

} // namespace

void Form1::buildControls() {
    // The window's fonts come from Windows; elsewhere the closest free faces stand in.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont::insertSubstitutions(QStringLiteral("Microsoft Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont::insertSubstitutions(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans")});
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Ramulo"));
    setWindowIcon(picture(QStringLiteral("icon")));
    setFont(makeFont(QStringLiteral("MS Sans Serif"), 8.25));
    // A fixed border: no resizing, no minimise or maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(px(9255), px(7320));

    Picture1 = place(new QLabel(this), "Picture1", 3120, 120, 6030, 1530);
    Picture1->setPixmap(picture(QStringLiteral("banner")).pixmap(QSize(400, 100)));
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // Destination
    Frame2 =
        frame(this, "Frame2", QStringLiteral("Répertoire de destination"), 120, 120, 2895, 3615);
    Drive1 = place(new DriveList(Frame2), "Drive1", 120, 240, 2655, 315);
    Drive1->setToolTip(QStringLiteral("Choix du disque de destination"));
    Dir1 = place(new FolderList(m_services.files, Frame2), "Dir1", 120, 720, 2655, 2790);
    Dir1->setToolTip(QStringLiteral("Choix du dossier de destination"));

    // Name sources: a tab strip over two pages that lie on top of each other.
    autotab = place(new TabStrip(this), "autotab", 120, 3840, 2895, 3135);
    autotab->addTab(QStringLiteral("Presets"));
    autotab->addTab(QStringLiteral("Générateur"));
    autotab->setToolTip(QStringLiteral("Type de noms"));

    Frame3[0] = place(new QWidget(this), "Frame3_0", 150, 4155, 2835, 2790);
    Command8 = button(Frame3[0], "Command8", QStringLiteral("Sauvegarder"), 120, 60, 1170, 240);
    Command8->setEnabled(false);
    Command7 = button(Frame3[0], "Command7", QStringLiteral("Recharger"), 1560, 60, 1170, 240);
    File1 = place(new FileList(m_services.files, Frame3[0]), "File1", 60, 360, 2655, 2370);
    File1->setPattern(QStringLiteral("*.txt"));
    File1->setFont(makeFont(QStringLiteral("Microsoft Sans Serif"), 8.25));
    File1->setToolTip(QStringLiteral("Presets (listes prédéfinies)"));
    onButtonFace(File1);

    Frame3[1] = place(new QWidget(this), "Frame3_1", 150, 4155, 2835, 2790);
    QWidget* gen = Frame3[1];
    const std::array<std::pair<const char*, const char*>, 3> options{{
        {"séquence", "Génère une séquence de nombres"},
        {"intervalles",
         "Génère des intervalles selon le paramètres 'Incrémenter par' ; les intervalles sont "
         "incrémentés en 1 en 1... enfin testez, vous comprendrez ! Très pratique pour ranger des "
         "fichiers par paquets de 50, 100..."},
        {"aléatoire", "Génère des nombres aléatoires ; augmentez le paramètre 'Affichage' pour "
                      "éviter les répétitions"},
    }};
    const std::array<std::array<int, 2>, 3> optionBox{{{60, 915}, {960, 975}, {1920, 855}}};
    const std::array<const char*, 3> optionNames{"Option1_0", "Option1_1", "Option1_2"};
    for (std::size_t i = 0; i < options.size(); ++i) {
        Option1[i] = place(new OptionButton(QString::fromUtf8(options[i].first), gen),
                           optionNames[i], optionBox[i][0], 120, optionBox[i][1], 375);
        Option1[i]->setToolTip(QString::fromUtf8(options[i].second));
    }
    Option1[0]->setChecked(true);

    const QString startTip = QStringLiteral("Nombre de départ de la séquence");
    const QString stepTip = QStringLiteral("Niveau d'incrémentation automatique");
    const QString countTip = QStringLiteral("Nombre de noms à générer");
    Label4 = label(gen, "Label4", QStringLiteral("Commencer à"), 120, 600, 1095, 255, startTip);
    Text2 = place(new TextBox(QStringLiteral("1"), gen), "Text2", 1320, 600, 1335, 285);
    Text2->setToolTip(startTip);
    Label6 = label(gen, "Label6", QStringLiteral("Incrémenter par"), 120, 960, 1215, 255, stepTip);
    Text4 = place(new TextBox(QStringLiteral("1"), gen), "Text4", 1320, 960, 1335, 285);
    Text4->setToolTip(stepTip);
    Label5 = label(gen, "Label5", QStringLiteral("Nombre"), 120, 1320, 975, 255, countTip);
    Text3 = place(new TextBox(QStringLiteral("10"), gen), "Text3", 1320, 1320, 1335, 285);
    Text3->setToolTip(countTip);
    Label2 = label(gen, "Label2", QStringLiteral("Affichage à 2 chiffres"), 120, 1680, 1935, 255,
                   QStringLiteral("Nombre minimum de chiffres dans chaque nom de la séquence"));
    HScroll1 = place(new ScrollBar(gen), "HScroll1", 2160, 1680, 495, 220);
    HScroll1->setRange(1, 20);
    HScroll1->setSingleStep(1);
    HScroll1->setPageStep(1);
    HScroll1->setValue(2);
    Command6 = button(gen, "Command6", QStringLiteral("Générer"), 840, 2040, 1095, 255);
    Command6->setToolTip(QStringLiteral("Nouvelle séquence aléatoire"));
    Label7 = label(gen, "Label7",
                   QStringLiteral("Modifiez les champs pour générer la séquence ou cliquez sur "
                                  "Générer."),
                   120, 2400, 2655, 375);
    Label7->setFont(makeFont(QStringLiteral("Verdana"), 6.75, false, true));
    Label7->setWordWrap(true);

    // Editor
    Frame4 = frame(this, "Frame4", QStringLiteral("Editeur"), 3120, 1800, 3135, 5175);
    Frame4->setToolTip(QStringLiteral("Editeur de noms - Affiche les presets ou les séquences "
                                      "générées, avec diverses options de mise en forme"));
    prefcheck = place(new CheckBox(QStringLiteral("ajouter un prefixe"), Frame4), "prefcheck", 120,
                      240, 1575, 255);
    prefcheck->setToolTip(QStringLiteral("Ajoute un préfixe aux noms de l'éditeur"));
    const AddsSettings start; // the chain's own prefix and suffix
    preftext = place(new TextBox(start.prefix, Frame4), "preftext", 1680, 240, 1335, 285);
    preftext->setToolTip(QStringLiteral("Préfixe ajouté"));
    preftext->setEnabled(false);
    suffcheck = place(new CheckBox(QStringLiteral("ajouter un suffixe"), Frame4), "suffcheck", 120,
                      600, 1575, 255);
    suffcheck->setToolTip(QStringLiteral("Ajoute un suffixe aux noms de l'éditeur"));
    sufftext = place(new TextBox(start.suffix, Frame4), "sufftext", 1680, 600, 1335, 285);
    sufftext->setToolTip(QStringLiteral("Sufixe ajouté"));
    sufftext->setEnabled(false);

    Combo3 = place(new ComboBox(Frame4), "Combo3", 120, 960, 2895, 300);
    Combo3->setEntries({QStringLiteral("Caractères interdits supprimés :"),
                        QStringLiteral(" > remplacés par des espaces"),
                        QStringLiteral(" > remplacés par des soulignés _"),
                        QStringLiteral(" > remplacés par des tirets -"),
                        QStringLiteral(" > / et \\ créent des sous-dossiers")});
    Combo3->setToolTip(QStringLiteral("Gestion des caractères %1 (interdits dans les noms de "
                                      "dossiers)")
                           .arg(QStringView(kForbiddenCharacters)));
    Combo2 = place(new ComboBox(Frame4), "Combo2", 120, 1320, 2895, 300);
    Combo2->setEntries({QStringLiteral("(aucun remplacement)"), QStringLiteral("espace > souligné"),
                        QStringLiteral("espace > tiret"), QStringLiteral("souligné > espace"),
                        QStringLiteral("souligné > tiret"), QStringLiteral("tiret > espace"),
                        QStringLiteral("tiret > souligné")});
    Combo2->setToolTip(QStringLiteral("Transformation de espaces, tirets et soulignés"));
    Combo1 = place(new ComboBox(Frame4), "Combo1", 120, 1680, 2895, 300);
    Combo1->setEntries({QStringLiteral("(casse originale)"), QStringLiteral("tout en minuscules"),
                        QStringLiteral("Majuscule au premier mot"),
                        QStringLiteral("Majuscules A Tous Les Mots"),
                        QStringLiteral("TOUT EN MAJUSCULES")});
    Combo1->setToolTip(QStringLiteral("Casse des noms (majuscules, minuscules...)"));
    for (ComboBox* combo : {Combo1, Combo2, Combo3})
        combo->setFont(verdana(6.75));

    livepreview = place(new CheckBox(QStringLiteral("Auto Preview"), Frame4), "livepreview", 120,
                        2040, 1335, 255);
    livepreview->setValue(1);
    livepreview->setToolTip(QStringLiteral("(Des)activation de l'Aperçu Automatique"));
    Command4 = place(new CommandButton(QStringLiteral("Effacer"), Frame4), "Command4", 2160, 2040,
                     855, 315);
    Command4->setToolTip(QStringLiteral("Effacer la liste de noms"));
    Text1 = place(new EditorBox(Frame4), "Text1", 120, 2400, 2895, 2655);
    Text1->setToolTip(QStringLiteral("Liste de noms générée par preset ou séquence, modifiable"));
    {
        // The editor is drawn on the title-bar text colour: white in the usual scheme.
        QPalette p = Text1->palette();
        p.setColor(QPalette::Base, Qt::white);
        p.setColor(QPalette::Text, Qt::black);
        Text1->setPalette(p);
    }

    // Picture buttons
    Command2 = place(new PictureButton(QStringLiteral("preview"),
                                       QStringLiteral("Aperçu de la liste selon les paramètres de "
                                                      "l'éditeur"),
                                       this),
                     "Command2", 6360, 1800, 1335, 855);
    Command3 =
        place(new PictureButton(QStringLiteral("create"),
                                QStringLiteral("Générer la liste de dossier, désactivé si un "
                                               "doublon est détecté"),
                                this),
              "Command3", 7800, 1800, 1335, 855);
    invalidate(); // until start-up's first preview
    Command5 =
        place(new PictureButton(QStringLiteral("about"),
                                QStringLiteral("Bah cliquez dessus, vous verrez bien..."), this),
              "Command5", 6360, 2760, 1335, 855);
    Command1 = place(
        new PictureButton(QStringLiteral("quit"), QStringLiteral("Quitter le programme"), this),
        "Command1", 7800, 2760, 1335, 855);

    // Preview
    Frame1 = frame(this, "Frame1", QStringLiteral("Aperçu"), 6360, 3840, 2775, 3135);
    rtb1 = place(new PreviewPane(Frame1), "rtb1", 240, 360, 2535, 2655);
    rtb1->setFont(verdana(8.25));
    rtb1->setToolTip(QStringLiteral("Aperçu des noms de dossiers qui seront générés"));
    onButtonFace(rtb1);
    Slider1 = place(new Slider(Frame1), "Slider1", 1800, 0, 975, 255);
    Slider1->setRange(0, 4);
    Slider1->setPageStep(1);
    Slider1->setValue(1);
    Slider1->setTickPosition(QSlider::NoTicks);
    Slider1->setToolTip(QStringLiteral("Zoom des noms de dossiers"));

    // Status bar, docked to the bottom edge.
    SB1 = place(new StatusBar(this), "SB1", 0, 7065, 9255, 255);
    SB1->setFont(verdana(8.25));
    SB1->addPanel(QStringLiteral("Destination :"), px(1215));
    SB1->addPanel(QString(), 0,
                  QStringLiteral("Dossier de destination où seront créés les dossiers définis"));
    SB1->addPanel(QStringLiteral("Total : 0"), px(1440),
                  QStringLiteral("Nombre de dossiers générés"));
}

// What a screen reader says of each control: a short name of what it is for.
// Its description is its tooltip; fields are named by their captions.
void Form1::nameForScreenReaders() {
    const std::vector<std::pair<QWidget*, const char*>> names{
        {Drive1, "Disque de destination"},
        {Dir1, "Dossier de destination"},
        {Command8, "Sauvegarder la liste"},
        {Command7, "Recharger les presets"},
        {File1, "Liste des presets"},
        {Option1[0], "Mode séquence"},
        {Option1[1], "Mode intervalles"},
        {Option1[2], "Mode aléatoire"},
        {HScroll1, "Nombre de chiffres"},
        {Command6, "Générer"},
        {prefcheck, "Ajouter un préfixe"},
        {preftext, "Préfixe"},
        {suffcheck, "Ajouter un suffixe"},
        {sufftext, "Suffixe"},
        {Combo3, "Caractères interdits"},
        {Combo2, "Espaces, tirets et soulignés"},
        {Combo1, "Casse des noms"},
        {livepreview, "Aperçu automatique"},
        {Command4, "Effacer la liste"},
        {Text1, "Éditeur de noms"},
        {Command2, "Aperçu"},
        {Command3, "Créer les dossiers"},
        {Command5, "À propos"},
        {Command1, "Quitter"},
        {rtb1, "Noms des dossiers"},
        {Slider1, "Zoom de l'aperçu"},
        {SB1, "Barre d'état"},
    };
    for (const auto& [control, name] : names) {
        control->setAccessibleName(QString::fromUtf8(name));
        // On Linux a drop-down list is read by its value and named by the label
        // tied to it: an unseen one here, since the window shows none.
        if (qobject_cast<QComboBox*>(control)) {
            auto* caption = new QLabel(control->accessibleName(), control->parentWidget());
            caption->setObjectName(control->objectName() + QStringLiteral("_caption"));
            caption->setBuddy(control);
            caption->hide();
        }
    }
    // Lists and tables do not offer their tooltip by themselves. The tab strip
    // is read as its tabs, each named by its caption: they carry its tooltip.
    for (QWidget* control : findChildren<QWidget*>())
        control->setAccessibleDescription(control->toolTip());
    for (int tab = 0; tab < autotab->count(); ++tab)
        autotab->setTabToolTip(tab, autotab->toolTip());
    // The generator's fields take their names from the captions beside them.
    Label4->setBuddy(Text2);
    Label6->setBuddy(Text4);
    Label5->setBuddy(Text3);
    Label2->setBuddy(HScroll1);
}

// Keyboard order: the controls that take focus, by their place in the design's
// tab sequence.
void Form1::setTabOrder() {
    const std::vector<QWidget*> order{
        Command1, Command2, Drive1,      Dir1,       Command3,   autotab,   File1,     Text1,
        rtb1,     Slider1,  Command4,    Combo1,     prefcheck,  preftext,  suffcheck, sufftext,
        Combo2,   Command5, livepreview, Combo3,     Text2,      Text4,     Text3,     HScroll1,
        Command6, Command7, Command8,    Option1[0], Option1[1], Option1[2]};
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}
