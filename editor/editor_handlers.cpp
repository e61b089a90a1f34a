// The handlers of the editor and of its formatting controls, and the name
// chain's two steps as the window offers them.

#include "app/form1.h"

#include "editor/transform.h"

#include <QScopedValueRollback>

using namespace ramulo;

// The chain's two steps, with the settings the controls hold now.
QString Form1::Applyadds(const QString& raw) const {
    return applyAdds(raw, nameChain().adds);
}

QString Form1::Applycasse(const QString& name) const {
    return applyCase(name, nameChain().caseMode);
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

// The key is not in the box yet: the refresh before it still holds.
void Form1::preftext_KeyPress(QChar) {
    const QScopedValueRollback keyNotIn(m_keyNotIn, true);
    preftext_Change();
}

void Form1::sufftext_Change() {
    liveRefresh();
}

void Form1::sufftext_KeyPress(QChar) {
    const QScopedValueRollback keyNotIn(m_keyNotIn, true);
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
    liveRefresh();
}
