// Start-up, quit and the preview command.

#include "app/form1.h"

#include "about/frmabout.h"

#include "platform/folders.h"
#include "platform/paths.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QScreen>
#include <QTimer>

using namespace ramulo;

Form1::Form1(Services services, const QString& folder, QWidget* parent)
    : QWidget(parent), m_services(services.completed()) {
    exposeAs<Form1, QAccessible::Window>(); // the program's window, not a filler
    buildControls();
    setTabOrder();
    nameForScreenReaders();

    // As the window is created: the drive list shows the drive of the
    // process's current folder, and the folder list has that folder open. A
    // current folder that cannot be opened gives way to the home folder, then
    // to any drive's. A folder the program was started on comes before them
    // all; one that cannot be opened is told of once the window shows.
    if (!folder.isEmpty()) {
        if (const auto reason = m_services.files->unreadable(folder))
            m_startRefusal = QStringLiteral("Impossible d'ouvrir le dossier %1 :\r\n%2")
                                 .arg(shownCut(folder), *reason);
        else
            m_folderGiven = true;
    }
    const QString here =
        m_folderGiven ? folder
                      : firstReadableFolder(*m_services.files, startFolders()).value_or(QString());
    QStringList kinds;
    for (const QString& drive : m_services.drives->list())
        kinds << m_services.drives->kind(drive);
    Drive1->setDrives(m_services.drives->list(), kinds);
    {
        const QSignalBlocker quietDrive(Drive1);
        const QSignalBlocker quietDir(Dir1);
        Drive1->setDrive(m_services.drives->driveOf(here));
        Dir1->setPath(here);
    }

    connectHandlers();
    Form_Load();
}

void Form1::connectHandlers() {
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(autotab, &TabStrip::Click, this, &Form1::autotab_Click);

    connect(Combo1, &ComboBox::Click, this, &Form1::Combo1_Click);
    connect(Combo2, &ComboBox::Click, this, &Form1::Combo2_Click);
    connect(Combo3, &ComboBox::Click, this, &Form1::Combo3_Click);
    connect(prefcheck, &CheckBox::Click, this, &Form1::prefcheck_Click);
    connect(suffcheck, &CheckBox::Click, this, &Form1::suffcheck_Click);
    connect(preftext, &TextBox::Change, this, &Form1::preftext_Change);
    connect(preftext, &TextBox::KeyPress, this, &Form1::preftext_KeyPress);
    connect(sufftext, &TextBox::Change, this, &Form1::sufftext_Change);
    connect(sufftext, &TextBox::KeyPress, this, &Form1::sufftext_KeyPress);
    connect(Text1, &EditorBox::Change, this, &Form1::Text1_Change);
    connect(Text1, &EditorBox::KeyPress, this, &Form1::Text1_KeyPress);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(livepreview, &CheckBox::Click, this, &Form1::livepreview_Click);

    connect(Slider1, &Slider::Change, this, &Form1::Slider1_Change);

    for (OptionButton* option : Option1)
        connect(option, &OptionButton::Click, this, &Form1::Option1_Click);
    connect(Text2, &TextBox::Change, this, &Form1::Text2_Change);
    connect(Text4, &TextBox::Change, this, &Form1::Text4_Change);
    connect(Text3, &TextBox::Change, this, &Form1::Text3_Change);
    connect(HScroll1, &ScrollBar::Change, this, &Form1::HScroll1_Change);
    connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
    connect(File1, &FileList::Click, this, &Form1::File1_Click);
    connect(Command7, &QPushButton::clicked, this, &Form1::Command7_Click);
    connect(Text1, &EditorBox::DropFiles, this, &Form1::Text1_DropFiles);

    connect(Drive1, &DriveList::Change, this, &Form1::Drive1_Change);
    connect(Dir1, &FolderList::Change, this, &Form1::Dir1_Change);
    connect(Dir1, &FolderList::openFailed, this, &Form1::Dir1_OpenFailed);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
}

// The start-up sequence, in its fixed order.
void Form1::Form_Load() {
    // 1. Each first selection is a change: it runs its list's handler, and so a preview.
    Combo1->setCurrentIndex(0);
    Combo2->setCurrentIndex(0);
    Combo3->setCurrentIndex(0);

    // 2.
    var5 = false;

    // 3. The system drive; a machine without one keeps the current folder,
    // and a folder asked for on the command line stays the destination.
    const QString systemDrive = m_services.drives->systemDrive();
    if (!m_folderGiven && m_services.drives->list().contains(systemDrive))
        Drive1->setDrive(systemDrive);

    // 4.
    SB1->setPanelText(2, Dir1->path());

    // 5. A missing presets folder simply gives an empty list.
    File1->setFolders(
        presetFolders(m_services.program->programFolder(), m_services.program->userPresets()));

    // 6.
    autotab_Click();
}

// Quit: nothing to save, nothing to ask.
void Form1::Command1_Click() {
    hide();
    QCoreApplication::quit();
}

void Form1::closeEvent(QCloseEvent* event) {
    event->accept();
    QCoreApplication::quit();
}

// Preview, even with automatic preview off.
void Form1::Command2_Click() {
    var5 = true;
    Dir1_Change();
}

// The About box, modal: the window takes no input until it closes, and closing
// discards it.
void Form1::Command5_Click() {
    if (!m_about)
        m_about = new frmAbout(*m_services.program, this);
    m_about->exec();
}

// Shows the page of the selected tab and hides the other.
void Form1::autotab_Click() {
    const int selected = autotab->selectedTab();
    for (std::size_t index = 0; index < Frame3.size(); ++index)
        Frame3[index]->setVisible(static_cast<int>(index) == selected - 1);
}

// Both pages keep to the tab strip's inside, below its tabs.
void Form1::Form_Resize() {
    const QRect strip = autotab->geometry();
    for (QWidget* page : Frame3)
        page->setGeometry(strip.x() + px(30), strip.y() + px(315), strip.width() - px(60),
                          strip.height() - px(345));
}

void Form1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

// The preview's zoom: a font size in points for each slider position.
void Form1::Slider1_Change() {
    constexpr std::array<int, 5> kPoints{7, 8, 9, 11, 15};
    const int position = Slider1->value();
    if (position < 0 || position >= static_cast<int>(kPoints.size()))
        return;
    QFont font = rtb1->font();
    font.setPointSize(kPoints[static_cast<std::size_t>(position)]);
    rtb1->setFont(font);
}

void Form1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    if (!m_startRefusal.isEmpty())
        QTimer::singleShot(0, this, [this] {
            refuseDestination(m_startRefusal + QStringLiteral("\r\nDestination : ") +
                              shownCut(Dir1->path()));
        });
}
