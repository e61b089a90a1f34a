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
#include <system_error>

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
// A long message (a report of many lines) keeps its first line as the box's
// text and shows the rest in a scrolling area, so that the box fits the screen
// and its buttons stay in reach.
void moveBodyToScrollingArea(QMessageBox& box, const QString& text) {
    const qsizetype firstBreak = text.indexOf(u'\n');
    box.setText(text.left(firstBreak).remove(u'\r'));

    auto* body = new QPlainTextEdit(&box);
    body->setObjectName(QStringLiteral("report"));
    body->setReadOnly(true);
    body->setLineWrapMode(QPlainTextEdit::NoWrap);
    body->setPlainText(
        text.mid(firstBreak + 1).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    body->setFixedSize(std::min(560, screen.width() * 2 / 3), std::min(420, screen.height() / 2));

    // The area goes between the text and the buttons.
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    auto* buttons = box.findChild<QDialogButtonBox*>();
    if (!grid || !buttons)
        return;
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(grid->indexOf(buttons), &row, &column, &rowSpan, &columnSpan);
    grid->removeWidget(buttons);
    grid->addWidget(body, row, 0, 1, grid->columnCount());
    grid->addWidget(buttons, row + 1, column, rowSpan, columnSpan);
}
} // namespace

MessageBoxes::Answer RealMessageBoxes::show(const QString& text, const QString& title,
                                            Buttons buttons, Icon icon) {
    QMessageBox box(QApplication::activeWindow());
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
