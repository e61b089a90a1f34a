#pragma once
// The services as the running program uses them.

#include "platform/message_boxes.h"
#include "platform/services.h"
#include "platform/slices.h"
#include "platform/volumes.h"

#include <QHash>

#include <filesystem>

#include <random>

namespace ramulo {

// A folder is read whole when the list holds at least this many of its names.
inline constexpr qsizetype kListedFrom = 64;

// The program's arguments as they were typed: on Windows, read in UTF-16 from
// the system, since a folder handed by Explorer may hold any character.
QStringList programArguments(int argc, char* argv[]);

// Where the user's own presets live, as the help tells it.
QString userPresetsHelp();

// Blocks of a megabyte and more go back to the system as soon as they are
// freed: a preview of a million names needs hundreds of megabytes for a
// moment, and the window would otherwise keep them. Called once, at start.
void returnLargeBlocks();

// Writes to the program's standard output or error: on Windows, where the
// program has no console of its own, to the console it was started from.
void writeOut(const QString& text, bool error = false);

class RealFileSystem : public FileSystem {
public:
    Entry entryAt(const QString& path) override;
    std::optional<QString> createFolder(const QString& path) override;
    NameRules nameRules(const QString& folder) override;
    // Where the file system compares names as the program does, the names
    // of each folder that holds many of them are answered from one read of
    // it; the others are asked name by name, from several threads.
    std::vector<Entry> entriesIn(const QString& folder, const QStringList& names) override;
    // Folders are made relative to the folder's open handle, where there is one.
    std::unique_ptr<FolderMaker> folderMaker(const QString& folder) override;
    std::optional<QString> unreadable(const QString& folder) override;
    QStringList subFolders(const QString& folder) override;
    QStringList files(const QString& folder, const QString& pattern) override;
    Read readList(const QString& path, qint64 head,
                  const std::function<std::optional<QString>(const QByteArray&)>& refuse) override;

    // The two ways entriesIn answers, for the tests: nothing when the folder
    // cannot be read or its file system may see two spellings as one name.
    // The listing also gives the folder's names that are written otherwise
    // than composed, by their composed form.
    using Respellings = QHash<QString, QString>;
    std::optional<std::vector<Entry>> entriesByListing(const QString& folder,
                                                       const QStringList& names,
                                                       Respellings* respellings = nullptr);
    std::vector<Entry> entriesOneByOne(const QString& folder, const QStringList& names);

#ifdef Q_OS_LINUX
protected:
    // The statfs number of the open folder's volume and, for a disk served
    // through FUSE, the file-system type on the disk.
    virtual std::pair<std::uint32_t, QByteArray> volumeType(int folder);
    // The identity of an entry of an open folder, found by its name as the system finds it.
    virtual std::optional<FileId> identityIn(int folder, const QByteArray& name);
#endif

private:
    // The places of a list's names by the folder that holds them, as a path
    // under the folder asked about ("" for itself).
    using ByFolder = QHash<QStringView, QList<qsizetype>>;
    // Names that nothing bears but that an entry of their folder bears written
    // otherwise. The folders already listed give their respellings.
    void markRespelt(const QString& folder, const QStringList& names, const ByFolder& byFolder,
                     const QHash<QStringView, Respellings>& listed, std::vector<Entry>& entries);
#ifndef Q_OS_WIN
    static Entry entryIn(int folder, const char* path);
#endif
#ifdef Q_OS_LINUX
    Volume volumeOf(int handle);
    // Whether the folder ignores case, asked of it once for each folder and volume.
    bool probedCase(const QString& folder, int handle, const std::filesystem::path& native);
    QHash<QString, bool> m_ignoresCase;
#endif
};

class RealDrives : public Drives {
public:
    QStringList list() override;
#ifdef Q_OS_WIN
    QString kind(const QString& drive) override;
#endif
    QString systemDrive() override;
    QString driveOf(const QString& path) override;
    QString currentFolder(const QString& drive) override;
    std::optional<QString> notReady(const QString& drive) override;
    QString workingFolder() override;
    QString homeFolder() override;
};

class RealRandomSource : public RandomSource {
public:
    double next() override;

private:
    // A fixed seed: the same numbers at every start of the program.
    std::mt19937_64 m_engine{20070101u};
};

class RealProgramInfo : public ProgramInfo {
public:
    QString programFolder() override;
    QString userPresets() override;
    QString title() override;
    int versionMajor() override;
    int versionMinor() override;
    int versionRevision() override;
};

} // namespace ramulo
