#include "platform/editor_box.h"

#include "platform/aside.h"
#include "platform/controls.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTimer>

#include <algorithm>

namespace ramulo {

// EditorBox --------------------------------------------------------------

EditorBox::EditorBox(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &EditorBox::Change);
    // The document's own signal, which a blocked widget does not hold back.
    connect(document(), &QTextDocument::contentsChanged, this, [this] { ++m_revision; });
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
// A text this long is put in a slice at a time.
constexpr qsizetype kInTurns = 1 << 22;
constexpr qsizetype kSlice = 1 << 18;

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
        if (shown.size() < kInTurns) {
            setPlainText(shown);
            markHeldBreaks(document(), held);
        } else {
            fillInTurns(shown, held);
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

// A document of millions of lines takes seconds to build: it is filled in
// slices, so that the window keeps painting. The editor keeps its document,
// whose lines are laid out only when shown (a new document would have every
// line laid out once, some 300 bytes each).
void EditorBox::fillInTurns(const QString& shown, const QList<qsizetype>& held) {
    QTextDocument* const document = this->document();
    document->setUndoRedoEnabled(false);
    document->clear();
    QTextCursor end(document);
    qsizetype from = 0;
    auto mark = held.begin();
    runInTurns(window(), QStringLiteral("Chargement de la liste…"), [&] {
        qsizetype to = std::min(shown.size(), from + kSlice);
        if (to < shown.size() && shown.at(to - 1).isHighSurrogate())
            --to; // a pair stays whole
        end.insertText(shown.sliced(from, to - from), QTextCharFormat());
        from = to;
        const auto marked = std::lower_bound(mark, held.end(), from);
        markHeldBreaks(document, QList<qsizetype>(mark, marked));
        mark = marked;
        return from < shown.size();
    });
    document->setUndoRedoEnabled(true);
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

namespace {
// Files are taken as a copy, whatever the program they come from proposes:
// a move would let it delete them. False for a drag that carries no files.
bool takeFilesAsCopy(QDropEvent* event) {
    if (!event->mimeData()->hasUrls())
        return false;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}
} // namespace

void EditorBox::dragEnterEvent(QDragEnterEvent* event) {
    if (!takeFilesAsCopy(event))
        QPlainTextEdit::dragEnterEvent(event);
}

void EditorBox::dragMoveEvent(QDragMoveEvent* event) {
    if (!takeFilesAsCopy(event))
        QPlainTextEdit::dragMoveEvent(event);
}

void EditorBox::dropEvent(QDropEvent* event) {
    if (!takeFilesAsCopy(event))
        return QPlainTextEdit::dropEvent(event);
    QTimer::singleShot(0, this, [this, urls = event->mimeData()->urls()] { emit DropFiles(urls); });
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

} // namespace ramulo
