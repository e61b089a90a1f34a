// The services as the running program uses them: what every system shares.
// The file system, the drives and where the program's data lies are the
// system's own: real_services_posix.cpp and real_services_windows.cpp.

#include "platform/real_services.h"

#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/slices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

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
        std::optional<QString> make(const QStringList& levels, qint64& made) override {
            QString path = m_folder;
            for (qsizetype i = 0; i < levels.size(); ++i) {
                path = joinPath(path, levels.at(i));
                if (i + 1 < levels.size() && m_files.entryAt(path) == Entry::Folder)
                    continue; // a link is never entered: creating it fails
                if (auto reason = m_files.createFolder(path))
                    return reason;
                ++made;
            }
            return std::nullopt;
        }

    private:
        FileSystem& m_files;
        QString m_folder;
    };
    return std::make_unique<ByPath>(*this, folder);
}

std::vector<FileSystem::Entry> RealFileSystem::entriesIn(const QString& folder,
                                                         const QStringList& names) {
    // The names by the folder that holds them: the folder itself, or one of
    // its sub-folders for the paths of a tree. Where each name's folder ends
    // is found from threads; names of one folder come in runs, so the run's
    // list is looked up once.
    std::vector<qsizetype> holderEnds(static_cast<std::size_t>(names.size()));
    inSlices(names.size(), [&](qsizetype begin, qsizetype end) {
        for (qsizetype i = begin; i < end; ++i)
            holderEnds[std::size_t(i)] =
                std::max<qsizetype>(names.at(i).lastIndexOf(pathSeparator()), 0);
    });
    ByFolder byFolder;
    QStringView runFolder;
    QList<qsizetype>* run = nullptr;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QStringView holder = QStringView(names.at(i)).first(holderEnds[std::size_t(i)]);
        if (!run || holder != runFolder) {
            run = &byFolder[holder];
            runFolder = holder;
        }
        run->append(i);
    }
    std::vector<Entry> entries(static_cast<std::size_t>(names.size()));
    QHash<QStringView, Respellings> respellings; // of the folders listed
    QList<qsizetype> others;                     // asked one by one
    for (auto place = byFolder.cbegin(); place != byFolder.cend(); ++place) {
        const QList<qsizetype>& held = place.value();
        std::optional<std::vector<Entry>> listed;
        if (held.size() >= kListedFrom) {
            // The names as the sub-folder holds them; the list itself when it is all in the folder.
            const qsizetype cut = place.key().isEmpty() ? 0 : place.key().size() + 1;
            const bool whole = cut == 0 && held.size() == names.size();
            QStringList own;
            if (!whole) {
                own.reserve(held.size());
                for (const qsizetype i : held)
                    own.append(names.at(i).sliced(cut));
            }
            listed = entriesByListing(cut == 0 ? folder : joinPath(folder, place.key().toString()),
                                      whole ? names : own, &respellings[place.key()]);
        }
        if (!listed) {
            respellings.remove(place.key());
            others.append(held);
            continue;
        }
        for (qsizetype k = 0; k < held.size(); ++k)
            entries[static_cast<std::size_t>(held.at(k))] = (*listed)[static_cast<std::size_t>(k)];
    }
    if (!others.isEmpty()) {
        QStringList asked;
        asked.reserve(others.size());
        for (const qsizetype i : others)
            asked.append(names.at(i));
        const std::vector<Entry> answers = entriesOneByOne(folder, asked);
        for (qsizetype k = 0; k < others.size(); ++k)
            entries[static_cast<std::size_t>(others.at(k))] = answers[static_cast<std::size_t>(k)];
    }
    markRespelt(folder, names, byFolder, respellings, entries);
    return entries;
}

QStringList RealFileSystem::files(const QString& folder, const QString& pattern) {
    return QDir(folder).entryList({pattern}, QDir::Files | QDir::Readable);
}

FileSystem::Read
RealFileSystem::readList(const QString& path, qint64 head,
                         const std::function<std::optional<QString>(const QByteArray&)>& refuse) {
    const QFileInfo entry(path);
    if (entry.exists() && !entry.isFile())
        return {{}, QStringLiteral("ce n'est pas un fichier ordinaire.")};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, file.errorString()};
    if (auto why = refuse(file.read(head)))
        return {{}, std::move(why)};
    file.seek(0);
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {{}, file.errorString()};
    return {std::move(bytes), std::nullopt};
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
