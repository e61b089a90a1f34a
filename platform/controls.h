#pragma once
// The window's controls: thin wrappers over Qt widgets that give every control
// the same event rules, in one place.
//
// - A value set from code raises the control's event at once, nested in the
//   running handler, when it changes the control (Qt's direct signals).
// - A drop-down list starts with no entry selected, so that the first
//   selection is a change; its click also fires when the user picks the entry
//   already shown.
// - A check box holds 0, 1 or 2 (grayed).
// - A text box raises keyPress for a character key (Enter included) before the
//   key changes the text, then change.
//
// The editor box is in editor_box.h, the drive, folder and file lists in
// folder_lists.h.

#include <QAccessibleWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QStringListModel>
#include <QTabBar>

namespace ramulo {

// Twips (1/1440 inch) to pixels, at 15 twips a pixel.
constexpr int px(int twips) {
    return (twips + 7) / 15;
}
QRect twipsRect(int left, int top, int width, int height);
QFont makeFont(const QString& family, double points, bool bold = false, bool italic = false);
// One of the program's pictures by its name ("icon", "banner", "quit" …): drawn
// from its SVG where Qt draws SVG, else from PNGs made at one and two times
// its size.
QIcon picture(const QString& name);

// Names the widget as the window's control and puts it at its place, in twips.
template <typename W> W* place(W* widget, const char* name, int l, int t, int w, int h) {
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(twipsRect(l, t, w, h));
    return widget;
}

// Lists and read-only texts are drawn on the button face, as the window's own.
void onButtonFace(QWidget* widget);

// Keys as the controls read them: a key that types a character (Enter and
// Backspace included) raises keyPress, with CR for Enter; Delete, though it
// comes with the DEL character, is an editing key.
bool isEnter(const QKeyEvent* event);
bool isCharacterKey(const QKeyEvent* event);
QChar characterOf(const QKeyEvent* event);
// Gives the widgets of class T the accessible role R: Qt reads a widget of its
// own class only by its base class, a plain widget as a filler.
template <typename T, QAccessible::Role R>
QAccessibleInterface* accessibleAs(const QString& className, QObject* object) {
    if (className != QLatin1String(T::staticMetaObject.className()))
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), R);
}
template <typename T, QAccessible::Role R> void exposeAs() {
    static const bool installed = (QAccessible::installFactory(accessibleAs<T, R>), true);
    Q_UNUSED(installed)
}

class ComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent = nullptr);
    // Fills the list and leaves it with no entry selected (index -1), quietly.
    void setEntries(const QStringList& entries);
    void showPopup() override;

signals:
    void Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Set when a change has just raised click, so that the user's activation
    // that follows it in the same gesture does not raise it twice.
    bool m_clickRaised = false;
};

class CheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit CheckBox(const QString& caption, QWidget* parent = nullptr);
    int value() const;
    void setValue(int value); // 0 unchecked, 1 checked, 2 grayed

signals:
    void Click(); // after the value changed, by the user or from code

protected:
    void nextCheckState() override;
};

class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(const QString& text, QWidget* parent = nullptr);

signals:
    void KeyPress(QChar key);
    void Change();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The read-only preview pane: one folder name a row. A list view rather than a
// text box, so that a hundred thousand names show at once.
class PreviewPane : public QListView {
    Q_OBJECT
    Q_PROPERTY(QString plainText READ toPlainText)
public:
    explicit PreviewPane(QWidget* parent = nullptr);
    void setLines(const QStringList& lines);
    QString toPlainText() const; // lines joined by "\n"

private:
    QStringListModel* m_model;
};

// Push button that Enter clicks when it has the focus, as Space does.
class CommandButton : public QPushButton {
    Q_OBJECT
public:
    explicit CommandButton(const QString& caption = {}, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// Push button with a picture and no caption.
class PictureButton : public CommandButton {
    Q_OBJECT
public:
    PictureButton(const QString& pictureName, const QString& tooltip, QWidget* parent = nullptr);
};

// Option button drawn as a push button; one group per parent.
class OptionButton : public CommandButton {
    Q_OBJECT
public:
    OptionButton(const QString& caption, QWidget* parent = nullptr);

signals:
    void Click();

private:
    bool m_toggledInGesture = false;
};

// Frame around a group of controls, its caption in the border as classic
// desktop frames draw it: the top line runs through the middle of the caption
// and breaks behind it, so that the first row of controls stays clear of it.
class FrameBox : public QGroupBox {
    Q_OBJECT
public:
    explicit FrameBox(const QString& caption, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Horizontal scroll bar that raises change on each completed change (not while
// the thumb is dragged).
class ScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit ScrollBar(QWidget* parent = nullptr);

signals:
    void Change();
};

class Slider : public QSlider {
    Q_OBJECT
public:
    explicit Slider(QWidget* parent = nullptr);

signals:
    void Change();
};

// Tab strip whose tabs are counted from 1. It covers its pages' area too and
// draws the pane around them; the pages are its siblings, laid on top.
class TabStrip : public QTabBar {
    Q_OBJECT
public:
    explicit TabStrip(QWidget* parent = nullptr);
    int selectedTab() const { return currentIndex() + 1; }

signals:
    void Click();

protected:
    QSize tabSizeHint(int index) const override;
    void paintEvent(QPaintEvent* event) override;
};

// Status bar of panels addressed from 1; each panel is a label named
// <bar>_<number>.
class StatusBar : public QFrame {
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent = nullptr);
    // Adds a panel of the given width in pixels (0: takes the width left over).
    QLabel* addPanel(const QString& text, int width, const QString& tooltip = {});
    void setPanelText(int panel, const QString& text);
    QString panelText(int panel) const;

private:
    QList<QLabel*> m_panels;
};

} // namespace ramulo
