// The About box. Positions are in twips, as the box was designed.

#include "about/frmabout.h"

#include <QIcon>
#include <QPainter>

#include <vector>

using namespace ramulo;

namespace {

const char* const kDescription =
    "Ce petit utilitaire sert à générer des dossiers (vides, bien sûr) et permet de créer "
    "rapidemement des arborescences prêates à accueillir vos fichiers pour un classement "
    "thématique. Merci à la personne qui nous a soufflé l'idée de cet outil : elle se "
    "reconnaîtra !";

const char* const kHowTo =
    "Définissez  un répertoire de destination, puis choisissez entre les presets (listes de "
    "noms pré-définis) ou une génération séquentielle (selon certains critères "
    "alphanumériques). Des noms sont alors proposés dans l'Editeur, que vous pouvez modifier "
    "manuellement, et/ou via des options de mise en forme (préfixes, suffixes, casse...). Le "
    "bouton Aperçu affiche dans la zone 'Aperçu' (étonnant, non ? ) les noms des dossiers qui "
    "seront créés (ça se fait automatiquement si l'option est activée). En cas de doublon(s), "
    "le bouton 'Générer' est désactivé et une fenêtre d'information s'affiche, sinon il reste "
    "actif, et un clic dessus créé les dossiers.";

const char* const kDisclaimer =
    "Ramulo est un gratuiciel : vous pouvez l'utiliser et le diffuser librement. "
    "© 2026 l'équipe Ramulo — ramulo@example.org";

// A fixed paragraph on the dialog's own colour, read and selected but not edited.
QTextEdit* paragraph(QWidget* parent, const char* name, const char* text, int l, int t, int w,
                     int h) {
    auto* box = place(new QTextEdit(parent), name, l, t, w, h);
    box->setPlainText(QString::fromUtf8(text));
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setFrameShape(QFrame::NoFrame);
    box->setFont(makeFont(QStringLiteral("Microsoft Sans Serif"), 8.5));
    box->document()->setDocumentMargin(0);
    onButtonFace(box);
    return box;
}

} // namespace

frmAbout::frmAbout(ProgramInfo& program, QWidget* owner) : QDialog(owner) {
    buildControls();
    Form_Load(program);
}

void frmAbout::buildControls() {
    setObjectName(QStringLiteral("frmAbout"));
    // A fixed dialog frame: no resizing, no minimise or maximise button. As a
    // dialog of its owner it stays out of the task bar and opens over its centre.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(px(7575), px(4665));
    setWindowIcon(picture(QStringLiteral("icon")));
    setFont(makeFont(QStringLiteral("MS Sans Serif"), 8.25));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);

    cmdOK = place(new CommandButton(QStringLiteral("OK"), this), "cmdOK", 5520, 4080, 1140, 465);
    cmdOK->setFont(makeFont(QStringLiteral("Verdana"), 8.25));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    picIcon = place(new QLabel(this), "picIcon", 240, 240, 480, 480);
    picIcon->setPixmap(picture(QStringLiteral("icon")).pixmap(QSize(32, 32)));
    picIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    lblDisclaimer = place(new QLabel(QString::fromUtf8(kDisclaimer), this), "lblDisclaimer", 240,
                          3960, 4545, 555);
    lblDisclaimer->setFont(makeFont(QStringLiteral("Microsoft Sans Serif"), 8.25));
    lblDisclaimer->setWordWrap(true);
    lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    lblTitle = place(new QLabel(this), "lblTitle", 1080, 240, 4485, 315);
    lblTitle->setFont(makeFont(QStringLiteral("Verdana"), 14.25, true));
    lblVersion =
        place(new QLabel(QStringLiteral("version ..."), this), "lblVersion", 1080, 600, 4485, 225);
    lblVersion->setFont(makeFont(QStringLiteral("Verdana"), 8.25));
    for (QLabel* black : {lblDisclaimer, lblTitle}) {
        QPalette p = black->palette();
        p.setColor(QPalette::WindowText, Qt::black);
        black->setPalette(p);
    }

    RichTextBox1 = paragraph(this, "RichTextBox1", kDescription, 1080, 960, 6255, 975);
    Label1 =
        place(new QLabel(QStringLiteral("Fontionnement :"), this), "Label1", 1080, 2040, 1455, 255);
    Label1->setFont(makeFont(QStringLiteral("MS Sans Serif"), 8.25, true));
    RichTextBox2 = paragraph(this, "RichTextBox2", kHowTo, 1080, 2280, 6255, 1335);

    RichTextBox1->setAccessibleName(QStringLiteral("Description"));
    RichTextBox2->setAccessibleName(QStringLiteral("Mode d'emploi"));

    // Keyboard order: OK first, then the two paragraphs.
    QWidget::setTabOrder(cmdOK, RichTextBox1);
    QWidget::setTabOrder(RichTextBox1, RichTextBox2);
    cmdOK->setFocus();
}

// Run once for each box made, before it shows.
void frmAbout::Form_Load(ProgramInfo& program) {
    setWindowTitle(QStringLiteral("À propos de ") + program.title());
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(program.versionMajor())
                            .arg(program.versionMinor())
                            .arg(program.versionRevision()));
    lblTitle->setText(program.title());
}

// Enter and Escape reach here too: OK is the default button, and Escape
// rejects the dialog, which closes it the same way.
void frmAbout::cmdOK_Click() {
    close();
}

// The etched line above the notice: mid grey over white.
void frmAbout::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    painter.drawLine(px(120), px(3840), px(7320), px(3840));
    painter.setPen(QPen(Qt::white, 2));
    painter.drawLine(px(120), px(3854), px(7320), px(3854));
}
