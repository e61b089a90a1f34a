#pragma once
// The services the window needs from the system, each behind a small
// interface: the real ones are in real_services.h, the test doubles in
// tests/support.

#include "platform/fs_types.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace ramulo {

// Modal message boxes.
class MessageBoxes {
public:
    enum class Buttons { Ok, OkCancel };
    enum class Icon { None, Warning, Information };
    enum class Answer { Ok, Cancel };

    virtual ~MessageBoxes() = default;
    // Shows the box modally and returns the button pressed; closing the box
    // counts as Cancel (as OK where OK is the only button).
    virtual Answer show(const QString& text, const QString& title, Buttons buttons, Icon icon) = 0;
};

// The file-system questions the window asks.
class FileSystem {
public:
    using Entry = ramulo::Entry;

    virtual ~FileSystem() = default;
    // None also for a path that cannot exist.
    virtual Entry entryAt(const QString& path) = 0;
    bool folderExists(const QString& path) { return isFolder(entryAt(path)); }
    // Creates that one folder inside an existing folder. Returns the system's
    // reason on failure, nothing on success.
    virtual std::optional<QString> createFolder(const QString& path) = 0;
    // The name rules of the file system that holds the folder.
    virtual NameRules nameRules(const QString& folder) = 0;

    // What each name holds in the folder: the answers entryAt gives for the
    // joined paths, asked together. The real file system may read the folder
    // once, or ask from several threads; this one asks name by name.
    virtual std::vector<Entry> entriesIn(const QString& folder, const QStringList& names);

    // The system's reason why the folder cannot be listed, nothing when it can.
    virtual std::optional<QString> unreadable(const QString& folder) = 0;
    // The folder's sub-folders as a folder list shows them: links to folders
    // included, hidden ones left out, in no order. None for a folder that
    // cannot be read.
    virtual QStringList subFolders(const QString& folder) = 0;
    // The names of the folder's files that match the pattern ("*.txt") and can
    // be read, in no order.
    virtual QStringList files(const QString& folder, const QString& pattern) = 0;
    // A list file's bytes, read whole; or why it cannot be loaded. Only a
    // plain file is opened (a named pipe would wait for a writer), and the
    // read stops when the first `head` bytes are refused by `refuse`.
    struct Read {
        QByteArray bytes;
        std::optional<QString> refusal;
    };
    virtual Read
    readList(const QString& path, qint64 head,
             const std::function<std::optional<QString>(const QByteArray&)>& refuse) = 0;

    // Makes folders in one folder, opened once for a run of many.
    class FolderMaker {
    public:
        virtual ~FolderMaker() = default;
        // Makes the folder at the relative path `levels` (one level for a
        // flat name): each missing upper level in turn, entering those that
        // are folders, then the last, which must not exist yet. Adds one to
        // `made` for each folder made; returns the system's reason on failure.
        virtual std::optional<QString> make(const QStringList& levels, qint64& made) = 0;
    };
    virtual std::unique_ptr<FolderMaker> folderMaker(const QString& folder);
};

// Drives, as the drive list shows them ("C:\", or "/" where there is one root).
class Drives {
public:
    virtual ~Drives() = default;
    virtual QStringList list() = 0;
    // What kind of drive it is, as the drive list shows it beside its name
    // ("disque local", "lecteur réseau" …); nothing where drives have no kinds.
    virtual QString kind(const QString& drive) {
        Q_UNUSED(drive);
        return {};
    }
    // The drive that stands for the system's own ("C:\" on Windows, "/" elsewhere).
    virtual QString systemDrive() = 0;
    // The drive a path lies on.
    virtual QString driveOf(const QString& path) = 0;
    // The folder the system keeps as the drive's current folder (its root where
    // it keeps none).
    virtual QString currentFolder(const QString& drive) = 0;
    // The system's reason why the drive cannot be read (no medium, the share
    // does not answer), nothing when it is ready.
    virtual std::optional<QString> notReady(const QString& drive) = 0;
    // The process's current folder, where the destination starts; the user's
    // home folder when it cannot be opened.
    virtual QString workingFolder() = 0;
    virtual QString homeFolder() = 0;
};

// Pseudo-random reals in [0, 1): the same succession at every start, never re-seeded.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual double next() = 0;
};

// What the program knows of itself.
class ProgramInfo {
public:
    virtual ~ProgramInfo() = default;
    virtual QString programFolder() = 0;
    // The folder of the user's own presets, listed before the program's: in an
    // installed copy, $XDG_DATA_HOME/ramulo/presets (by default under
    // ~/.local/share) or %APPDATA%\Ramulo\presets; empty for a portable copy
    // or a build, which list only the presets beside them.
    virtual QString userPresets() = 0;
    virtual QString title() = 0;
    virtual int versionMajor() = 0;
    virtual int versionMinor() = 0;
    virtual int versionRevision() = 0;
};

// Everything the window is given; a missing member is filled with the real service.
struct Services {
    std::shared_ptr<MessageBoxes> messages;
    std::shared_ptr<FileSystem> files;
    std::shared_ptr<Drives> drives;
    std::shared_ptr<RandomSource> random;
    std::shared_ptr<ProgramInfo> program;

    // Services with every empty member replaced by the real one.
    Services completed() const;
};

} // namespace ramulo
