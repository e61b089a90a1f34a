#pragma once
// The main window and all its controls. Each subsystem folder defines the
// handlers of its own controls: start-up, quit and the preview command in
// app/, the name sources in sources/, the editor in editor/, the preview,
// destination and creation in output/. When the preview runs, and when
// "Créer" is allowed, is told in one place: output/preview.cpp.

#include "platform/controls.h"
#include "platform/editor_box.h"
#include "platform/folder_lists.h"
#include "platform/services.h"

#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>
#include <vector>

class frmAbout;
namespace ramulo {
struct ModeRow;
struct NameChain;
} // namespace ramulo
struct LastPreview;

class Form1 : public QWidget {
    Q_OBJECT
public:
    // Real services by default: `Form1 w; w.show();` is the program. The
    // destination starts at `folder` when it is given and can be opened.
    explicit Form1(ramulo::Services services = {}, const QString& folder = {},
                   QWidget* parent = nullptr);

    // The name chain, reading the formatting controls at every call.
    QString Applyadds(const QString& raw) const;
    QString Applycasse(const QString& name) const;

    // A preview asked for with the preview button and not yet run.
    bool var5 = false;

    // How many preview runs the window has made since it was created.
    int previewRuns() const { return m_previewRuns; }

    // Controls, in the order of the window's tree.
    QLabel* Picture1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    ramulo::DriveList* Drive1 = nullptr;
    ramulo::FolderList* Dir1 = nullptr;
    ramulo::TabStrip* autotab = nullptr;
    std::array<QWidget*, 2> Frame3{};
    QPushButton* Command8 = nullptr;
    QPushButton* Command7 = nullptr;
    ramulo::FileList* File1 = nullptr;
    std::array<ramulo::OptionButton*, 3> Option1{};
    QLabel* Label4 = nullptr;
    ramulo::TextBox* Text2 = nullptr;
    QLabel* Label6 = nullptr;
    ramulo::TextBox* Text4 = nullptr;
    QLabel* Label5 = nullptr;
    ramulo::TextBox* Text3 = nullptr;
    QLabel* Label2 = nullptr;
    ramulo::ScrollBar* HScroll1 = nullptr;
    QPushButton* Command6 = nullptr;
    QLabel* Label7 = nullptr;
    QGroupBox* Frame4 = nullptr;
    ramulo::CheckBox* prefcheck = nullptr;
    ramulo::TextBox* preftext = nullptr;
    ramulo::CheckBox* suffcheck = nullptr;
    ramulo::TextBox* sufftext = nullptr;
    ramulo::ComboBox* Combo3 = nullptr;
    ramulo::ComboBox* Combo2 = nullptr;
    ramulo::ComboBox* Combo1 = nullptr;
    ramulo::CheckBox* livepreview = nullptr;
    QPushButton* Command4 = nullptr;
    ramulo::EditorBox* Text1 = nullptr;
    ramulo::PictureButton* Command2 = nullptr;
    ramulo::PictureButton* Command3 = nullptr;
    ramulo::PictureButton* Command5 = nullptr;
    ramulo::PictureButton* Command1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    ramulo::PreviewPane* rtb1 = nullptr;
    ramulo::Slider* Slider1 = nullptr;
    ramulo::StatusBar* SB1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // app/layout.cpp
    void buildControls();
    void setTabOrder();
    void nameForScreenReaders();
    void connectHandlers();

    // app/form1.cpp
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command5_Click();
    void autotab_Click();
    void Form_Resize();
    void Slider1_Change();

    // editor/editor_handlers.cpp
    void Combo1_Click();
    void Combo2_Click();
    void Combo3_Click();
    void prefcheck_Click();
    void suffcheck_Click();
    void preftext_Change();
    void preftext_KeyPress(QChar key);
    void sufftext_Change();
    void sufftext_KeyPress(QChar key);
    void Text1_Change();
    void Text1_KeyPress(QChar key);
    void Command4_Click();
    void livepreview_Click();

    // sources/generator_handlers.cpp
    const ramulo::ModeRow& selectedMode() const;
    bool tooManyNames();
    void GenerateSequence();
    void Text3_Change();
    void Text2_Change();
    void Text4_Change();
    void Command6_Click();
    void HScroll1_Change();
    void Option1_Click();

    // sources/preset_handlers.cpp
    std::optional<QString> loadList(const QString& path);
    void File1_Click();
    void Command7_Click();
    void Text1_DropFiles(const QList<QUrl>& urls);

    // output/destination.cpp
    void Drive1_Change();
    void Dir1_OpenFailed(const QString& path, const QString& reason);
    void refuseDestination(const QString& why);
    QStringList startFolders() const;
    bool destinationStillOpen();

    // output/preview.cpp: when the preview runs, and when "Créer" is allowed
    void invalidate();                   // "Créer" off
    void liveRefresh();                  // the refresh procedure, when automatic preview is on
    void Dir1_Change();                  // the refresh procedure
    ramulo::NameChain nameChain() const; // the settings of the chain, read once
    QStringList editorLines(); // the editor's raw lines, split once per change of its text
    void RefreshPreview();
    void changeEvent(QEvent* event) override; // back in the window, the disk may have changed

    // output/creation_handlers.cpp
    void Command3_Click();

    ramulo::Services m_services;
    QPointer<frmAbout> m_about; // while the About box is open
    bool m_centred = false;
    bool m_folderGiven = false; // the destination is the folder the program was started on
    QString m_startRefusal;     // why the folder it was started on could not be opened
    int m_previewRuns = 0;
    QStringList m_lines;
    quint64 m_linesRevision = ~quint64(0);
    std::shared_ptr<const std::vector<qint32>>
        m_earlier; // by line: the copies of its text above it
    quint64 m_earlierRevision = ~quint64(0);
    std::shared_ptr<const LastPreview> m_lastPreview;
    bool m_keyNotIn = false; // a key in the prefix or suffix box, before it takes effect
};
