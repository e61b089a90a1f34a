// The main window as it is drawn: every control in its container, of its kind,
// at its place and size, with its caption, font, tooltip and starting state;
// the list entries, the tabs, the status bar panels, the window frame and the
// keyboard order. The tables below are the window's design, in twips.

#include "app/form1.h"
#include "support/doubles.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QTest>

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

using ramulo::px;

namespace {

struct FontDesign {
    const char* family;
    double points;
    bool italic;
};

// The window's own font, used by every control that names no other.
constexpr FontDesign sansSerif{"MS Sans Serif", 8.25, false};
constexpr FontDesign microsoftSans{"Microsoft Sans Serif", 8.25, false};
constexpr FontDesign verdana675{"Verdana", 6.75, false};
constexpr FontDesign verdana675Italic{"Verdana", 6.75, true};
constexpr FontDesign verdana825{"Verdana", 8.25, false};

struct ControlDesign {
    const char* name;
    const char* container; // "window": the main window itself
    const char* kind;      // the Qt class it is or derives from; nullptr: a plain widget
    int left, top, width, height;
    int tab;         // place in the keyboard order
    bool takesFocus; // labels, frames, pages, the banner and the status bar do not
    FontDesign font;
    const char* text; // caption or starting text; nullptr: none to show
    const char* tooltip;
    bool enabled;
};

// The tooltip of the forbidden-character list quotes the characters themselves,
// a double quote among them.
const char* const combo3Tip =
    "Gestion des caractères /\\:*?\"<>| (interdits dans les noms de dossiers)";

const char* const intervalsTip =
    "Génère des intervalles selon le paramètres 'Incrémenter par' ; les intervalles sont "
    "incrémentés en 1 en 1... enfin testez, vous comprendrez ! Très pratique pour ranger des "
    "fichiers par paquets de 50, 100...";

// clang-format off
const ControlDesign controls[] = {
    {"Picture1",    "window",   "QLabel",             3120,  120, 6030, 1530,  0, false, sansSerif, "", "", true},
    {"Frame2",      "window",   "QGroupBox",           120,  120, 2895, 3615,  5, false, sansSerif, "Répertoire de destination", "", true},
    {"Drive1",      "Frame2",   "QComboBox",           120,  240, 2655,  315,  6, true,  sansSerif, nullptr, "Choix du disque de destination", true},
    {"Dir1",        "Frame2",   "QAbstractItemView",   120,  720, 2655, 2790,  7, true,  sansSerif, nullptr, "Choix du dossier de destination", true},
    {"autotab",     "window",   "QTabBar",             120, 3840, 2895, 3135,  9, true,  sansSerif, nullptr, "Type de noms", true},
    {"Frame3_0",    "window",   nullptr,               150, 4155, 2835, 2790, 10, false, sansSerif, "", "", true},
    {"Command8",    "Frame3_0", "QPushButton",         120,   60, 1170,  240, 39, true,  verdana675, "Sauvegarder", "", false},
    {"Command7",    "Frame3_0", "QPushButton",        1560,   60, 1170,  240, 38, true,  verdana675, "Recharger", "", true},
    {"File1",       "Frame3_0", "QAbstractItemView",    60,  360, 2655, 2370, 12, true,  microsoftSans, nullptr, "Presets (listes prédéfinies)", true},
    {"Frame3_1",    "window",   nullptr,               150, 4155, 2835, 2790, 11, false, sansSerif, "", "", true},
    {"Option1_0",   "Frame3_1", "QPushButton",          60,  120,  915,  375, 41, true,  sansSerif, "séquence", "Génère une séquence de nombres", true},
    {"Option1_1",   "Frame3_1", "QPushButton",         960,  120,  975,  375, 42, true,  sansSerif, "intervalles", intervalsTip, true},
    {"Option1_2",   "Frame3_1", "QPushButton",        1920,  120,  855,  375, 43, true,  sansSerif, "aléatoire", "Génère des nombres aléatoires ; augmentez le paramètre 'Affichage' pour éviter les répétitions", true},
    {"Label4",      "Frame3_1", "QLabel",              120,  600, 1095,  255, 29, false, sansSerif, "Commencer à", "Nombre de départ de la séquence", true},
    {"Text2",       "Frame3_1", "QLineEdit",          1320,  600, 1335,  285, 30, true,  sansSerif, "1", "Nombre de départ de la séquence", true},
    {"Label6",      "Frame3_1", "QLabel",              120,  960, 1215,  255, 31, false, sansSerif, "Incrémenter par", "Niveau d'incrémentation automatique", true},
    {"Text4",       "Frame3_1", "QLineEdit",          1320,  960, 1335,  285, 32, true,  sansSerif, "1", "Niveau d'incrémentation automatique", true},
    {"Label5",      "Frame3_1", "QLabel",              120, 1320,  975,  255, 33, false, sansSerif, "Nombre", "Nombre de noms à générer", true},
    {"Text3",       "Frame3_1", "QLineEdit",          1320, 1320, 1335,  285, 34, true,  sansSerif, "10", "Nombre de noms à générer", true},
    {"Label2",      "Frame3_1", "QLabel",              120, 1680, 1935,  255, 35, false, sansSerif, "Affichage à 2 chiffres", "Nombre minimum de chiffres dans chaque nom de la séquence", true},
    {"HScroll1",    "Frame3_1", "QScrollBar",         2160, 1680,  495,  220, 36, true,  sansSerif, nullptr, "", true},
    {"Command6",    "Frame3_1", "QPushButton",         840, 2040, 1095,  255, 37, true,  verdana675, "Générer", "Nouvelle séquence aléatoire", true},
    {"Label7",      "Frame3_1", "QLabel",              120, 2400, 2655,  375, 40, false, verdana675Italic, "Modifiez les champs pour générer la séquence ou cliquez sur Générer.", "", true},
    {"Frame4",      "window",   "QGroupBox",          3120, 1800, 3135, 5175, 14, false, sansSerif, "Editeur", "Editeur de noms - Affiche les presets ou les séquences générées, avec diverses options de mise en forme", true},
    {"prefcheck",   "Frame4",   "QCheckBox",           120,  240, 1575,  255, 21, true,  sansSerif, "ajouter un prefixe", "Ajoute un préfixe aux noms de l'éditeur", true},
    {"preftext",    "Frame4",   "QLineEdit",          1680,  240, 1335,  285, 22, true,  sansSerif, "pre_", "Préfixe ajouté", false},
    {"suffcheck",   "Frame4",   "QCheckBox",           120,  600, 1575,  255, 23, true,  sansSerif, "ajouter un suffixe", "Ajoute un suffixe aux noms de l'éditeur", true},
    {"sufftext",    "Frame4",   "QLineEdit",          1680,  600, 1335,  285, 24, true,  sansSerif, "_suff", "Sufixe ajouté", false},
    {"Combo3",      "Frame4",   "QComboBox",           120,  960, 2895,  300, 28, true,  verdana675, nullptr, combo3Tip, true},
    {"Combo2",      "Frame4",   "QComboBox",           120, 1320, 2895,  300, 25, true,  verdana675, nullptr, "Transformation de espaces, tirets et soulignés", true},
    {"Combo1",      "Frame4",   "QComboBox",           120, 1680, 2895,  300, 20, true,  verdana675, nullptr, "Casse des noms (majuscules, minuscules...)", true},
    {"livepreview", "Frame4",   "QCheckBox",           120, 2040, 1335,  255, 27, true,  sansSerif, "Auto Preview", "(Des)activation de l'Aperçu Automatique", true},
    {"Command4",    "Frame4",   "QPushButton",        2160, 2040,  855,  315, 19, true,  sansSerif, "Effacer", "Effacer la liste de noms", true},
    {"Text1",       "Frame4",   "QPlainTextEdit",      120, 2400, 2895, 2655, 15, true,  sansSerif, "", "Liste de noms générée par preset ou séquence, modifiable", true},
    {"Command2",    "window",   "QPushButton",        6360, 1800, 1335,  855,  4, true,  sansSerif, "", "Aperçu de la liste selon les paramètres de l'éditeur", true},
    {"Command3",    "window",   "QPushButton",        7800, 1800, 1335,  855,  8, true,  sansSerif, "", "Générer la liste de dossier, désactivé si un doublon est détecté", true},
    {"Command5",    "window",   "QPushButton",        6360, 2760, 1335,  855, 26, true,  sansSerif, "", "Bah cliquez dessus, vous verrez bien...", true},
    {"Command1",    "window",   "QPushButton",        7800, 2760, 1335,  855,  1, true,  sansSerif, "", "Quitter le programme", true},
    {"Frame1",      "window",   "QGroupBox",          6360, 3840, 2775, 3135, 16, false, sansSerif, "Aperçu", "", true},
    {"rtb1",        "Frame1",   "QAbstractScrollArea", 240,  360, 2535, 2655, 17, true,  verdana825, "", "Aperçu des noms de dossiers qui seront générés", true},
    {"Slider1",     "Frame1",   "QSlider",            1800,    0,  975,  255, 18, true,  sansSerif, nullptr, "Zoom des noms de dossiers", true},
    {"SB1",         "window",   nullptr,                 0, 7065, 9255,  255,  2, false, verdana825, nullptr, "", true},
};
// clang-format on

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

// What a control shows as its caption or text.
QString shownText(const QWidget* widget) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* frame = qobject_cast<const QGroupBox*>(widget))
        return frame->title();
    if (const auto* box = qobject_cast<const QLineEdit*>(widget))
        return box->text();
    // The editor and the preview pane: their lines, joined by "\n".
    if (const QVariant lines = widget->property("plainText"); lines.isValid())
        return lines.toString();
    return {}; // a plain widget shows no text of its own
}

QStringList itemsOf(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

// The controls that take focus, in the design's keyboard order.
std::vector<const ControlDesign*> focusOrder() {
    std::vector<const ControlDesign*> order;
    for (const ControlDesign& control : controls)
        if (control.takesFocus)
            order.push_back(&control);
    std::sort(order.begin(), order.end(),
              [](const ControlDesign* a, const ControlDesign* b) { return a->tab < b->tab; });
    return order;
}

} // namespace

class TestLayout : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ramulo::test::Harness> m_harness;
    std::unique_ptr<Form1> m_window;

    Form1& window() { return *m_window; }

    QWidget* control(const QString& name) {
        auto* widget = m_window->findChild<QWidget*>(name);
        if (!widget)
            qWarning("no control named %s", qPrintable(name));
        return widget;
    }

    template <typename T> T* control(const QString& name) {
        auto* widget = qobject_cast<T*>(control(name));
        if (!widget)
            qWarning("%s is not a %s", qPrintable(name), T::staticMetaObject.className());
        return widget;
    }

    // Shows the window and gives it the keyboard.
    bool showActive() {
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        m_window->activateWindow();
        return QTest::qWaitForWindowActive(m_window.get());
    }

    static void addControlRows(bool onlyWithText = false) {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(controls)); ++i)
            if (!onlyWithText || controls[i].text)
                QTest::newRow(controls[i].name) << i;
    }

private slots:
    void init() {
        m_harness = std::make_unique<ramulo::test::Harness>();
        m_window = std::make_unique<Form1>(m_harness->services());
    }

    void cleanup() {
        m_window.reset();
        m_harness.reset();
    }

    void controlTree_data() { addControlRows(); }
    void controlTree() {
        QFETCH(int, row);
        const ControlDesign& design = controls[row];
        const QString name = utf8(design.name);

        const QList<QWidget*> named = window().findChildren<QWidget*>(name);
        QCOMPARE(named.size(), 1);
        QWidget* widget = named.first();

        QWidget* container = qstrcmp(design.container, "window") == 0
                                 ? &window()
                                 : window().findChild<QWidget*>(utf8(design.container));
        QVERIFY(container);
        QCOMPARE(widget->parentWidget(), container);

        if (design.kind)
            QVERIFY2(widget->inherits(design.kind),
                     qPrintable(name + " is a " + widget->metaObject()->className()));

        QCOMPARE(widget->geometry(),
                 QRect(px(design.left), px(design.top), px(design.width), px(design.height)));
    }

    void captions_data() { addControlRows(true); }
    void captions() {
        QFETCH(int, row);
        const ControlDesign& design = controls[row];
        QWidget* widget = control(utf8(design.name));
        QVERIFY(widget);
        QCOMPARE(shownText(widget), utf8(design.text));
    }

    void fonts_data() { addControlRows(); }
    void fonts() {
        QFETCH(int, row);
        const ControlDesign& design = controls[row];
        QWidget* widget = control(utf8(design.name));
        QVERIFY(widget);
        const QFont font = widget->font();
        QCOMPARE(font.family(), utf8(design.font.family));
        QCOMPARE(font.pointSizeF(), design.font.points);
        QCOMPARE(font.italic(), design.font.italic);
        QVERIFY(!font.bold());
    }

    void tooltips_data() { addControlRows(); }
    void tooltips() {
        QFETCH(int, row);
        const ControlDesign& design = controls[row];
        QWidget* widget = control(utf8(design.name));
        QVERIFY(widget);
        QCOMPARE(widget->toolTip(), utf8(design.tooltip));
    }

    void combo3TooltipIsSeventyCharacters() {
        auto* combo = control<QComboBox>(QStringLiteral("Combo3"));
        QVERIFY(combo);
        QCOMPARE(combo->toolTip().size(), 70);
        QVERIFY(combo->toolTip().contains(QLatin1Char('"')));
    }

    // Seen on its page, the long tooltip of the interval option is shown
    // whole: all its text, within the screen.
    void longTooltipIsShownWhole() {
        QVERIFY(showActive());
        auto* tabs = control<QTabBar>(QStringLiteral("autotab"));
        QVERIFY(tabs);
        tabs->setCurrentIndex(1);
        QWidget* option = control(QStringLiteral("Option1_1"));
        QVERIFY(option);
        QVERIFY(option->isVisible());

        const QPoint at(option->width() / 2, option->height() / 2);
        QHelpEvent help(QEvent::ToolTip, at, option->mapToGlobal(at));
        QApplication::sendEvent(option, &help);

        QLabel* tip = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && top->inherits("QTipLabel"))
                tip = qobject_cast<QLabel*>(top);
        QVERIFY2(tip, "no tooltip shown");
        QCOMPARE(tip->text(), utf8(intervalsTip));
        if (tip->wordWrap())
            QVERIFY(tip->height() >= tip->heightForWidth(tip->width()));
        else
            QVERIFY(tip->width() >= tip->sizeHint().width());
        const QRect screen = option->screen()->geometry();
        QVERIFY2(screen.contains(tip->geometry()),
                 qPrintable(QStringLiteral("tooltip at %1,%2 %3x%4 on a screen of %5x%6")
                                .arg(tip->x())
                                .arg(tip->y())
                                .arg(tip->width())
                                .arg(tip->height())
                                .arg(screen.width())
                                .arg(screen.height())));
    }

    void enabledStates_data() { addControlRows(); }
    void enabledStates() {
        QFETCH(int, row);
        const ControlDesign& design = controls[row];
        QWidget* widget = control(utf8(design.name));
        QVERIFY(widget);
        QCOMPARE(widget->isEnabled(), design.enabled);
    }

    void checkedStates_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("checked");
        QTest::newRow("Option1_0") << "Option1_0" << true;
        QTest::newRow("Option1_1") << "Option1_1" << false;
        QTest::newRow("Option1_2") << "Option1_2" << false;
        QTest::newRow("prefcheck") << "prefcheck" << false;
        QTest::newRow("suffcheck") << "suffcheck" << false;
        QTest::newRow("livepreview") << "livepreview" << true;
    }
    void checkedStates() {
        QFETCH(QString, name);
        QFETCH(bool, checked);
        auto* button = control<QAbstractButton>(name);
        QVERIFY(button);
        QVERIFY(button->isCheckable());
        if (auto* box = qobject_cast<QCheckBox*>(button))
            QCOMPARE(box->checkState(), checked ? Qt::Checked : Qt::Unchecked);
        else
            QCOMPARE(button->isChecked(), checked);
    }

    void ranges_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("value"); // -1: free
        QTest::newRow("HScroll1") << "HScroll1" << 1 << 20 << 2;
        QTest::newRow("Slider1") << "Slider1" << 0 << 4 << -1;
    }
    void ranges() {
        QFETCH(QString, name);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, value);
        auto* slider = control<QAbstractSlider>(name);
        QVERIFY(slider);
        QCOMPARE(slider->orientation(), Qt::Horizontal);
        QCOMPARE(slider->minimum(), minimum);
        QCOMPARE(slider->maximum(), maximum);
        if (value >= 0)
            QCOMPARE(slider->value(), value);
    }

    // The editor has its vertical scroll bar; the editor is white, the preset
    // list and the preview take the colour of a button's face.
    void editorAndListsLook() {
        auto* editor = control<QPlainTextEdit>(QStringLiteral("Text1"));
        QVERIFY(editor);
        QCOMPARE(editor->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(editor->palette().color(QPalette::Base), QColor(Qt::white));
        for (const char* name : {"File1", "rtb1"}) {
            QWidget* widget = control(utf8(name));
            QVERIFY(widget);
            QCOMPARE(widget->palette().color(QPalette::Base),
                     widget->palette().color(QPalette::Button));
        }
        auto* presets = control<ramulo::FileList>(QStringLiteral("File1"));
        QVERIFY(presets);
        QCOMPARE(presets->pattern(), QStringLiteral("*.txt"));
    }

    void pictureButtons_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"Command1", "Command2", "Command3", "Command5"})
            QTest::newRow(name) << utf8(name);
    }
    void pictureButtons() {
        QFETCH(QString, name);
        auto* button = control<QPushButton>(name);
        QVERIFY(button);
        QVERIFY(button->text().isEmpty());
        QVERIFY(!button->isFlat());
        QVERIFY(!button->icon().isNull());
        QCOMPARE(button->iconSize(), QSize(48, 48));
        QVERIFY(!button->icon().pixmap(48, 48).isNull());
        QVERIFY(!button->toolTip().isEmpty());
        QCOMPARE(button->accessibleName(), button->toolTip());
    }

    void banner() {
        auto* picture = control<QLabel>(QStringLiteral("Picture1"));
        QVERIFY(picture);
        QCOMPARE(picture->pixmap().size(), QSize(400, 100));
    }

    void listEntries_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("Combo1") << "Combo1"
                                << QStringList{utf8("(casse originale)"),
                                               utf8("tout en minuscules"),
                                               utf8("Majuscule au premier mot"),
                                               utf8("Majuscules A Tous Les Mots"),
                                               utf8("TOUT EN MAJUSCULES")};
        QTest::newRow("Combo2") << "Combo2"
                                << QStringList{
                                       utf8("(aucun remplacement)"), utf8("espace > souligné"),
                                       utf8("espace > tiret"),       utf8("souligné > espace"),
                                       utf8("souligné > tiret"),     utf8("tiret > espace"),
                                       utf8("tiret > souligné")};
        QTest::newRow("Combo3") << "Combo3"
                                << QStringList{utf8("Caractères interdits supprimés :"),
                                               utf8(" > remplacés par des espaces"),
                                               utf8(" > remplacés par des soulignés _"),
                                               utf8(" > remplacés par des tirets -")};
    }
    void listEntries() {
        QFETCH(QString, name);
        QFETCH(QStringList, entries);
        auto* combo = control<QComboBox>(name);
        QVERIFY(combo);
        QVERIFY(!combo->isEditable());
        QCOMPARE(itemsOf(combo), entries);
        QCOMPARE(combo->currentIndex(), 0);
    }

    void tabs() {
        auto* tabs = control<QTabBar>(QStringLiteral("autotab"));
        QVERIFY(tabs);
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), utf8("Presets"));
        QCOMPARE(tabs->tabText(1), utf8("Générateur"));
        QCOMPARE(tabs->currentIndex(), 0);
    }

    void statusPanels_data() {
        QTest::addColumn<int>("panel");
        QTest::addColumn<QString>("text"); // null: the destination path
        QTest::addColumn<int>("width");    // twips; 0: what the others leave
        QTest::addColumn<QString>("tooltip");
        QTest::newRow("SB1_1") << 1 << utf8("Destination :") << 1215 << QString();
        QTest::newRow("SB1_2")
            << 2 << QString() << 0
            << utf8("Dossier de destination où seront créés les dossiers définis");
        QTest::newRow("SB1_3") << 3 << utf8("Total : 0") << 1440
                               << utf8("Nombre de dossiers générés");
    }
    void statusPanels() {
        QFETCH(int, panel);
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QString, tooltip);
        QVERIFY(showActive());
        QWidget* bar = control(QStringLiteral("SB1"));
        QVERIFY(bar);
        QCOMPARE(bar->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly).size(), 3);

        auto* label = bar->findChild<QLabel*>(QStringLiteral("SB1_%1").arg(panel),
                                              Qt::FindDirectChildrenOnly);
        QVERIFY(label);
        if (text.isNull()) {
            auto* folders = control<ramulo::FolderList>(QStringLiteral("Dir1"));
            QVERIFY(folders);
            QVERIFY(!folders->path().isEmpty());
            QCOMPARE(label->text(), folders->path());
        } else {
            QCOMPARE(label->text(), text);
        }
        if (width > 0)
            QCOMPARE(label->width(), px(width));
        QCOMPARE(label->toolTip(), tooltip);
        QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        QCOMPARE(label->font().family(), utf8(verdana825.family));
        QCOMPARE(label->font().pointSizeF(), verdana825.points);
        QVERIFY(label->isVisible());
    }

    // The panels run left to right across the bar, panel 2 taking what the
    // other two leave: no more than a border's width between them or at the ends.
    void statusPanelsFillTheBar() {
        QVERIFY(showActive());
        QWidget* bar = control(QStringLiteral("SB1"));
        QVERIFY(bar);
        QList<int> edges{0};
        for (int panel = 1; panel <= 3; ++panel) {
            auto* label = bar->findChild<QLabel*>(QStringLiteral("SB1_%1").arg(panel));
            QVERIFY(label);
            edges << label->x() << label->x() + label->width();
        }
        edges << bar->width();
        for (qsizetype i = 0; i + 1 < edges.size(); i += 2) {
            const int gap = edges[i + 1] - edges[i];
            QVERIFY2(gap >= 0 && gap <= px(60),
                     qPrintable(QStringLiteral("gap of %1 pixels before edge %2").arg(gap).arg(i)));
        }
    }

    void windowFrame() {
        Form1& w = window();
        QCOMPARE(w.windowTitle(), utf8("Ramulo"));
        const QSize client(px(9255), px(7320));
        QCOMPARE(w.minimumSize(), client);
        QCOMPARE(w.maximumSize(), client);
        QVERIFY(!(w.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!w.windowIcon().isNull());
        QVERIFY(!w.windowIcon().pixmap(32, 32).isNull());

        QVERIFY(showActive());
        QCOMPARE(w.size(), client);
        const QPoint centre = w.screen()->availableGeometry().center();
        const QPoint offset = w.frameGeometry().center() - centre;
        QVERIFY2(offset.manhattanLength() <= 2,
                 qPrintable(QStringLiteral("off centre by %1,%2").arg(offset.x()).arg(offset.y())));
    }

    // The focus chain holds the controls in the order of their tab numbers.
    void focusChainFollowsTabNumbers() {
        QStringList expected;
        for (const ControlDesign* design : focusOrder())
            expected << utf8(design->name);

        QWidget* first = control(QStringLiteral("Command1"));
        QVERIFY(first);
        QStringList actual;
        QWidget* widget = first;
        do {
            if (expected.contains(widget->objectName()))
                actual << widget->objectName();
            widget = widget->nextInFocusChain();
        } while (widget && widget != first);
        QCOMPARE(actual, expected);

        for (const ControlDesign* design : focusOrder()) {
            QWidget* focusable = control(utf8(design->name));
            QVERIFY(focusable);
            QVERIFY2(focusable->focusPolicy() & Qt::TabFocus,
                     qPrintable(utf8(design->name) + " does not take focus from the keyboard"));
        }
    }

    // Tab goes from every control that takes focus to the next one by tab
    // number, past the disabled ones and those of the hidden page, and from the
    // last one round to the first. Each page is tried in turn.
    void tabKeyMovesOn_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        for (int tab : {0, 1}) {
            const char* shownPage = tab == 0 ? "Frame3_0" : "Frame3_1";
            const char* hiddenPage = tab == 0 ? "Frame3_1" : "Frame3_0";
            // The option buttons form one group, which Tab enters at the selected
            // button and leaves for the control after the group; the arrow keys
            // move inside it. "séquence" is selected at start-up.
            std::vector<const ControlDesign*> ring;
            for (const ControlDesign* design : focusOrder())
                if (design->enabled && qstrcmp(design->container, hiddenPage) != 0 &&
                    qstrcmp(design->name, "Option1_1") != 0 &&
                    qstrcmp(design->name, "Option1_2") != 0)
                    ring.push_back(design);
            for (std::size_t i = 0; i < ring.size(); ++i) {
                const ControlDesign* from = ring[i];
                const ControlDesign* to = ring[(i + 1) % ring.size()];
                // With the generator page shown, only the moves into, on and out of it.
                if (tab == 1 && qstrcmp(from->container, shownPage) != 0 &&
                    qstrcmp(to->container, shownPage) != 0)
                    continue;
                QTest::addRow("%s > %s", from->name, to->name)
                    << tab << utf8(from->name) << utf8(to->name);
            }
        }
    }
    void tabKeyMovesOn() {
        QFETCH(int, tab);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QVERIFY(showActive());
        auto* tabs = control<QTabBar>(QStringLiteral("autotab"));
        QVERIFY(tabs);
        tabs->setCurrentIndex(tab);

        QWidget* start = control(from);
        QVERIFY(start);
        start->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), start);
        QTest::keyClick(start, Qt::Key_Tab);
        const QWidget* now = QApplication::focusWidget();
        QCOMPARE(now ? now->objectName() : QStringLiteral("(none)"), to);
    }

    // The two pages lie on the same place; the tab shows one of them, and the
    // other one's controls can neither be seen nor take focus.
    void onePageAtATime_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("hidden");
        QTest::addColumn<QString>("focusable"); // a control of the shown page
        QTest::newRow("Presets") << 0 << "Frame3_0"
                                 << "Frame3_1"
                                 << "Command7";
        QTest::newRow("Générateur") << 1 << "Frame3_1"
                                    << "Frame3_0"
                                    << "Text2";
    }
    void onePageAtATime() {
        QFETCH(int, tab);
        QFETCH(QString, shown);
        QFETCH(QString, hidden);
        QFETCH(QString, focusable);
        Form1& w = window();
        QVERIFY(showActive());
        auto* tabs = control<QTabBar>(QStringLiteral("autotab"));
        QVERIFY(tabs);
        tabs->setCurrentIndex(tab);

        QWidget* shownPage = control(shown);
        QWidget* hiddenPage = control(hidden);
        QVERIFY(shownPage && hiddenPage);
        QVERIFY(shownPage->isVisibleTo(&w));
        QVERIFY(!hiddenPage->isVisibleTo(&w));

        // Nothing covers the shown page.
        const QPoint middle = shownPage->geometry().center();
        QWidget* top = w.childAt(middle);
        QVERIFY(top);
        QVERIFY2(top == shownPage || shownPage->isAncestorOf(top),
                 qPrintable(QStringLiteral("%1 lies over the page").arg(top->objectName())));

        for (const ControlDesign& design : controls) {
            if (utf8(design.container) != hidden)
                continue;
            QWidget* widget = control(utf8(design.name));
            QVERIFY(widget);
            QVERIFY2(!widget->isVisibleTo(&w), design.name);
        }

        // Twice round the window with Tab, as the window moves focus when a
        // control passes the key on: the shown page is reached, the hidden
        // one never.
        QWidget* first = control(QStringLiteral("Command1"));
        QVERIFY(first);
        first->setFocus(Qt::TabFocusReason);
        QStringList visited;
        for (std::size_t i = 0; i < 2 * std::size(controls); ++i) {
            QTest::keyClick(&w, Qt::Key_Tab);
            QWidget* now = QApplication::focusWidget();
            QVERIFY(now);
            QVERIFY2(!hiddenPage->isAncestorOf(now),
                     qPrintable(now->objectName() + " of the hidden page took focus"));
            visited << now->objectName();
        }
        QVERIFY2(visited.contains(focusable), qPrintable(visited.join(u' ')));
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
