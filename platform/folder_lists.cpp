#include "platform/folder_lists.h"

#include "platform/aside.h"
#include "platform/controls.h"
#include "platform/folders.h"
#include "platform/paths.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QSet>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>
#include <numeric>

namespace ramulo {

// DriveList --------------------------------------------------------------

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::currentIndexChanged, this, &DriveList::Change);
}

void DriveList::setDrives(const QStringList& drives, const QStringList& kinds) {
    const QSignalBlocker quiet(this);
    clear();
    for (qsizetype i = 0; i < drives.size(); ++i) {
        const QString kind = kinds.value(i);
        addItem(kind.isEmpty() ? drives.at(i) : QStringLiteral("%1 (%2)").arg(drives.at(i), kind),
                drives.at(i));
    }
}

QString DriveList::drive() const {
    return currentData().toString();
}

void DriveList::setDrive(const QString& drive) {
    int index = findData(drive, Qt::UserRole, Qt::MatchFixedString);
    if (index < 0) {
        const QSignalBlocker quiet(this);
        addItem(drive, drive);
        index = count() - 1;
    }
    setCurrentIndex(index);
}

// FolderList -------------------------------------------------------------

namespace {
constexpr int kPathRole = Qt::UserRole;
constexpr int kDepthRole = Qt::UserRole + 1;

// Each folder is drawn one step further right than the folder that holds it,
// icon included.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem indented(option);
        indented.rect.setLeft(option.rect.left() + 10 * index.data(kDepthRole).toInt());
        QStyledItemDelegate::paint(painter, indented, index);
    }
};
} // namespace

namespace {
// In the user's language, case aside. Each name's sort key is made once: ten
// times faster than comparing the names themselves.
QStringList byName(const QStringList& names) {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(static_cast<std::size_t>(names.size()));
    for (const QString& name : names)
        keys.push_back(collator.sortKey(name.toCaseFolded())); // "C" would keep the case
    std::vector<qsizetype> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const int c = keys[static_cast<std::size_t>(a)].compare(keys[static_cast<std::size_t>(b)]);
        return c != 0 ? c < 0 : names.at(a) < names.at(b);
    });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const qsizetype i : order)
        sorted.append(names.at(i));
    return sorted;
}
} // namespace

// The chain's folders are full paths, the sub-folders plain names.
class FolderList::Rows : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;
    QStringList chain;
    QStringList subFolders;
    QString open;
    QIcon openIcon, closedIcon;

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(chain.size() + subFolders.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        const int row = index.row();
        const bool above = row < chain.size();
        if (row < 0 || row >= rowCount())
            return {};
        switch (role) {
        case Qt::DisplayRole:
            return above ? (row == 0 ? chain.at(0) : QFileInfo(chain.at(row)).fileName())
                         : subFolders.at(row - chain.size());
        case Qt::DecorationRole:
            return above ? openIcon : closedIcon;
        case kPathRole:
            return above ? chain.at(row) : joinPath(open, subFolders.at(row - chain.size()));
        case kDepthRole:
            return above ? row : static_cast<int>(chain.size());
        default:
            return {};
        }
    }
    void reset(QStringList folders, QStringList names, const QString& folder) {
        beginResetModel();
        chain = std::move(folders);
        subFolders = std::move(names);
        open = folder;
        endResetModel();
    }
};

FolderList::FolderList(std::shared_ptr<FileSystem> files, QWidget* parent)
    : QListView(parent), m_files(std::move(files)), m_rows(new Rows(this)) {
    m_rows->openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    m_rows->closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    setModel(m_rows);
    setUniformItemSizes(true);
    setEditTriggers(NoEditTriggers);
    setItemDelegate(new IndentDelegate(this));
    connect(this, &QListView::doubleClicked, this, &FolderList::openRow);
}

int FolderList::count() const {
    return m_rows->rowCount();
}

QString FolderList::rowText(int row) const {
    return m_rows->index(row).data().toString();
}

void FolderList::setCurrentRow(int row) {
    setCurrentIndex(m_rows->index(row));
}

void FolderList::setPath(const QString& path) {
    const QString target = displayPath(path);
    if (target == m_path)
        return;
    if (const auto reason = m_files->unreadable(target)) {
        emit openFailed(target, *reason);
        return;
    }
    m_path = target;
    fill();
    emit Change();
}

void FolderList::refresh() {
    fill();
}

void FolderList::fill() {
    // The chain from the root down to the open folder, a step of indent a level.
    QStringList chain;
    for (QDir dir(m_path);;) {
        chain.prepend(displayPath(dir.absolutePath()));
        if (dir.isRoot() || !dir.cdUp())
            break;
    }
    // A folder of many thousands of sub-folders is read aside.
    QStringList subFolders;
    runAside(window(), QStringLiteral("Lecture du dossier…"),
             [&, folder = m_path] { subFolders = byName(m_files->subFolders(folder)); });
    const int open = static_cast<int>(chain.size()) - 1;
    m_rows->reset(std::move(chain), std::move(subFolders), m_path);
    setCurrentRow(open);
}

void FolderList::openRow(const QModelIndex& index) {
    if (index.isValid())
        setPath(index.data(kPathRole).toString());
}

void FolderList::keyPressEvent(QKeyEvent* event) {
    if (isEnter(event)) {
        openRow(currentIndex());
        return;
    }
    QListView::keyPressEvent(event);
}

// FileList ---------------------------------------------------------------

FileList::FileList(std::shared_ptr<FileSystem> files, QWidget* parent)
    : QListWidget(parent), m_files(std::move(files)) {
    setUniformItemSizes(true);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            emit Click();
    });
}

void FileList::setFolders(const QStringList& folders) {
    m_folders = folders;
    refresh();
}

void FileList::refresh() {
    const QSignalBlocker quiet(this);
    clear();
    std::vector<std::pair<QString, QString>> files; // name, folder
    QSet<QString> seen;
    for (const QString& folder : m_folders) {
        if (folder.isEmpty())
            continue;
        for (const QString& name : m_files->files(folder, m_pattern))
            if (!seen.contains(name)) {
                seen.insert(name);
                files.emplace_back(name, folder);
            }
    }
    QCollator order;
    order.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(files.begin(), files.end(), [&](const auto& a, const auto& b) {
        return order.compare(a.first, b.first) < 0;
    });
    for (const auto& [name, folder] : files) {
        auto* item = new QListWidgetItem(name, this);
        item->setData(Qt::UserRole, folder);
    }
    setCurrentRow(-1);
}

QString FileList::fileName() const {
    const QListWidgetItem* item = currentItem();
    return item ? item->text() : QString();
}

QString FileList::filePath() const {
    const QListWidgetItem* item = currentItem();
    return item ? joinPath(item->data(Qt::UserRole).toString(), item->text()) : QString();
}

} // namespace ramulo
