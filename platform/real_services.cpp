#include "platform/real_services.h"

#include "platform/paths.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHash>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <dirent.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/vfs.h>
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

FileSystem::Entry RealFileSystem::entryAt(const QString& path) {
    const auto native = systemPath(path);
    if (!native)
        return Entry::None;
#ifdef Q_OS_WIN
    const DWORD attributes = GetFileAttributesW(native->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return Entry::None;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return Entry::Folder;
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ? Entry::Link : Entry::File;
#else
    // One system call for the usual answers (nothing there, a folder, a file):
    // the preview asks this for every name.
    struct stat info {};
    if (::lstat(native->c_str(), &info) != 0)
        return Entry::None;
    if (S_ISDIR(info.st_mode))
        return Entry::Folder;
    if (S_ISREG(info.st_mode))
        return Entry::File;
    if (!S_ISLNK(info.st_mode))
        return Entry::Other;
    const bool toFolder = ::stat(native->c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    return toFolder ? Entry::Folder : Entry::Link;
#endif
}

std::optional<QString> RealFileSystem::createFolder(const QString& path) {
    std::error_code error = std::make_error_code(std::errc::invalid_argument);
    if (const auto native = systemPath(path)) {
        if (std::filesystem::create_directory(*native, error))
            return std::nullopt;
        // create_directory reports an existing folder as "not created" without an error.
        if (!error)
            error = std::make_error_code(std::errc::file_exists);
    }
    return QString::fromLocal8Bit(error.message());
}

// The plain ways: name by name, through the joined paths.
std::vector<FileSystem::Entry> FileSystem::entriesIn(const QString& folder,
                                                     const QStringList& names) {
    std::vector<Entry> entries;
    entries.reserve(static_cast<std::size_t>(names.size()));
    for (const QString& name : names)
        entries.push_back(entryAt(joinPath(folder, name)));
    return entries;
}

std::unique_ptr<FileSystem::FolderMaker> FileSystem::folderMaker(const QString& folder) {
    class ByPath : public FolderMaker {
    public:
        ByPath(FileSystem& files, QString folder) : m_files(files), m_folder(std::move(folder)) {}
        std::optional<QString> make(const QString& name) override {
            return m_files.createFolder(joinPath(m_folder, name));
        }

    private:
        FileSystem& m_files;
        QString m_folder;
    };
    return std::make_unique<ByPath>(*this, folder);
}

namespace {
// Lists shorter than this are asked name by name: reading the folder, or
// starting threads, would cost more than it saves.
constexpr qsizetype kManyNames = 2048;

// Runs work(begin, end) over [0, count) in a few slices, one thread each.
void inSlices(qsizetype count, const std::function<void(qsizetype, qsizetype)>& work) {
    const qsizetype threads =
        count < kManyNames ? 1 : std::clamp<qsizetype>(std::thread::hardware_concurrency(), 1, 4);
    std::vector<std::thread> others;
    const qsizetype slice = (count + threads - 1) / threads;
    for (qsizetype begin = slice; begin < count; begin += slice)
        others.emplace_back(work, begin, std::min(count, begin + slice));
    work(0, std::min(count, slice));
    for (std::thread& other : others)
        other.join();
}

#ifdef Q_OS_LINUX
// A name that is one entry of the folder, as the folder's listing spells it,
// and no longer than `room` bytes; nothing for any other.
std::optional<QByteArray> entryName(const QString& name, qsizetype room) {
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral("..") ||
        name.contains(u'/') || name.contains(QChar(u'\0')) || !name.isValidUtf16())
        return std::nullopt;
    QByteArray bytes = QFile::encodeName(name);
    if (bytes.size() > room)
        return std::nullopt;
    return bytes;
}

// Whether the file system of the open folder finds a name only by its exact
// bytes: then a name missing from the listing is a name that is not there.
bool comparesBytes(int handle) {
    struct statfs volume {};
    if (::fstatfs(handle, &volume) != 0)
        return false;
    switch (static_cast<std::uint32_t>(volume.f_type)) {
    case 0xEF53:     // ext2, ext3, ext4
    case 0x9123683E: // btrfs
    case 0x01021994: // tmpfs
        break;
    default:
        return false;
    }
    // ext4 and tmpfs may fold the case of one folder's entries.
    int flags = 0;
    if (::ioctl(handle, FS_IOC_GETFLAGS, &flags) != 0)
        return errno == ENOTTY || errno == EOPNOTSUPP;
    return !(flags & FS_CASEFOLD_FL);
}
#endif
} // namespace

std::vector<FileSystem::Entry> RealFileSystem::entriesOneByOne(const QString& folder,
                                                               const QStringList& names) {
    std::vector<Entry> entries(static_cast<std::size_t>(names.size()));
    inSlices(names.size(), [&](qsizetype begin, qsizetype end) {
        for (qsizetype i = begin; i < end; ++i)
            entries[static_cast<std::size_t>(i)] =
                RealFileSystem::entryAt(joinPath(folder, names.at(i)));
    });
    return entries;
}

std::optional<std::vector<FileSystem::Entry>>
RealFileSystem::entriesByListing(const QString& folder, const QStringList& names) {
#ifdef Q_OS_LINUX
    const auto native = systemPath(folder);
    if (!native)
        return std::nullopt;
    const int handle = ::open(native->c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return std::nullopt;
    DIR* listing = comparesBytes(handle) ? ::fdopendir(handle) : nullptr;
    if (!listing) {
        ::close(handle);
        return std::nullopt;
    }
    QHash<QByteArray, unsigned char> types;
    errno = 0;
    // A folder far larger than the list is not worth reading whole.
    const qsizetype most = 2 * names.size() + kManyNames;
    while (const dirent* entry = ::readdir(listing))
        if (types.insert(QByteArray(entry->d_name), entry->d_type); types.size() > most)
            break;
    const bool complete = errno == 0 && types.size() <= most;
    ::closedir(listing);
    if (!complete)
        return std::nullopt;

    // Any other name, or one whose full path is too long, is asked by its path.
    const qsizetype room = PATH_MAX - 2 - static_cast<qsizetype>(native->native().size());
    std::vector<Entry> entries;
    entries.reserve(static_cast<std::size_t>(names.size()));
    for (const QString& name : names) {
        const auto bytes = entryName(name, room);
        const auto type = bytes ? types.constFind(*bytes) : types.cend();
        if (bytes && type == types.cend())
            entries.push_back(Entry::None);
        else if (!bytes || *type == DT_LNK || *type == DT_UNKNOWN)
            entries.push_back(RealFileSystem::entryAt(joinPath(folder, name)));
        else // a pipe, a socket or a device is something else
            entries.push_back(*type == DT_DIR   ? Entry::Folder
                              : *type == DT_REG ? Entry::File
                                                : Entry::Other);
    }
    return entries;
#else
    Q_UNUSED(folder);
    Q_UNUSED(names);
    return std::nullopt;
#endif
}

std::vector<FileSystem::Entry> RealFileSystem::entriesIn(const QString& folder,
                                                         const QStringList& names) {
    if (names.size() >= kManyNames)
        if (auto entries = entriesByListing(folder, names))
            return std::move(*entries);
    return entriesOneByOne(folder, names);
}

std::unique_ptr<FileSystem::FolderMaker> RealFileSystem::folderMaker(const QString& folder) {
#ifndef Q_OS_WIN
    class InHandle : public FolderMaker {
    public:
        InHandle(FileSystem& files, QString folder, std::size_t folderBytes, int handle)
            : m_files(files), m_folder(std::move(folder)), m_folderBytes(folderBytes),
              m_handle(handle) {}
        ~InHandle() override { ::close(m_handle); }
        std::optional<QString> make(const QString& name) override {
            const QByteArray bytes = QFile::encodeName(name);
            // What the joined path would not allow goes the joined path's way.
            if (name.isEmpty() || name.contains(QChar(u'\0')) || !name.isValidUtf16() ||
                m_folderBytes + 1 + static_cast<std::size_t>(bytes.size()) >= PATH_MAX)
                return m_files.createFolder(joinPath(m_folder, name));
            if (::mkdirat(m_handle, bytes.constData(), 0777) == 0)
                return std::nullopt;
            return QString::fromLocal8Bit(std::generic_category().message(errno));
        }

    private:
        FileSystem& m_files;
        QString m_folder;
        std::size_t m_folderBytes;
        int m_handle;
    };
    if (const auto native = systemPath(folder))
        if (const int handle = ::open(native->c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            handle >= 0)
            return std::make_unique<InHandle>(*this, folder, native->native().size(), handle);
#endif
    return FileSystem::folderMaker(folder);
}

NameRules RealFileSystem::nameRules(const QString& folder) {
    NameRules rules;
#ifdef Q_OS_WIN
    Q_UNUSED(folder);
    rules.utf16 = true;
    rules.ignoresCase = true;
    rules.windowsNames = true;
    rules.longestPath = 247; // a folder's full path, without the long-path prefix
#else
    const auto native = systemPath(folder);
    if (!native)
        return rules;
    const char* const c = native->c_str();
    if (const long longest = ::pathconf(c, _PC_NAME_MAX); longest > 0)
        rules.longestName = longest;
    if (const long longest = ::pathconf(c, _PC_PATH_MAX); longest > 0)
        rules.longestPath = longest - 1; // the count includes the final NUL
#ifdef _PC_CASE_SENSITIVE
    rules.ignoresCase = ::pathconf(c, _PC_CASE_SENSITIVE) == 0;
#endif
#ifdef Q_OS_LINUX
    struct statfs volume {};
    if (::statfs(c, &volume) == 0) {
        switch (static_cast<std::uint32_t>(volume.f_type)) {
        case 0x4d44:     // FAT
        case 0x2011BAB0: // exFAT
            // Shared with Windows, and holding its names.
            rules.utf16 = true;
            rules.longestName = 255;
            rules.ignoresCase = true;
            rules.windowsNames = true;
            break;
        case 0xFF534D42: // SMB
        case 0xFE534D42: // SMB2
            rules.ignoresCase = true;
            break;
        default:
            break;
        }
    }
    // A folder of ext4 or f2fs may fold the case of its own entries.
    if (const int handle = ::open(c, O_RDONLY | O_DIRECTORY | O_CLOEXEC); handle >= 0) {
        int flags = 0;
        if (::ioctl(handle, FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_CASEFOLD_FL))
            rules.ignoresCase = true;
        ::close(handle);
    }
#endif
#endif
    return rules;
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
    // Empty when the system cannot tell it (the folder was deleted).
    const QString here = QDir::currentPath();
    return here.isEmpty() ? here : displayPath(here);
}

QString RealDrives::homeFolder() {
    return displayPath(QDir::homePath());
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
