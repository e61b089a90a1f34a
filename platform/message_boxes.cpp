#include "platform/message_boxes.h"

#include "platform/paths.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <utility>

namespace ramulo {

namespace {
// Names and paths come already cut to a readable length; a line still longer
// than this (a pasted line of a million characters would make a box hundreds
// of thousands of pixels tall and take seconds to lay out) is cut as well.
constexpr qsizetype kLongLine = 400;

// The message as it is shown and read out: lines end with a bare line feed,
// and any other control character (a tab or a lone carriage return inside a
// name) shows as its visible symbol, U+2400 and up, rather than moving the
// text or being read as noise.
QString readable(const QString& message) {
    QString text = message;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (QChar& c : text) {
        if (c.unicode() < 0x20 && c != u'\n')
            c = QChar(0x2400 + c.unicode());
        else if (c.unicode() == 0x7f)
            c = QChar(0x2421);
    }
    return text;
}

// The message with every long line cut.
QString withLongLinesCut(const QString& text) {
    QString result;
    qsizetype copied = 0; // the text before this index is in result already
    for (qsizetype start = 0; start <= text.size();) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        if (end - start > kLongLine) {
            const QString line = text.sliced(start, end - start);
            if (const QString cut = shownCut(line, kLongLine, kLongLine / 2 - 50); cut != line) {
                result += QStringView(text).sliced(copied, start - copied);
                result += cut;
                copied = end;
            }
        }
        start = end + 1;
    }
    if (copied == 0)
        return text;
    result += QStringView(text).sliced(copied);
    return result;
}

// A long message (a report of many lines) keeps its first line as the box's
// text and shows the rest in a scrolling area, so that the box fits the screen
// and its buttons stay in reach.
void moveBodyToScrollingArea(QMessageBox& box, const QString& text) {
    const qsizetype firstBreak = text.indexOf(u'\n');
    auto* body = new QPlainTextEdit(&box);
    body->setObjectName(QStringLiteral("report"));
    body->setReadOnly(true);
    body->setLineWrapMode(QPlainTextEdit::NoWrap);
    body->setPlainText(text.mid(firstBreak + 1));
    const QRect screen = box.screen()->availableGeometry();
    body->setFixedSize(std::min(560, screen.width() * 2 / 3), std::min(420, screen.height() / 2));

    // The area goes between the text and the buttons.
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    auto* buttons = box.findChild<QDialogButtonBox*>();
    if (grid && buttons) {
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(grid->indexOf(buttons), &row, &column, &rowSpan, &columnSpan);
        grid->removeWidget(buttons);
        grid->addWidget(body, row, 0, 1, grid->columnCount());
        grid->addWidget(buttons, row + 1, column, rowSpan, columnSpan);
    }
    // Last, so that a box already on screen takes its new size from the new text.
    body->show();
    box.setText(text.left(firstBreak));
}

// A box that keeps its OK button in reach: when its text, laid out, would
// still make it wider or taller than its screen (lines that wrap), the body
// moves into the scrolling area before the box appears.
class FittingBox : public QMessageBox {
public:
    explicit FittingBox(QWidget* parent) : QMessageBox(parent) {}
    // The message whose body may still move; empty once it has.
    QString movableText;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event); // sizes the box to its text and centres it
        const QSize room = screen()->availableGeometry().size();
        if (movableText.contains(u'\n') && room.boundedTo(size()) != size()) {
            moveBodyToScrollingArea(*this, std::exchange(movableText, QString()));
            adjustPosition(parentWidget());
        }
    }
};
} // namespace

MessageBoxes::Answer RealMessageBoxes::show(const QString& message, const QString& title,
                                            Buttons buttons, Icon icon) {
    const QString text = withLongLinesCut(readable(message));
    FittingBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    switch (icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    if (buttons == Buttons::OkCancel)
        box.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    if (text.count(u'\n') >= kLongMessageLines)
        moveBodyToScrollingArea(box, text);
    else
        box.movableText = text;
    box.exec();
    if (box.clickedButton() == ok || buttons == Buttons::Ok)
        return Answer::Ok;
    return Answer::Cancel;
}

} // namespace ramulo
