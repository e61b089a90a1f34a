#pragma once
// The destination's drive and folder lists, and the preset file list. The
// folder list has an open folder; opening another raises change, re-reading
// its sub-folders does not.

#include "platform/services.h"

#include <QComboBox>
#include <QListView>
#include <QListWidget>

#include <memory>

namespace ramulo {

// Drive list: one entry per drive, as "C:\" or "/", its kind beside it where
// the system tells it ("C:\ (disque local)"); the drive itself is "C:\".
class DriveList : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(QString drive READ drive WRITE setDrive NOTIFY Change)
public:
    explicit DriveList(QWidget* parent = nullptr);
    void setDrives(const QStringList& drives, const QStringList& kinds = {});
    QString drive() const;
    // Shows the drive; raises change only when the drive shown changes. A drive
    // that is not in the list is added.
    void setDrive(const QString& drive);

signals:
    void Change();
};

// Folder list: the chain of folders from the drive's root to the open folder,
// then the open folder's sub-folders. Double-click or Enter opens a folder.
// Rows come from a model of plain names, so that a folder of a million
// sub-folders lists in a blink and in little memory.
class FolderList : public QListView {
    Q_OBJECT
    Q_PROPERTY(QString path READ path WRITE setPath NOTIFY Change)
public:
    // The folders are read through `files`.
    explicit FolderList(std::shared_ptr<FileSystem> files, QWidget* parent = nullptr);
    QString path() const { return m_path; }
    // Opens the folder and raises change when the path changes. A folder that
    // cannot be read leaves the list as it was and raises openFailed.
    void setPath(const QString& path);
    // Re-reads the open folder's sub-folders; the path, and so change, stay alone.
    void refresh();
    int count() const;
    QString rowText(int row) const;
    void setCurrentRow(int row);

signals:
    void Change();
    void openFailed(const QString& path, const QString& reason);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fill();
    void openRow(const QModelIndex& index);
    std::shared_ptr<FileSystem> m_files;
    QString m_path;
    class Rows;
    Rows* m_rows;
};

// File list of folders, filtered by a pattern; rows are the file names, in
// one sorted list. A name found in an earlier folder hides the same name in
// later ones.
class FileList : public QListWidget {
    Q_OBJECT
public:
    // The folders are read through `files`.
    explicit FileList(std::shared_ptr<FileSystem> files, QWidget* parent = nullptr);
    QStringList folders() const { return m_folders; }
    void setFolders(const QStringList& folders); // reads them
    void setPattern(const QString& pattern) { m_pattern = pattern; }
    QString pattern() const { return m_pattern; }
    void refresh();
    // The selected file's name without folder, or empty.
    QString fileName() const;
    // The selected file in the folder it was listed from, or empty.
    QString filePath() const;

signals:
    void Click();

private:
    std::shared_ptr<FileSystem> m_files;
    QStringList m_folders;
    QString m_pattern = QStringLiteral("*");
};

} // namespace ramulo
