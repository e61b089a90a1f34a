#include "platform/controls.h"

#include "platform/paths.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <qdrawutil.h>

namespace ramulo {

QRect twipsRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

QFont makeFont(const QString& family, double points, bool bold, bool italic) {
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

void onButtonFace(QWidget* widget) {
    QPalette p = widget->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Button));
    widget->setPalette(p);
}

bool isEnter(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

bool isCharacterKey(const QKeyEvent* event) {
    if (isEnter(event))
        return true;
    const QString text = event->text();
    return !text.isEmpty() && !text.at(0).isNull() && text.at(0) != u'\x7f';
}

QChar characterOf(const QKeyEvent* event) {
    if (isEnter(event))
        return QLatin1Char('\r');
    return event->text().at(0);
}

// ComboBox ---------------------------------------------------------------

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        m_clickRaised = true;
        emit Click();
    });
    // The user picking the entry already selected changes nothing but still clicks.
    connect(this, &QComboBox::activated, this, [this] {
        if (!m_clickRaised)
            emit Click();
        m_clickRaised = false;
    });
}

void ComboBox::setEntries(const QStringList& entries) {
    const QSignalBlocker quiet(this);
    clear();
    addItems(entries);
    setCurrentIndex(-1);
}

// Every way the user can pick an entry starts here: forget a change made from code.
void ComboBox::showPopup() {
    m_clickRaised = false;
    QComboBox::showPopup();
}

void ComboBox::keyPressEvent(QKeyEvent* event) {
    m_clickRaised = false;
    QComboBox::keyPressEvent(event);
}

void ComboBox::wheelEvent(QWheelEvent* event) {
    m_clickRaised = false;
    QComboBox::wheelEvent(event);
}

// CheckBox ---------------------------------------------------------------

CheckBox::CheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {
    connect(this, &QCheckBox::stateChanged, this, &CheckBox::Click);
}

int CheckBox::value() const {
    switch (checkState()) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        break;
    }
    return 2;
}

void CheckBox::setValue(int value) {
    setCheckState(value == 0 ? Qt::Unchecked : value == 1 ? Qt::Checked : Qt::PartiallyChecked);
}

// The user's click toggles between checked and unchecked; grayed is set from code only.
void CheckBox::nextCheckState() {
    setCheckState(value() == 1 ? Qt::Unchecked : Qt::Checked);
}

// TextBox ----------------------------------------------------------------

TextBox::TextBox(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
    connect(this, &QLineEdit::textChanged, this, &TextBox::Change);
}

void TextBox::keyPressEvent(QKeyEvent* event) {
    if (isCharacterKey(event))
        emit KeyPress(characterOf(event));
    QLineEdit::keyPressEvent(event);
}

// PreviewPane ------------------------------------------------------------

namespace {
// A row shows at most this many characters of its name, cut in the middle:
// measuring a name of a million characters would freeze the window.
constexpr qsizetype kShownName = 1000;

class ShortRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->text = shownCut(option->text, kShownName, kShownName / 2 - 20);
    }
};
} // namespace

PreviewPane::PreviewPane(QWidget* parent) : QListView(parent), m_model(new QStringListModel(this)) {
    setModel(m_model);
    setItemDelegate(new ShortRowDelegate(this));
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void PreviewPane::setLines(const QStringList& lines) {
    m_model->setStringList(lines);
}

QString PreviewPane::toPlainText() const {
    return m_model->stringList().join(u'\n');
}

// PictureButton ----------------------------------------------------------

CommandButton::CommandButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    if (isEnter(event)) {
        if (!event->isAutoRepeat())
            click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

QIcon picture(const QString& name) {
    return QIcon(QStringLiteral(":/") + name + QStringLiteral(RAMULO_PICTURE_TYPE));
}

PictureButton::PictureButton(const QString& pictureName, const QString& tooltip, QWidget* parent)
    : CommandButton(QString(), parent) {
    setIcon(picture(pictureName));
    setIconSize(QSize(48, 48));
    setToolTip(tooltip);
}

// OptionButton -----------------------------------------------------------

OptionButton::OptionButton(const QString& caption, QWidget* parent)
    : CommandButton(caption, parent) {
    setCheckable(true);
    setAutoExclusive(true);
    connect(this, &QPushButton::toggled, this, [this](bool on) {
        if (!on)
            return;
        m_toggledInGesture = true;
        emit Click();
    });
    // Every gesture starts with a press, the mouse's, a key's or a screen
    // reader's: a toggle after it belongs to the gesture, which clicks once.
    connect(this, &QPushButton::pressed, this, [this] { m_toggledInGesture = false; });
    // Clicking the button already selected toggles nothing but still clicks.
    connect(this, &QPushButton::clicked, this, [this] {
        if (!m_toggledInGesture)
            emit Click();
        m_toggledInGesture = false;
    });
}

// FrameBox ---------------------------------------------------------------

FrameBox::FrameBox(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

void FrameBox::paintEvent(QPaintEvent*) {
    constexpr int indent = 6; // from the left edge to the break in the line
    constexpr int gap = 2;    // on each side of the caption
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const QString caption = title();
    QRect captionRect;
    if (!caption.isEmpty()) {
        const int width = metrics.size(Qt::TextShowMnemonic, caption).width() + 2 * gap;
        captionRect = QStyle::visualRect(layoutDirection(), rect(),
                                         QRect(indent, 0, width, metrics.height()) & rect());
    }
    // The line breaks behind the caption and behind a control laid on the border
    // (the preview's zoom), so that it never shows through either.
    QRegion lineArea = QRegion(rect()) - captionRect;
    for (const QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isVisible())
            lineArea -= child->geometry();
    painter.setClipRegion(lineArea);
    // An etched line, dark over light, whose two pixels straddle the caption's middle.
    qDrawShadeRect(&painter, rect().adjusted(0, metrics.height() / 2 - 1, 0, 0), palette(), true);
    painter.setClipping(false);
    style()->drawItemText(&painter, captionRect, Qt::AlignCenter | Qt::TextShowMnemonic, palette(),
                          isEnabled(), caption, QPalette::WindowText);
}

// ScrollBar, Slider, TabStrip ----------------------------------------------

ScrollBar::ScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
    setTracking(false); // valueChanged only once a drag is released
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QScrollBar::valueChanged, this, &ScrollBar::Change);
}

Slider::Slider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    connect(this, &QSlider::valueChanged, this, &Slider::Change);
}

TabStrip::TabStrip(QWidget* parent) : QTabBar(parent) {
    setDrawBase(true);
    setExpanding(false);
    connect(this, &QTabBar::currentChanged, this, &TabStrip::Click);
    // A click on the tab already selected still clicks.
    connect(this, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index == currentIndex())
            emit Click();
    });
}

// The tabs keep their own height, whatever the strip's.
QSize TabStrip::tabSizeHint(int index) const {
    return {QTabBar::tabSizeHint(index).width(), px(315)};
}

void TabStrip::paintEvent(QPaintEvent* event) {
    {
        QStylePainter painter(this);
        QStyleOptionTabWidgetFrame pane;
        pane.initFrom(this);
        pane.rect = rect().adjusted(0, px(315) - 1, 0, 0);
        pane.shape = shape();
        pane.tabBarSize = QSize(width(), px(315));
        painter.drawPrimitive(QStyle::PE_FrameTabWidget, pane);
    }
    QTabBar::paintEvent(event);
}

// StatusBar --------------------------------------------------------------

StatusBar::StatusBar(QWidget* parent) : QFrame(parent) {
    // Screen readers find the bar by its role and read its panels, its children.
    exposeAs<StatusBar, QAccessible::StatusBar>();
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(1, 1, 1, 1);
    row->setSpacing(1); // with the margins, 4 pixels (60 twips) of the bar are not panels
}

QLabel* StatusBar::addPanel(const QString& text, int width, const QString& tooltip) {
    auto* panel = new QLabel(text, this);
    panel->setObjectName(objectName() + QLatin1Char('_') + QString::number(m_panels.size() + 1));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    panel->setToolTip(tooltip);
    panel->setTextFormat(Qt::PlainText);
    auto* row = static_cast<QHBoxLayout*>(layout());
    if (width > 0) {
        panel->setFixedWidth(width);
        row->addWidget(panel);
    } else {
        panel->setMinimumWidth(1);
        row->addWidget(panel, 1);
    }
    m_panels.append(panel);
    return panel;
}

void StatusBar::setPanelText(int panel, const QString& text) {
    m_panels.at(panel - 1)->setText(text);
}

QString StatusBar::panelText(int panel) const {
    return m_panels.at(panel - 1)->text();
}

} // namespace ramulo
