// The main window as it is drawn. The table is its design, in twips; a list's
// entries and the tab strip's tabs are joined by "|".

#include "app/form1.h"
#include "support/doubles.h"

#include <QAccessible>
#include <QApplication>
#include <QScreen>
#include <QTest>

#include <optional>
#include <utility>

using ramulo::px;

// in "": the window itself; text nullptr: not compared; font: the window's by default.
struct Design {
    const char *name, *in, *kind;
    int left, top, width, height, tab;
    const char *text = nullptr, *tip = "", *font = "MS Sans Serif 8.25";
};

// clang-format off
const Design designs[] = {
    {"Picture1", "", "QLabel", 3120, 120, 6030, 1530, 0},
    {"Frame2", "", "QGroupBox", 120, 120, 2895, 3615, 5, "Répertoire de destination"},
    {"Drive1", "Frame2", "QComboBox", 120, 240, 2655, 315, 6, nullptr, "Choix du disque de destination"},
    {"Dir1", "Frame2", "QAbstractItemView", 120, 720, 2655, 2790, 7, nullptr, "Choix du dossier de destination"},
    {"autotab", "", "QTabBar", 120, 3840, 2895, 3135, 9, "Presets|Générateur", "Type de noms"},
    {"Frame3_0", "", "QWidget", 150, 4155, 2835, 2790, 10},
    {"Command8", "Frame3_0", "QPushButton", 120, 60, 1170, 240, 39, "Sauvegarder", "", "Verdana 6.75"},
    {"Command7", "Frame3_0", "QPushButton", 1560, 60, 1170, 240, 38, "Recharger", "", "Verdana 6.75"},
    {"File1", "Frame3_0", "QAbstractItemView", 60, 360, 2655, 2370, 12, nullptr, "Presets (listes prédéfinies)", "Microsoft Sans Serif 8.25"},
    {"Frame3_1", "", "QWidget", 150, 4155, 2835, 2790, 11},
    {"Option1_0", "Frame3_1", "QPushButton", 60, 120, 915, 375, 41, "séquence", "Génère une séquence de nombres"},
    {"Option1_1", "Frame3_1", "QPushButton", 960, 120, 975, 375, 42, "intervalles", "Génère des intervalles selon le paramètres 'Incrémenter par' ; les intervalles sont incrémentés en 1 en 1... enfin testez, vous comprendrez ! Très pratique pour ranger des fichiers par paquets de 50, 100..."},
    {"Option1_2", "Frame3_1", "QPushButton", 1920, 120, 855, 375, 43, "aléatoire", "Génère des nombres aléatoires ; augmentez le paramètre 'Affichage' pour éviter les répétitions"},
    {"Label4", "Frame3_1", "QLabel", 120, 600, 1095, 255, 29, "Commencer à", "Nombre de départ de la séquence"},
    {"Text2", "Frame3_1", "QLineEdit", 1320, 600, 1335, 285, 30, nullptr, "Nombre de départ de la séquence"},
    {"Label6", "Frame3_1", "QLabel", 120, 960, 1215, 255, 31, "Incrémenter par", "Niveau d'incrémentation automatique"},
    {"Text4", "Frame3_1", "QLineEdit", 1320, 960, 1335, 285, 32, nullptr, "Niveau d'incrémentation automatique"},
    {"Label5", "Frame3_1", "QLabel", 120, 1320, 975, 255, 33, "Nombre", "Nombre de noms à générer"},
    {"Text3", "Frame3_1", "QLineEdit", 1320, 1320, 1335, 285, 34, nullptr, "Nombre de noms à générer"},
    {"Label2", "Frame3_1", "QLabel", 120, 1680, 1935, 255, 35, "Affichage à 2 chiffres", "Nombre minimum de chiffres dans chaque nom de la séquence"},
    {"HScroll1", "Frame3_1", "QScrollBar", 2160, 1680, 495, 220, 36},
    {"Command6", "Frame3_1", "QPushButton", 840, 2040, 1095, 255, 37, "Générer", "Nouvelle séquence aléatoire", "Verdana 6.75"},
    {"Label7", "Frame3_1", "QLabel", 120, 2400, 2655, 375, 40, "Modifiez les champs pour générer la séquence ou cliquez sur Générer.", "", "Verdana 6.75 italic"},
    {"Frame4", "", "QGroupBox", 3120, 1800, 3135, 5175, 14, "Editeur", "Editeur de noms - Affiche les presets ou les séquences générées, avec diverses options de mise en forme"},
    {"prefcheck", "Frame4", "QCheckBox", 120, 240, 1575, 255, 21, "ajouter un prefixe", "Ajoute un préfixe aux noms de l'éditeur"},
    {"preftext", "Frame4", "QLineEdit", 1680, 240, 1335, 285, 22, nullptr, "Préfixe ajouté"},
    {"suffcheck", "Frame4", "QCheckBox", 120, 600, 1575, 255, 23, "ajouter un suffixe", "Ajoute un suffixe aux noms de l'éditeur"},
    {"sufftext", "Frame4", "QLineEdit", 1680, 600, 1335, 285, 24, nullptr, "Sufixe ajouté"},
    {"Combo3", "Frame4", "QComboBox", 120, 960, 2895, 300, 28, "Caractères interdits supprimés :| > remplacés par des espaces| > remplacés par des soulignés _| > remplacés par des tirets -", "Gestion des caractères /\\:*?\"<>| (interdits dans les noms de dossiers)", "Verdana 6.75"},
    {"Combo2", "Frame4", "QComboBox", 120, 1320, 2895, 300, 25, "(aucun remplacement)|espace > souligné|espace > tiret|souligné > espace|souligné > tiret|tiret > espace|tiret > souligné", "Transformation de espaces, tirets et soulignés", "Verdana 6.75"},
    {"Combo1", "Frame4", "QComboBox", 120, 1680, 2895, 300, 20, "(casse originale)|tout en minuscules|Majuscule au premier mot|Majuscules A Tous Les Mots|TOUT EN MAJUSCULES", "Casse des noms (majuscules, minuscules...)", "Verdana 6.75"},
    {"livepreview", "Frame4", "QCheckBox", 120, 2040, 1335, 255, 27, "Auto Preview", "(Des)activation de l'Aperçu Automatique"},
    {"Command4", "Frame4", "QPushButton", 2160, 2040, 855, 315, 19, "Effacer", "Effacer la liste de noms"},
    {"Text1", "Frame4", "QPlainTextEdit", 120, 2400, 2895, 2655, 15, nullptr, "Liste de noms générée par preset ou séquence, modifiable"},
    {"Command2", "", "QPushButton", 6360, 1800, 1335, 855, 4, "", "Aperçu de la liste selon les paramètres de l'éditeur"},
    {"Command3", "", "QPushButton", 7800, 1800, 1335, 855, 8, "", "Générer la liste de dossier, désactivé si un doublon est détecté"},
    {"Command5", "", "QPushButton", 6360, 2760, 1335, 855, 26, "", "Bah cliquez dessus, vous verrez bien..."},
    {"Command1", "", "QPushButton", 7800, 2760, 1335, 855, 1, "", "Quitter le programme"},
    {"Frame1", "", "QGroupBox", 6360, 3840, 2775, 3135, 16, "Aperçu"},
    {"rtb1", "Frame1", "QAbstractScrollArea", 240, 360, 2535, 2655, 17, nullptr, "Aperçu des noms de dossiers qui seront générés", "Verdana 8.25"},
    {"Slider1", "Frame1", "QSlider", 1800, 0, 975, 255, 18, nullptr, "Zoom des noms de dossiers"},
    {"SB1", "", "QWidget", 0, 7065, 9255, 255, 2, nullptr, "", "Verdana 8.25"},
    // The destination's panel takes what the others leave of the bar but 60 twips.
    {"SB1_1", "SB1", "QLabel", 15, 15, 1215, 225, 0, "Destination :", "", "Verdana 8.25"},
    {"SB1_2", "SB1", "QLabel", 1245, 15, 6540, 225, 0, nullptr, "Dossier de destination où seront créés les dossiers définis", "Verdana 8.25"},
    {"SB1_3", "SB1", "QLabel", 7800, 15, 1440, 225, 0, "Total : 0", "Nombre de dossiers générés", "Verdana 8.25"},
};
// clang-format on

static QString shownText(const QWidget* c) {
    QStringList parts;
    const auto* list = qobject_cast<const QComboBox*>(c);
    const auto* tabs = qobject_cast<const QTabBar*>(c);
    for (int i = 0; i < (list ? list->count() : tabs ? tabs->count() : 0); ++i)
        parts << (list ? list->itemText(i) : tabs->tabText(i));
    return list || tabs ? parts.join(u'|')
                        : c->property(c->inherits("QGroupBox") ? "title" : "text").toString();
}

class TestLayout : public QObject {
    Q_OBJECT
    ramulo::test::Harness m_h; // the layout tests leave it as it is
    std::optional<Form1> m_w;

private slots:
    void init() {
        m_w.emplace(m_h.services());
        m_w->show();
        QApplication::setActiveWindow(&*m_w);
        QVERIFY(QTest::qWaitForWindowActive(&*m_w));
    }

    void design_data() {
        QTest::addColumn<int>("row");
        for (const Design& d : designs)
            QTest::newRow(d.name) << int(&d - designs);
    }
    void design() {
        QFETCH(int, row);
        const Design& d = designs[row];
        QWidget* c = m_w->findChild<QWidget*>(d.name);
        QVERIFY(c && m_w->findChildren<QWidget*>(d.name).size() == 1);
        QCOMPARE(c->parentWidget(), *d.in ? m_w->findChild<QWidget*>(d.in) : &*m_w);
        QVERIFY2(c->inherits(d.kind), c->metaObject()->className());
        QCOMPARE(c->geometry(), QRect(px(d.left), px(d.top), px(d.width), px(d.height)));
        if (d.text)
            QCOMPARE(shownText(c), QString(d.text));
        QVERIFY(!c->property("editable").toBool()); // lists offer only their entries
        QCOMPARE(c->toolTip(), QString(d.tip));
        const QFont f = c->font();
        const QString font = f.family() + ' ' + QString::number(f.pointSizeF());
        QCOMPARE(font + (f.italic() ? " italic" : "") + (f.bold() ? " bold" : ""), QString(d.font));
        QCOMPARE(bool(c->focusPolicy() & Qt::TabFocus), // labels, frames and pages take none
                 !QByteArrayList({"QLabel", "QGroupBox", "QWidget"}).contains(d.kind));
    }

    void frameButtonsAndPanels() {
        Form1& w = *m_w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Ramulo"));
        QCOMPARE(w.size(), QSize(617, 488));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QCOMPARE(w.windowFlags() & (Qt::CustomizeWindowHint | Qt::WindowMinMaxButtonsHint),
                 Qt::WindowFlags(Qt::CustomizeWindowHint)); // no platform buttons
        QVERIFY(!w.windowIcon().pixmap(32, 32).isNull());
        const QPoint off = w.frameGeometry().center() - w.screen()->availableGeometry().center();
        QVERIFY2(off.manhattanLength() <= 2, "not in the centre of the screen");
        QCOMPARE(w.Picture1->pixmap().size(), QSize(400, 100));
        QCOMPARE(QList({w.HScroll1->minimum(), w.HScroll1->maximum()}), QList({1, 20}));
        QVERIFY(!w.Command8->isEnabled());
        for (QPushButton* b : {w.Command1, w.Command2, w.Command3, w.Command5})
            QVERIFY2(!b->isFlat() && b->iconSize() == QSize(48, 48) &&
                         !b->icon().pixmap(48, 48).isNull(),
                     qPrintable(b->objectName()));
        const QList<QLabel*> panels = w.SB1->findChildren<QLabel*>(); // each a row of the table
        QCOMPARE(panels.size(), 3);
        for (const QLabel* panel : panels)
            QCOMPARE(panel->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    }

    // A frame's caption sits in its border: the top line, drawn right of the caption,
    // runs through the caption's middle, clear of the first row of controls.
    void frameCaptions() {
        const std::pair<QGroupBox*, QWidget*> frames[] = {
            {m_w->Frame2, m_w->Drive1}, {m_w->Frame4, m_w->prefcheck}, {m_w->Frame1, m_w->rtb1}};
        for (const auto& [frame, first] : frames) {
            QImage drawn(frame->size(), QImage::Format_RGB32);
            frame->render(&drawn, {}, {}, QWidget::DrawWindowBackground); // not its controls
            const int x = frame->fontMetrics().horizontalAdvance(frame->title()) + 16;
            int line = 0;
            while (line + 1 < drawn.height() && drawn.pixel(x, line) == drawn.pixel(x, 0))
                ++line;
            QVERIFY2(std::abs(line - frame->fontMetrics().height() / 2) <= 1 &&
                         line + 2 < first->y(),
                     qPrintable(frame->objectName() + ": line at " + QString::number(line)));
        }
    }

    // Screen readers: each control that takes focus, and the status bar, has a
    // short name of its own, and its tooltip as description; the generator's
    // fields are named by their captions; the window and the status bar have
    // their roles, and the bar's panels can be read.
    void screenReaders() {
        QMap<QString, QString> named; // name -> control
        for (const Design& d : designs) {
            auto* c = m_w->findChild<QWidget*>(d.name);
            if (!(c->focusPolicy() & Qt::TabFocus) && c != m_w->SB1)
                continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
            if (a->role() == QAccessible::PageTabList) // read as its current tab
                a = a->child(0);
            const auto labels = a->relations(QAccessible::Label);
            const QString name = a->role() == QAccessible::ComboBox && !labels.isEmpty()
                                     ? labels.first().first->text(QAccessible::Name)
                                     : a->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty() && name.size() <= 30 && name != d.tip && !named.contains(name),
                     qPrintable(d.name + (": " + name) + " " + named.value(name)));
            named.insert(name, d.name);
            QCOMPARE(a->text(QAccessible::Description), QString(d.tip));
        }
        const std::pair<QLabel*, QWidget*> captions[] = {
            {m_w->Label4, m_w->Text2}, {m_w->Label6, m_w->Text4}, {m_w->Label5, m_w->Text3}};
        for (const auto& [caption, field] : captions) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(field);
            QCOMPARE(a->text(QAccessible::Name), caption->text());
            const auto labelled = a->relations(QAccessible::Label);
            QVERIFY(!labelled.isEmpty() && labelled.first().first->object() == caption);
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(&*m_w)->role(), QAccessible::Window);
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(m_w->SB1);
        QCOMPARE(bar->role(), QAccessible::StatusBar);
        QStringList panels;
        for (int i = 0; i < bar->childCount(); ++i)
            panels << bar->child(i)->text(QAccessible::Name);
        QCOMPARE(panels, QStringList({"Destination :", m_w->SB1->panelText(2), "Total : 0"}));
    }

    // The focus chain follows the tab numbers; Tab goes round by them past the disabled
    // controls, the hidden page and the option buttons not selected.
    void keyboardOrder() {
        QMap<int, QString> byTab;
        for (const Design& d : designs)
            if (auto* c = m_w->findChild<QWidget*>(d.name); c && c->focusPolicy() & Qt::TabFocus)
                byTab.insert(d.tab, d.name);
        QStringList chain{"Command1"};
        for (QWidget* c = m_w->Command1; (c = c->nextInFocusChain()) != m_w->Command1;)
            if (byTab.values().contains(c->objectName()))
                chain << c->objectName();
        QCOMPARE(chain, byTab.values());

        for (int tab : {0, 1}) {
            m_w->autotab->setCurrentIndex(tab);
            QStringList ring, walked;
            for (const QString& name : byTab)
                if (auto* c = m_w->findChild<QWidget*>(name);
                    c->isVisible() && c->isEnabled() &&
                    (!qobject_cast<ramulo::OptionButton*>(c) || c->property("checked").toBool()))
                    ring << name;
            m_w->Command1->setFocus(Qt::TabFocusReason);
            while (walked.size() < ring.size()) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QVERIFY(QApplication::focusWidget());
                walked << QApplication::focusWidget()->objectName();
            }
            QCOMPARE(walked, ring.mid(1) << ring.first());
        }
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
