#pragma once
// The window tests' common header, and their service doubles: they record what the window
// asked and answer what the test decided.

#include "app/form1.h"
#include "platform/aside.h"
#include "platform/folders.h"
#include "platform/real_services.h"

#include <QApplication>
#include <QDir>
#include <QList>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

namespace ramulo::test {

class FakeMessages : public MessageBoxes {
public:
    QStringList boxes;            // each as "title [warning, OK]\ntext": its icon if any, buttons
    QList<Answer> answers;        // answers in turn; OK once they run out
    std::function<void()> onShow; // runs while the box is "open"

    Answer show(const QString& text, const QString& title, Buttons buttons, Icon icon) override {
        const char* icons[] = {"", "warning, ", "information, "};
        boxes << title + " [" + icons[int(icon)] + (buttons == Buttons::Ok ? "OK" : "OK, Cancel") + "]\n" + text;
        if (onShow)
            onShow();
        return answers.isEmpty() ? Answer::Ok : answers.takeFirst();
    }
};

// The real file system, keeping the questions.
class FakeFileSystem : public RealFileSystem {
public:
    QStringList looked; // every path passed to entryAt, in order
    QStringList asked;  // every path passed to createFolder, in order
    int slowness = 0;   // milliseconds each folder takes to make

    Entry entryAt(const QString& path) override {
        looked.append(path);
        return RealFileSystem::entryAt(path);
    }
    std::optional<QString> createFolder(const QString& path) override {
        asked.append(path);
        QThread::msleep(slowness);
        return RealFileSystem::createFolder(path);
    }
    // Name by name through the two above, so that every path is recorded.
    std::vector<Entry> entriesIn(const QString& folder, const QStringList& names) override {
        return FileSystem::entriesIn(folder, names);
    }
    std::unique_ptr<FolderMaker> folderMaker(const QString& folder) override { return FileSystem::folderMaker(folder); }
};

// Drives mapped onto folders of the test: each "drive" is a folder path.
class FakeDrives : public Drives {
public:
    QStringList drives;
    QString system, working, home;
    QMap<QString, QString> current; // drive -> its current folder
    QMap<QString, QString> unready; // drive -> the system's reason

    QStringList list() override { return drives; }
    QString systemDrive() override { return system; }
    QString driveOf(const QString& path) override { // no drive of a test holds another
        for (const QString& drive : drives)
            if (path.startsWith(drive))
                return drive;
        return {};
    }
    QString currentFolder(const QString& drive) override { return current.value(drive, drive); }
    std::optional<QString> notReady(const QString& d) override {
        return unready.contains(d) ? std::optional(unready[d]) : std::nullopt;
    }
    QString workingFolder() override { return working; }
    QString homeFolder() override { return home; }
};

class FakeProgram : public RealProgramInfo {
public:
    QString folder;
    QString user;          // the user's own presets, in an installed copy
    bool realRule = false; // the user's presets found as the program finds them, not in user
    QString programFolder() override { return folder; }
    QString userPresets() override { return realRule ? RealProgramInfo::userPresets() : user; }
};

// A temporary folder tree and doubles over it: the current folder is <root>/work, the
// home folder <root>/home, the program in <root>/program; the random source is real.
struct Harness {
    QTemporaryDir root;
    std::shared_ptr<FakeMessages> messages = std::make_shared<FakeMessages>();
    std::shared_ptr<FakeFileSystem> files = std::make_shared<FakeFileSystem>();
    std::shared_ptr<FakeDrives> drives = std::make_shared<FakeDrives>();
    std::shared_ptr<FakeProgram> program = std::make_shared<FakeProgram>();
    bool realFiles = false; // the shipped file system, instead of files

    Harness();
    // The display form of <root>/relative.
    QString path(const QString& relative) const { return displayPath(root.filePath(relative)); }
    QString makeFolder(const QString& relative) const {
        QDir().mkpath(root.filePath(relative));
        return path(relative);
    }
    void writeFile(const QString& relative, const QByteArray& bytes) const; // its folders made
    Services services() const {
        return {messages, realFiles ? std::make_shared<RealFileSystem>() : std::shared_ptr<RealFileSystem>(files),
                drives, nullptr, program};
    }
};

// The system's own words for why a folder cannot be made or opened.
enum class Why { Exists, NotFound, NotFolder };
QString systemReason(Why why);

// Makes a named pipe at the path; false where a folder cannot hold one (Windows).
bool makePipe(const QString& path);

// The window as a user starts on a list: destination opened, names typed, preview
// pressed. Set the harness up first; open() makes the window.
struct PreviewedWindow : Harness {
    std::optional<Form1> w;
    Form1& open(const QString& destination, const QString& names, int livePreview = 1) {
        w.emplace(services());
        w->livepreview->setValue(livePreview);
        w->Dir1->setPath(destination);
        w->Text1->setText(names);
        w->Command2->click();
        return *w;
    }
};

} // namespace ramulo::test
