#include "ui/main/folder_tree.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QStandardPaths>

namespace quillory::ui {

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kFilledRole = Qt::UserRole + 1;

}  // namespace

FolderTree::FolderTree(QWidget* parent) : QTreeWidget(parent) {
    setObjectName("tv");
    setHeaderHidden(true);
    setColumnCount(1);
    setUniformRowHeights(true);

    auto* desktop = new QTreeWidgetItem(this, {QString::fromLatin1(kDesktop)});
    desktop->setIcon(0, style()->standardIcon(QStyle::SP_DesktopIcon));
    desktop->setData(0, kPathRole, specialFolderPath(kDesktopDirectory));
    desktop->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);

    auto* computer = new QTreeWidgetItem(this, {QString::fromLatin1(kMyComputer)});
    computer->setIcon(0, style()->standardIcon(QStyle::SP_ComputerIcon));
    computer->setData(0, kFilledRole, true);
    const QString home = QDir::homePath();
    if (home != QDir::rootPath())
        addFolder(computer, home, home)->setIcon(0, style()->standardIcon(QStyle::SP_DirHomeIcon));
    m_root = addFolder(computer, QDir::rootPath(), QDir::rootPath());
    m_root->setIcon(0, style()->standardIcon(QStyle::SP_DriveHDIcon));
    computer->setExpanded(true);

    connect(this, &QTreeWidget::itemExpanded, this, &FolderTree::fillChildren);
    connect(this, &QTreeWidget::currentItemChanged, this, [this] { Q_EMIT selectionChanged(); });
    setCurrentItem(desktop);
}

QTreeWidgetItem* FolderTree::addFolder(QTreeWidgetItem* parent, const QString& label, const QString& path) {
    auto* item = new QTreeWidgetItem(parent, {label});
    item->setData(0, kPathRole, path);
    item->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

void FolderTree::fillChildren(QTreeWidgetItem* item) {
    if (item->data(0, kFilledRole).toBool()) return;
    item->setData(0, kFilledRole, true);
    QDir folder(item->data(0, kPathRole).toString());
    // Hidden folders stay out, as in a file manager; a folder that cannot be
    // read simply has no children.
    const QStringList names = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names) addFolder(item, name, folder.filePath(name));
    item->setChildIndicatorPolicy(names.isEmpty() ? QTreeWidgetItem::DontShowIndicator
                                                  : QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

QString FolderTree::selectedFolder() const {
    const QTreeWidgetItem* item = currentItem();
    if (item == nullptr) return {};
    if (item->parent() == nullptr) return item->text(0);
    return item->data(0, kPathRole).toString();
}

void FolderTree::setSelectedFolder(const QString& path) {
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    QTreeWidgetItem* item = m_root;
    const QStringList parts = clean.split('/', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        fillChildren(item);
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < item->childCount() && next == nullptr; ++i)
            if (item->child(i)->text(0) == part) next = item->child(i);
        // A hidden folder is not among the children: it gets an item of its own.
        if (next == nullptr && QFileInfo(item->data(0, kPathRole).toString() + '/' + part).isDir())
            next = addFolder(item, part, QDir(item->data(0, kPathRole).toString()).filePath(part));
        if (next == nullptr) break;
        item->setExpanded(true);
        item = next;
    }
    setCurrentItem(item);
    scrollToItem(item);
}

QString FolderTree::specialFolderPath(int id) {
    if (id != kDesktopDirectory) return {};
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

}  // namespace quillory::ui
