#include "ui/main/folder_tree.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "ui/main/folder_tree_model.h"

namespace quillory::ui {

FolderTree::FolderTree(QWidget* parent) : QTreeView(parent) {
    setObjectName("tv");
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    m_model = new FolderTreeModel(specialFolderPath(kDesktopDirectory), QDir::homePath(), QDir::rootPath(), this);
    setModel(m_model);
    expand(m_model->computerRoot());
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { Q_EMIT selectionChanged(); });
    // The folders around a chosen one are read and sorted in afterwards and
    // may push it out of sight, until the user takes over.
    auto keepInView = [this] {
        if (m_keepInView.isValid() && m_keepInView == currentIndex()) scrollTo(m_keepInView);
    };
    connect(m_model, &QAbstractItemModel::layoutChanged, this, keepInView, Qt::QueuedConnection);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, keepInView, Qt::QueuedConnection);
    // A vanished folder may take the selection with it; the nearest folder
    // still shown takes over, so that the folder box follows.
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex& parent) {
        if (!currentIndex().isValid()) setCurrentIndex(parent);
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        expand(m_model->computerRoot());
        setCurrentIndex(m_model->desktopRoot());
    });
    setCurrentIndex(m_model->desktopRoot());
}

QString FolderTree::selectedFolder() const {
    const QModelIndex current = currentIndex();
    if (!current.isValid()) return {};
    if (current == m_model->desktopRoot()) return QString::fromLatin1(kDesktop);
    if (current == m_model->computerRoot()) return QString::fromLatin1(kMyComputer);
    return m_model->filePath(current);
}

void FolderTree::setSelectedFolder(const QString& path) {
    QString folder = QDir::cleanPath(QDir(path).absolutePath());
    QModelIndex found = m_model->indexForPath(folder);
    while (!found.isValid() && folder != QDir::rootPath()) {
        folder = QFileInfo(folder).path();
        found = m_model->indexForPath(folder);
    }
    if (!found.isValid()) return;
    for (QModelIndex up = found.parent(); up.isValid(); up = up.parent()) expand(up);
    setCurrentIndex(found);
    scrollTo(found);
    m_keepInView = found;
}

void FolderTree::keyPressEvent(QKeyEvent* event) {
    m_keepInView = QPersistentModelIndex();
    QTreeView::keyPressEvent(event);
}

void FolderTree::mousePressEvent(QMouseEvent* event) {
    m_keepInView = QPersistentModelIndex();
    QTreeView::mousePressEvent(event);
}

void FolderTree::wheelEvent(QWheelEvent* event) {
    m_keepInView = QPersistentModelIndex();
    QTreeView::wheelEvent(event);
}

QString FolderTree::specialFolderPath(int id) {
    if (id != kDesktopDirectory) return {};
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

}  // namespace quillory::ui
