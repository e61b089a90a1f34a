#pragma once
// The name editor: its text read and written with CR LF between lines,
// whatever the widget holds inside, and long texts put in without a freeze.

#include <QPlainTextEdit>
#include <QUrl>

namespace ramulo {

// The multi-line editor: long lines wrap, and only a vertical scroll bar is
// shown. text() and setText() use CR LF between lines; the plainText property
// (lines joined by "\n") is Qt's own. A lone CR or LF set from code stays
// inside its line, and comes back as it was set; a character typed or pasted
// comes back as that character.
class EditorBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit EditorBox(QWidget* parent = nullptr);
    QString text() const;
    void setText(const QString& text);
    // Advances at every change of the text, so that readers may keep what
    // they made of it.
    quint64 revision() const { return m_revision; }

signals:
    void KeyPress(QChar key);
    void Change();
    // Files, or links, dropped on the editor: raised once the drop is over,
    // so that the program they came from is not kept waiting. The text is
    // left alone; dropped text is inserted as typed text is.
    void DropFiles(const QList<QUrl>& urls);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    char16_t heldBreak(int position) const;
    void insertTyped(const QString& text);
    void wrapFor(QStringView text, bool replacing);
    static void markHeldBreaks(QTextDocument* document, const QList<qsizetype>& held);
    void fillInTurns(const QString& shown, const QList<qsizetype>& held);
    quint64 m_revision = 0;
};

} // namespace ramulo
