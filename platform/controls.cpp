#include "platform/controls.h"

#include "platform/aside.h"
#include "platform/paths.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMimeData>
#include <QPlainTextDocumentLayout>
#include <QThread>

#include <QPainter>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QTextBlock>
#include <algorithm>
#include <memory>
#include <numeric>
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

namespace {
bool isEnter(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// A key that types a character (Enter and Backspace included) raises keyPress;
// Delete, though it comes with the DEL character, is an editing key.
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
} // namespace

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

// EditorBox --------------------------------------------------------------

EditorBox::EditorBox(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &EditorBox::Change);
    watch(document());
}

// The document's own signal, which a blocked widget does not hold back.
void EditorBox::watch(QTextDocument* document) {
    connect(document, &QTextDocument::contentsChanged, this, [this] { ++m_revision; });
}

// Only CR LF ends a line of the editor. A lone LF or CR set from code stays
// part of its line: the document holds it as a line separator (drawn as a
// break inside the line) or as the visible CR symbol, marked in its format so
// that the same characters typed or pasted stay themselves.
namespace {
constexpr char16_t kLoneLf = QChar::LineSeparator;
constexpr char16_t kLoneCr = u'\u240D';
constexpr int kHeldBreak = QTextFormat::UserProperty; // the CR or LF a character stands for
} // namespace

QString EditorBox::text() const {
    // The raw text keeps every character as typed (no-break spaces included);
    // lines are separated by U+2029, and its indexes are document positions.
    const QString raw = document()->toRawText();
    QString text;
    text.reserve(raw.size() + document()->blockCount());
    qsizetype from = 0; // the start of the characters not copied yet
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const char16_t c = raw.at(i).unicode();
        if (c != QChar::ParagraphSeparator && c != kLoneLf && c != kLoneCr)
            continue;
        text.append(raw.constData() + from, i - from);
        from = i + 1;
        if (c == QChar::ParagraphSeparator) {
            text += QStringLiteral("\r\n");
        } else {
            const char16_t held = heldBreak(static_cast<int>(i));
            text += QChar(held ? held : c);
        }
    }
    text.append(raw.constData() + from, raw.size() - from);
    return text;
}

char16_t EditorBox::heldBreak(int position) const {
    const QTextBlock block = document()->findBlock(position);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (position >= fragment.position() && position < fragment.position() + fragment.length())
            return static_cast<char16_t>(fragment.charFormat().intProperty(kHeldBreak));
    }
    return 0;
}

namespace {
// A text this long has its document built aside.
constexpr qsizetype kBuiltAside = 1 << 22;

// Wrapping at word boundaries costs the square of a word's length: a line of a
// million letters without a blank would freeze the window for minutes. Text
// that holds such a word wraps anywhere.
bool holdsLongWord(QStringView text) {
    constexpr qsizetype kLongWord = 2000;
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > kLongWord)
            return true;
    }
    return false;
}
} // namespace

void EditorBox::wrapFor(QStringView text, bool replacing) {
    const auto mode =
        holdsLongWord(text) ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
    // Once a long word is in, only a new text lets it go: undo may bring it back.
    if (replacing || mode == QTextOption::WrapAnywhere)
        setWordWrapMode(mode);
}

void EditorBox::setText(const QString& text) {
    // Setting the text it already holds changes nothing, and so raises nothing.
    // The length tells most texts apart without reading the document: each
    // line break is one position there and two characters here.
    const QTextDocument* current = document();
    const qsizetype length = current->characterCount() - 1 + current->blockCount() - 1;
    if (text.size() == length && text == this->text())
        return;
    wrapFor(text, true);
    QString shown;
    shown.reserve(text.size());
    QList<qsizetype> held; // positions of lone CRs and LFs
    qsizetype from = 0;    // the start of the characters not copied yet
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c != u'\r' && c != u'\n')
            continue;
        shown.append(text.constData() + from, i - from);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
            shown += u'\n';
            ++i;
        } else {
            held << shown.size();
            shown += QChar(c == u'\n' ? kLoneLf : kLoneCr);
        }
        from = i + 1;
    }
    shown.append(text.constData() + from, text.size() - from);
    {
        // One change, once the marks are in place.
        const QSignalBlocker quiet(this);
        if (shown.size() < kBuiltAside) {
            setPlainText(shown);
            markHeldBreaks(document(), held);
        } else {
            replaceDocument(shown, held);
        }
    }
    emit Change();
}

// Marking is not an edit to undo.
void EditorBox::markHeldBreaks(QTextDocument* document, const QList<qsizetype>& held) {
    if (held.isEmpty())
        return;
    document->setUndoRedoEnabled(false);
    QTextCursor cursor(document);
    for (const qsizetype position : held) {
        cursor.setPosition(static_cast<int>(position));
        cursor.setPosition(static_cast<int>(position) + 1, QTextCursor::KeepAnchor);
        QTextCharFormat mark;
        const bool lineFeed = document->characterAt(static_cast<int>(position)) == kLoneLf;
        mark.setProperty(kHeldBreak, lineFeed ? int(u'\n') : int(u'\r'));
        cursor.mergeCharFormat(mark);
    }
    document->setUndoRedoEnabled(true);
}

// A document of millions of lines takes seconds to build: it is built aside,
// with the settings of the one it replaces, while the window keeps painting.
void EditorBox::replaceDocument(const QString& shown, const QList<qsizetype>& held) {
    const QFont font = document()->defaultFont();
    const QTextOption option = document()->defaultTextOption();
    QThread* const home = thread();
    QTextDocument* built = nullptr;
    runAside(window(), QStringLiteral("Chargement de la liste…"), [&] {
        auto document = std::make_unique<QTextDocument>();
        document->setDefaultFont(font);
        document->setDefaultTextOption(option);
        document->setUndoRedoEnabled(false);
        document->setPlainText(shown);
        document->setUndoRedoEnabled(true);
        markHeldBreaks(document.get(), held);
        document->moveToThread(home);
        built = document.release();
    });
    built->setParent(this);
    built->setDocumentLayout(new QPlainTextDocumentLayout(built));
    // The first document belongs to the widget's own machinery, which deletes it.
    QTextDocument* const replaced = document();
    const bool ours = replaced->parent() == this;
    setDocument(built);
    watch(built);
    ++m_revision;
    if (ours)
        delete replaced;
}

// Typed or pasted characters never take the mark of the character before them.
void EditorBox::insertTyped(const QString& text) {
    QTextCursor cursor = textCursor();
    cursor.insertText(text, QTextCharFormat());
    setTextCursor(cursor);
    ensureCursorVisible();
}

void EditorBox::insertFromMimeData(const QMimeData* source) {
    if (source->hasText()) {
        wrapFor(source->text(), false);
        insertTyped(source->text());
    } else {
        QPlainTextEdit::insertFromMimeData(source);
    }
}

void EditorBox::keyPressEvent(QKeyEvent* event) {
    // Shift+Enter ends the line as Enter does.
    if (isEnter(event) && (event->modifiers() & Qt::ShiftModifier)) {
        QKeyEvent enter(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier,
                        event->text(), event->isAutoRepeat(), event->count());
        keyPressEvent(&enter);
        event->setAccepted(enter.isAccepted());
        return;
    }
    if (isCharacterKey(event))
        emit KeyPress(characterOf(event));
    const QString typed = event->text();
    if (typed.contains(QChar(kLoneLf)) || typed.contains(QChar(kLoneCr))) {
        insertTyped(typed);
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
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

PictureButton::PictureButton(const QString& picture, const QString& tooltip, QWidget* parent)
    : CommandButton(QString(), parent) {
    setIcon(QIcon(picture));
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
    // Clicking the button already selected toggles nothing but still clicks.
    connect(this, &QPushButton::clicked, this, [this] {
        if (!m_toggledInGesture)
            emit Click();
        m_toggledInGesture = false;
    });
}

void OptionButton::mousePressEvent(QMouseEvent* event) {
    m_toggledInGesture = false;
    QPushButton::mousePressEvent(event);
}

void OptionButton::keyPressEvent(QKeyEvent* event) {
    m_toggledInGesture = false;
    CommandButton::keyPressEvent(event);
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

// DriveList --------------------------------------------------------------

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::currentIndexChanged, this, &DriveList::Change);
}

void DriveList::setDrives(const QStringList& drives) {
    const QSignalBlocker quiet(this);
    clear();
    addItems(drives);
}

QString DriveList::drive() const {
    return currentText();
}

void DriveList::setDrive(const QString& drive) {
    int index = findText(drive, Qt::MatchFixedString);
    if (index < 0) {
        const QSignalBlocker quiet(this);
        addItem(drive);
        index = count() - 1;
    }
    setCurrentIndex(index);
}

// FolderList -------------------------------------------------------------

namespace {
constexpr int kPathRole = Qt::UserRole;
constexpr int kDepthRole = Qt::UserRole + 1;

// Each folder is drawn one step further right than the folder that holds it,
// icon included.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem indented(option);
        indented.rect.setLeft(option.rect.left() + 10 * index.data(kDepthRole).toInt());
        QStyledItemDelegate::paint(painter, indented, index);
    }
};
} // namespace

namespace {
// In the user's language, case aside. Each name's sort key is made once: ten
// times faster than comparing the names themselves.
QStringList byName(const QStringList& names) {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(static_cast<std::size_t>(names.size()));
    for (const QString& name : names)
        keys.push_back(collator.sortKey(name.toCaseFolded())); // "C" would keep the case
    std::vector<qsizetype> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const int c = keys[static_cast<std::size_t>(a)].compare(keys[static_cast<std::size_t>(b)]);
        return c != 0 ? c < 0 : names.at(a) < names.at(b);
    });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const qsizetype i : order)
        sorted.append(names.at(i));
    return sorted;
}
} // namespace

// The chain's folders are full paths, the sub-folders plain names.
class FolderList::Rows : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;
    QStringList chain;
    QStringList subFolders;
    QString open;
    QIcon openIcon, closedIcon;

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(chain.size() + subFolders.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        const int row = index.row();
        const bool above = row < chain.size();
        if (row < 0 || row >= rowCount())
            return {};
        switch (role) {
        case Qt::DisplayRole:
            return above ? (row == 0 ? chain.at(0) : QFileInfo(chain.at(row)).fileName())
                         : subFolders.at(row - chain.size());
        case Qt::DecorationRole:
            return above ? openIcon : closedIcon;
        case kPathRole:
            return above ? chain.at(row) : joinPath(open, subFolders.at(row - chain.size()));
        case kDepthRole:
            return above ? row : static_cast<int>(chain.size());
        default:
            return {};
        }
    }
    void reset(QStringList folders, QStringList names, const QString& folder) {
        beginResetModel();
        chain = std::move(folders);
        subFolders = std::move(names);
        open = folder;
        endResetModel();
    }
};

FolderList::FolderList(QWidget* parent) : QListView(parent), m_rows(new Rows(this)) {
    m_rows->openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    m_rows->closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    setModel(m_rows);
    setUniformItemSizes(true);
    setEditTriggers(NoEditTriggers);
    setItemDelegate(new IndentDelegate(this));
    connect(this, &QListView::doubleClicked, this, &FolderList::openRow);
}

int FolderList::count() const {
    return m_rows->rowCount();
}

QString FolderList::rowText(int row) const {
    return m_rows->index(row).data().toString();
}

void FolderList::setCurrentRow(int row) {
    setCurrentIndex(m_rows->index(row));
}

void FolderList::setPath(const QString& path) {
    const QString target = displayPath(path);
    if (target == m_path)
        return;
    if (const auto reason = unreadableFolder(target)) {
        emit openFailed(target, *reason);
        return;
    }
    m_path = target;
    fill();
    emit Change();
}

void FolderList::refresh() {
    fill();
}

void FolderList::fill() {
    // The chain from the root down to the open folder, a step of indent a level.
    QStringList chain;
    for (QDir dir(m_path);;) {
        chain.prepend(displayPath(dir.absolutePath()));
        if (dir.isRoot() || !dir.cdUp())
            break;
    }
    // A folder of many thousands of sub-folders is read aside.
    QStringList subFolders;
    runAside(window(), QStringLiteral("Lecture du dossier…"),
             [&, folder = m_path] { subFolders = byName(ramulo::subFolders(folder)); });
    const int open = static_cast<int>(chain.size()) - 1;
    m_rows->reset(std::move(chain), std::move(subFolders), m_path);
    setCurrentRow(open);
}

void FolderList::openRow(const QModelIndex& index) {
    if (index.isValid())
        setPath(index.data(kPathRole).toString());
}

void FolderList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        openRow(currentIndex());
        return;
    }
    QListView::keyPressEvent(event);
}

// FileList ---------------------------------------------------------------

FileList::FileList(QWidget* parent) : QListWidget(parent) {
    setUniformItemSizes(true);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            emit Click();
    });
}

void FileList::setFolder(const QString& folder) {
    m_folder = folder;
    refresh();
}

void FileList::refresh() {
    const QSignalBlocker quiet(this);
    clear();
    if (m_folder.isEmpty())
        return;
    addItems(QDir(m_folder).entryList({m_pattern}, QDir::Files | QDir::Readable,
                                      QDir::Name | QDir::IgnoreCase | QDir::LocaleAware));
    setCurrentRow(-1);
}

QString FileList::fileName() const {
    const QListWidgetItem* item = currentItem();
    return item ? item->text() : QString();
}

} // namespace ramulo
