#pragma once
// The About box: the program's name and version, how to use it, what it is
// for, and the freeware notice. Modal; made anew at each opening.

#include "platform/controls.h"
#include "platform/services.h"

#include <QDialog>
#include <QLabel>
#include <QTextEdit>

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(ramulo::ProgramInfo& program, QWidget* owner = nullptr);

    QPushButton* cmdOK = nullptr;
    QLabel* picIcon = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QTextEdit* RichTextBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QTextEdit* RichTextBox2 = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void buildControls();
    void Form_Load(ramulo::ProgramInfo& program);
    void cmdOK_Click();
};
