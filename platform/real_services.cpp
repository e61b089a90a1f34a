#include "platform/real_services.h"

#include "platform/paths.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace ramulo {

Services Services::completed() const {
    Services s = *this;
    if (!s.messages)
        s.messages = std::make_shared<RealMessageBoxes>();
    if (!s.files)
        s.files = std::make_shared<RealFileSystem>();
    if (!s.drives)
        s.drives = std::make_shared<RealDrives>();
    if (!s.random)
        s.random = std::make_shared<RealRandomSource>();
    if (!s.program)
        s.program = std::make_shared<RealProgramInfo>();
    return s;
}

namespace {
// Lines longer than this are cut in the middle, keeping kKeptEnds characters
// at each end: a pasted line of a million characters would make a box
// hundreds of thousands of pixels tall and take seconds to lay out.
constexpr qsizetype kLongLine = 120;
constexpr qsizetype kKeptEnds = 50;

// A surrogate pair is one character: lines are counted and cut by
// characters, never between the two halves of a pair.
bool pairAt(QStringView line, qsizetype i) {
    return i >= 0 && i + 1 < line.size() && line[i].isHighSurrogate() &&
           line[i + 1].isLowSurrogate();
}

std::optional<QString> cutLongLine(QStringView line) {
    qsizetype characters = line.size();
    for (qsizetype i = 0; i < line.size(); ++i)
        if (pairAt(line, i)) {
            --characters;
            ++i;
        }
    if (characters <= kLongLine)
        return std::nullopt;
    qsizetype headEnd = 0, tailStart = line.size();
    for (int kept = 0; kept < kKeptEnds; ++kept) {
        headEnd += pairAt(line, headEnd) ? 2 : 1;
        tailStart -= pairAt(line, tailStart - 2) ? 2 : 1;
    }
    QString cut = line.first(headEnd).toString();
    cut += QStringLiteral("…(%1 caractères omis)…").arg(characters - 2 * kKeptEnds);
    cut += line.sliced(tailStart);
    return cut;
}

// The message with every long line cut; line breaks stay as they are.
QString withLongLinesCut(const QString& text) {
    QString result;
    qsizetype copied = 0; // the text before this index is in result already
    for (qsizetype start = 0; start <= text.size();) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        const qsizetype lineEnd = end > start && text[end - 1] == u'\r' ? end - 1 : end;
        if (lineEnd - start > kLongLine)
            if (const auto cut = cutLongLine(QStringView(text).sliced(start, lineEnd - start))) {
                result += QStringView(text).sliced(copied, start - copied);
                result += *cut;
                copied = lineEnd;
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
    body->setPlainText(
        text.mid(firstBreak + 1).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
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
    box.setText(text.left(firstBreak).remove(u'\r'));
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
    const QString text = withLongLinesCut(message);
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

bool RealFileSystem::folderExists(const QString& path) {
    // One system call per name: the preview asks this for every line.
#ifdef Q_OS_WIN
    const DWORD attributes = GetFileAttributesW(reinterpret_cast<LPCWSTR>(path.utf16()));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
#else
    struct stat info {};
    const QByteArray encoded = QFile::encodeName(path);
    return ::stat(encoded.constData(), &info) == 0 && S_ISDIR(info.st_mode);
#endif
}

std::optional<QString> RealFileSystem::createFolder(const QString& path) {
    std::error_code error;
    const std::filesystem::path target(path.toStdU16String());
    if (std::filesystem::create_directory(target, error))
        return std::nullopt;
    // create_directory reports an existing folder as "not created" without an error.
    if (!error)
        error = std::make_error_code(std::errc::file_exists);
    return QString::fromLocal8Bit(error.message());
}

QStringList RealDrives::list() {
#ifdef Q_OS_WIN
    QStringList drives;
    for (const QFileInfo& drive : QDir::drives())
        drives << QDir::toNativeSeparators(drive.absoluteFilePath());
    return drives;
#else
    return {QStringLiteral("/")};
#endif
}

QString RealDrives::systemDrive() {
    return QDir::toNativeSeparators(QDir::rootPath());
}

QString RealDrives::driveOf(const QString& path) {
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(path.left(2) + QLatin1Char('/')).toUpper();
#else
    Q_UNUSED(path);
    return QStringLiteral("/");
#endif
}

QString RealDrives::currentFolder(const QString& drive) {
#ifdef Q_OS_WIN
    // "X:" alone is resolved against the folder the system keeps for that drive.
    return displayPath(QFileInfo(drive.left(2)).absoluteFilePath());
#else
    return drive;
#endif
}

std::optional<QString> RealDrives::notReady(const QString& drive) {
    return unreadableFolder(drive);
}

QString RealDrives::workingFolder() {
    return displayPath(QDir::currentPath());
}

double RealRandomSource::next() {
    // 53 random bits scaled into [0, 1): never 1.
    return static_cast<double>(m_engine() >> 11) * 0x1.0p-53;
}

QString RealProgramInfo::programFolder() {
    return displayPath(QCoreApplication::applicationDirPath());
}

QString RealProgramInfo::title() {
    return QStringLiteral(RAMULO_TITLE);
}
int RealProgramInfo::versionMajor() {
    return RAMULO_VERSION_MAJOR;
}
int RealProgramInfo::versionMinor() {
    return RAMULO_VERSION_MINOR;
}
int RealProgramInfo::versionRevision() {
    return RAMULO_VERSION_PATCH;
}

} // namespace ramulo
