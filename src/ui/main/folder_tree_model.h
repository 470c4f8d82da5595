#pragma once
// The folder tree's model: two virtual roots, "Desktop" and "My Computer",
// above folders that QFileSystemModel reads lazily on its own thread.
//
//   Desktop          -> the desktop folder's sub-folders
//   My Computer      -> the home folder -> its sub-folders
//                    -> "/"             -> its sub-folders
//
// A folder inside the home folder is reachable along more than one branch,
// so each branch has a file-system model of its own: every source node then
// has exactly one place in this tree, and source signals map one to one.
//
// An index of this tree has its source folder's row and, as its id, the id
// of its parent folder: the position of a persistent index of the parent in
// its branch's model, in a table that only grows. The source keeps the
// parent's row up to date, so the id stays valid while the parent exists;
// only folders whose sub-folders were asked for get one. Ids 0 and 1 mark
// the two virtual roots and the folders under "My Computer".
#include <QAbstractItemModel>
#include <QFileSystemModel>
#include <QHash>
#include <QIcon>
#include <QPersistentModelIndex>
#include <QString>
#include <array>
#include <memory>
#include <vector>

namespace quillory::ui {

class FolderTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum class Branch { Desktop = 1, Home = 2, Root = 3 };
    static constexpr int kRootRows = 2;  // "Desktop", "My Computer"

    // `desktop`, `home` and `root` are folder paths; `home` equal to `root`
    // gives "My Computer" a single child. A root other than "/" keeps a
    // test's tree inside its temp folder.
    FolderTreeModel(const QString& desktop, const QString& home, const QString& root = QStringLiteral("/"),
                    QObject* parent = nullptr);
    ~FolderTreeModel() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    QModelIndex desktopRoot() const { return createIndex(0, 0, quintptr(0)); }
    QModelIndex computerRoot() const { return createIndex(1, 0, quintptr(0)); }
    // The folder's path; empty for the two virtual roots.
    QString filePath(const QModelIndex& index) const;
    // `path` as an index below "My Computer" (below the home folder when it
    // lies there); invalid when no such folder exists. A hidden folder on the
    // way turns hidden folders on, so that the user's choice can be shown.
    QModelIndex indexForPath(const QString& path);
    // A folder's sub-folders have been read (QFileSystemModel::directoryLoaded).
    Q_SIGNAL void folderLoaded(const QString& path);

private:
    class Icons;
    class Source;
    struct Anchor {
        QString label;
        QIcon icon;
        Source* source;
        QPersistentModelIndex index;  // in source
    };

    // A folder of one branch whose sub-folders are in the tree.
    struct Folder {
        Source* source;
        QPersistentModelIndex index;
    };

    Source* sourceOf(Branch branch) const;
    Source* sourceOf(const QModelIndex& proxy) const;
    const Folder* parentFolderOf(const QModelIndex& proxy) const;
    // The id of `parent` (column 0 of `source`) for its sub-folders, given one on first sight.
    quintptr idOf(Source& source, const QModelIndex& parent) const;
    // Ids of folders the source has removed are dropped, never reused.
    void forgetRemovedFolders();
    QModelIndex toSource(const QModelIndex& proxy) const;
    QModelIndex fromSource(Source& source, const QModelIndex& index) const;
    const Anchor* anchorAt(const QModelIndex& proxy) const;
    void connectSource(Source& source);

    std::unique_ptr<Icons> m_icons;                    // outlives the sources that use it
    std::array<std::unique_ptr<Source>, 3> m_sources;  // by Branch - 1
    QString m_desktopPath;
    QPersistentModelIndex m_desktop;                   // in the desktop branch's source
    std::vector<Anchor> m_anchors;                     // children of "My Computer"
    mutable std::vector<Folder> m_parents;             // by id - kFirstFolderId
    mutable QHash<QPersistentModelIndex, quintptr> m_ids;
    std::vector<std::pair<QPersistentModelIndex, QPersistentModelIndex>> m_layoutKeep;  // proxy, source
};

}  // namespace quillory::ui
