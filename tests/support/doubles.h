#pragma once
// Service doubles for the window's tests: they record what the window asked
// and answer what the test decided.

#include "platform/real_services.h"
#include "platform/services.h"

#include <QList>
#include <QMap>
#include <QSet>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace ramulo::test {

class FakeMessages : public MessageBoxes {
public:
    struct Shown {
        QString text;
        QString title;
        Buttons buttons;
        Icon icon;
    };
    QList<Shown> shown;
    QList<Answer> answers;        // answers in turn; OK once they run out
    std::function<void()> onShow; // runs while the box is "open"

    Answer show(const QString& text, const QString& title, Buttons buttons, Icon icon) override;
    QStringList titles() const;
};

// The real file system, keeping the questions, with names that can be made to fail.
class FakeFileSystem : public FileSystem {
public:
    QStringList looked;              // every path passed to entryAt, in order
    QStringList asked;               // every path passed to createFolder, in order
    QStringList created;             // those that were created
    QMap<QString, QString> failures; // full path -> reason
    bool recordOnly = false;         // record the paths, create nothing on disk
    std::optional<NameRules> rules;  // instead of the real file system's

    Entry entryAt(const QString& path) override;
    std::optional<QString> createFolder(const QString& path) override;
    NameRules nameRules(const QString& folder) override;

private:
    RealFileSystem m_real;
};

// Drives mapped onto folders of the test: each "drive" is a folder path.
class FakeDrives : public Drives {
public:
    QStringList drives;
    QString system;
    QString working;
    QString home;
    QMap<QString, QString> current; // drive -> its current folder
    QMap<QString, QString> unready; // drive -> the system's reason

    QStringList list() override { return drives; }
    QString systemDrive() override { return system; }
    QString driveOf(const QString& path) override;
    QString currentFolder(const QString& drive) override { return current.value(drive, drive); }
    std::optional<QString> notReady(const QString& drive) override {
        return unready.contains(drive) ? std::optional<QString>(unready.value(drive))
                                       : std::nullopt;
    }
    QString workingFolder() override { return working; }
    QString homeFolder() override { return home; }
};

class FakeRandom : public RandomSource {
public:
    QList<double> values;
    int draws = 0;
    double next() override { return values.isEmpty() ? 0.0 : values.at(draws++ % values.size()); }
};

class FakeProgram : public ProgramInfo {
public:
    QString folder;
    QString programFolder() override { return folder; }
    QString title() override { return QStringLiteral("Ramulo"); }
    int versionMajor() override { return 1; }
    int versionMinor() override { return 1; }
    int versionRevision() override { return 0; }
};

// A temporary folder tree and a full set of doubles over it: the process's
// current folder is <root>/work, the home folder <root>/home, the program lies
// in <root>/program.
struct Harness {
    QTemporaryDir root;
    std::shared_ptr<FakeMessages> messages = std::make_shared<FakeMessages>();
    std::shared_ptr<FakeFileSystem> files = std::make_shared<FakeFileSystem>();
    std::shared_ptr<FakeDrives> drives = std::make_shared<FakeDrives>();
    std::shared_ptr<FakeRandom> random = std::make_shared<FakeRandom>();
    std::shared_ptr<FakeProgram> program = std::make_shared<FakeProgram>();

    Harness();
    QString path(const QString& relative) const; // display form of <root>/relative
    QString makeFolder(const QString& relative) const;
    void writeFile(const QString& relative, const QByteArray& bytes) const;
    Services services() const;
};

} // namespace ramulo::test
