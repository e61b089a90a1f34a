// The name chain as the window runs it, and the handlers of the editor and of
// its formatting controls.

#include "app/form1.h"

#include "editor/namelist.h"
#include "editor/transform.h"

using namespace ramulo;

namespace {
AddsSettings addsSettings(const Form1& w) {
    AddsSettings settings;
    settings.prefixOn = w.prefcheck->value() != 0;
    settings.prefix = w.preftext->text();
    settings.suffixOn = w.suffcheck->value() != 0;
    settings.suffix = w.sufftext->text();
    settings.forbiddenMode = w.Combo3->currentIndex();
    settings.separatorMode = w.Combo2->currentIndex();
    return settings;
}
} // namespace

QString Form1::Applyadds(const QString& raw) const {
    return applyAdds(raw, addsSettings(*this));
}

QString Form1::Applycasse(const QString& name) const {
    return applyCase(name, Combo1->currentIndex());
}

// The controls cannot change while a preview or a creation runs, so their
// settings are read once; the chain can then run away from the widgets.
std::function<QString(const QString&)> Form1::nameChain() const {
    return [adds = addsSettings(*this), caseMode = Combo1->currentIndex()](const QString& raw) {
        return applyCase(applyAdds(raw, adds), caseMode);
    };
}

// A key typed in the prefix box previews twice, over the same lines.
QStringList Form1::editorLines() {
    if (m_linesRevision != Text1->revision()) {
        m_lines = splitLines(Text1->text());
        m_linesRevision = Text1->revision();
    }
    return m_lines;
}

// No folder can be created from a list that was not previewed since its last change.
void Form1::invalidate() {
    Command3->setEnabled(false);
}

void Form1::liveRefresh() {
    if (livepreview->value() == 1)
        Dir1_Change();
}

void Form1::Combo1_Click() {
    invalidate();
    liveRefresh();
}

void Form1::Combo2_Click() {
    invalidate();
    liveRefresh();
}

void Form1::Combo3_Click() {
    invalidate();
    liveRefresh();
}

void Form1::prefcheck_Click() {
    invalidate();
    preftext->setEnabled(prefcheck->value() != 0);
    liveRefresh();
}

void Form1::suffcheck_Click() {
    invalidate();
    sufftext->setEnabled(suffcheck->value() != 0);
    liveRefresh();
}

// The prefix and suffix texts refresh but do not invalidate: creation runs the
// chain again with whatever they hold.
void Form1::preftext_Change() {
    liveRefresh();
}

void Form1::preftext_KeyPress(QChar) {
    preftext_Change();
}

void Form1::sufftext_Change() {
    liveRefresh();
}

void Form1::sufftext_KeyPress(QChar) {
    sufftext_Change();
}

// Typing never refreshes the preview, whatever automatic preview says.
void Form1::Text1_Change() {
    invalidate();
}

void Form1::Text1_KeyPress(QChar) {
    Text1_Change();
}

void Form1::Command4_Click() {
    Text1->setText(QString());
}

void Form1::livepreview_Click() {
    if (livepreview->value() == 1)
        Dir1_Change();
}
