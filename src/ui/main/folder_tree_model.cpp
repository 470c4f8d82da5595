#include "ui/main/folder_tree_model.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStyle>

namespace quillory::ui {

namespace {

// Index ids: the two virtual roots, the folders under "My Computer", then
// the parent folders' table.
constexpr quintptr kTopRows = 0;
constexpr quintptr kComputerRows = 1;
constexpr quintptr kFirstFolderId = 2;
constexpr QDir::Filters kFolders = QDir::AllDirs | QDir::NoDotAndDotDot;

bool isInside(const QString& path, const QString& folder) {
    if (folder == QDir::rootPath()) return true;
    return path == folder || path.startsWith(folder + u'/');
}

}  // namespace

// Icons and type names without looking inside files: Qt's own provider
// tells types by reading a file's first bytes, on the window's thread, which
// is slow in a large folder and never returns on a pipe or a device.
class FolderTreeModel::Icons : public QAbstractFileIconProvider {
public:
    Icons() : m_folder(QApplication::style()->standardIcon(QStyle::SP_DirIcon)) {}
    QIcon icon(const QFileInfo& info) const override { return info.isDir() ? m_folder : QIcon(); }
    QString type(const QFileInfo& info) const override {
        return QString::fromLatin1(info.isDir() ? "Folder" : "File");
    }

private:
    const QIcon m_folder;
};

// One branch's file-system model.
class FolderTreeModel::Source : public QFileSystemModel {
public:
    Source(Branch branch, QAbstractFileIconProvider* icons, QObject* parent)
        : QFileSystemModel(parent), branch(branch) {
        setIconProvider(icons);
        setFilter(kFolders);
        setReadOnly(true);
        setRootPath(QDir::rootPath());
    }

    const Branch branch;
    // Whether the begin call of the change under way was passed on, and as
    // what; the matching end call repeats it.
    enum class Pending { None, Rows, Reset } pending = Pending::None;
};

FolderTreeModel::FolderTreeModel(const QString& desktop, const QString& home, const QString& root, QObject* parent)
    : QAbstractItemModel(parent), m_icons(std::make_unique<Icons>()) {
    for (Branch branch : {Branch::Desktop, Branch::Home, Branch::Root}) {
        auto& source = m_sources[int(branch) - 1];
        source = std::make_unique<Source>(branch, m_icons.get(), this);
        connectSource(*source);
    }
    m_desktopPath = QDir::cleanPath(desktop);
    m_desktop = sourceOf(Branch::Desktop)->index(m_desktopPath);
    QStyle* look = QApplication::style();
    const QString cleanHome = QDir::cleanPath(home);
    const QString cleanRoot = QDir::cleanPath(root);
    if (cleanHome != cleanRoot)
        m_anchors.push_back({cleanHome, look->standardIcon(QStyle::SP_DirHomeIcon), sourceOf(Branch::Home),
                             sourceOf(Branch::Home)->index(cleanHome)});
    m_anchors.push_back({cleanRoot, look->standardIcon(QStyle::SP_DriveHDIcon), sourceOf(Branch::Root),
                         sourceOf(Branch::Root)->index(cleanRoot)});
}

FolderTreeModel::~FolderTreeModel() = default;

FolderTreeModel::Source* FolderTreeModel::sourceOf(Branch branch) const { return m_sources[int(branch) - 1].get(); }

FolderTreeModel::Source* FolderTreeModel::sourceOf(const QModelIndex& proxy) const {
    if (proxy.internalId() == kTopRows) return proxy.row() == 0 ? sourceOf(Branch::Desktop) : nullptr;
    if (const Anchor* anchor = anchorAt(proxy)) return anchor->source;
    const Folder* parent = parentFolderOf(proxy);
    return parent ? parent->source : nullptr;
}

const FolderTreeModel::Folder* FolderTreeModel::parentFolderOf(const QModelIndex& proxy) const {
    const quintptr id = proxy.internalId();
    if (id < kFirstFolderId || id - kFirstFolderId >= m_parents.size()) return nullptr;
    return &m_parents[id - kFirstFolderId];
}

quintptr FolderTreeModel::idOf(Source& source, const QModelIndex& parent) const {
    const QPersistentModelIndex key(parent);
    if (const auto known = m_ids.constFind(key); known != m_ids.cend()) return *known;
    m_parents.push_back({&source, key});
    const quintptr id = kFirstFolderId + m_parents.size() - 1;
    m_ids.insert(key, id);
    return id;
}

void FolderTreeModel::forgetRemovedFolders() {
    for (auto it = m_ids.begin(); it != m_ids.end();) {
        if (it.key().isValid()) {
            ++it;
            continue;
        }
        m_parents[*it - kFirstFolderId].index = QPersistentModelIndex();
        it = m_ids.erase(it);
    }
}

const FolderTreeModel::Anchor* FolderTreeModel::anchorAt(const QModelIndex& proxy) const {
    if (proxy.internalId() != kComputerRows || proxy.row() >= int(m_anchors.size())) return nullptr;
    return &m_anchors[proxy.row()];
}

QModelIndex FolderTreeModel::toSource(const QModelIndex& proxy) const {
    if (!proxy.isValid()) return {};
    if (proxy.internalId() == kTopRows) return proxy.row() == 0 ? QModelIndex(m_desktop) : QModelIndex();
    if (const Anchor* anchor = anchorAt(proxy)) return anchor->index;
    const Folder* parent = parentFolderOf(proxy);
    if (!parent || !parent->index.isValid()) return {};
    return parent->source->index(proxy.row(), 0, parent->index);
}

QModelIndex FolderTreeModel::fromSource(Source& source, const QModelIndex& index) const {
    if (!index.isValid()) return {};
    const QModelIndex node = index.sibling(index.row(), 0);
    if (source.branch == Branch::Desktop && node == m_desktop) return desktopRoot();
    const QModelIndex top = source.branch == Branch::Desktop ? QModelIndex(m_desktop) : QModelIndex();
    for (std::size_t row = 0; row < m_anchors.size(); ++row)
        if (m_anchors[row].source == &source && m_anchors[row].index == node)
            return createIndex(int(row), 0, kComputerRows);
    // Below its branch's top folder, or not in the tree at all.
    bool inside = false;
    for (QModelIndex up = node.parent(); up.isValid() && !inside; up = up.parent()) {
        if (source.branch == Branch::Desktop) inside = up == top;
        else
            for (const Anchor& anchor : m_anchors) inside = inside || (anchor.source == &source && anchor.index == up);
    }
    if (!inside) return {};
    return createIndex(node.row(), 0, idOf(source, node.parent()));
}

QModelIndex FolderTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column != 0) return {};
    if (!parent.isValid()) return row < kRootRows ? createIndex(row, 0, kTopRows) : QModelIndex();
    if (parent.internalId() == kTopRows && parent.row() == 1) {
        if (row >= int(m_anchors.size()) || !m_anchors[row].index.isValid()) return {};
        return createIndex(row, 0, kComputerRows);
    }
    const QModelIndex source = toSource(parent);
    if (!source.isValid()) return {};
    Source* model = sourceOf(parent);
    if (row >= model->rowCount(source)) return {};
    return createIndex(row, 0, idOf(*model, source));
}

QModelIndex FolderTreeModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == kTopRows) return {};
    if (child.internalId() == kComputerRows) return computerRoot();
    const Folder* folder = parentFolderOf(child);
    if (!folder || !folder->index.isValid()) return {};
    // Copies: a new id below may move the table.
    Source* model = folder->source;
    const QModelIndex up = folder->index;
    if (model->branch == Branch::Desktop && up == m_desktop) return desktopRoot();
    for (std::size_t row = 0; row < m_anchors.size(); ++row)
        if (m_anchors[row].source == model && m_anchors[row].index == up)
            return createIndex(int(row), 0, kComputerRows);
    const QModelIndex above = up.parent();
    if (!above.isValid()) return {};
    return createIndex(up.row(), 0, idOf(*model, above));
}

int FolderTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return kRootRows;
    if (parent.column() != 0) return 0;
    if (parent.internalId() == kTopRows && parent.row() == 1) return int(m_anchors.size());
    const QModelIndex source = toSource(parent);
    return source.isValid() ? sourceOf(parent)->rowCount(source) : 0;
}

int FolderTreeModel::columnCount(const QModelIndex&) const { return 1; }

bool FolderTreeModel::hasChildren(const QModelIndex& parent) const {
    if (!parent.isValid() || (parent.internalId() == kTopRows && parent.row() == 1)) return true;
    const QModelIndex source = toSource(parent);
    if (!source.isValid()) return false;
    // A folder not yet read may have sub-folders; one that has been read
    // shows an expander only when it does.
    const Source* model = sourceOf(parent);
    return model->canFetchMore(source) ? model->hasChildren(source) : model->rowCount(source) > 0;
}

bool FolderTreeModel::canFetchMore(const QModelIndex& parent) const {
    const QModelIndex source = toSource(parent);
    return source.isValid() && sourceOf(parent)->canFetchMore(source);
}

void FolderTreeModel::fetchMore(const QModelIndex& parent) {
    const QModelIndex source = toSource(parent);
    if (source.isValid()) sourceOf(parent)->fetchMore(source);
}

QVariant FolderTreeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const bool label = role == Qt::DisplayRole || role == Qt::ToolTipRole;
    if (index.internalId() == kTopRows) {
        const bool desktop = index.row() == 0;
        if (label) return desktop ? tr("Desktop") : tr("My Computer");
        if (role == Qt::DecorationRole)
            return QApplication::style()->standardIcon(desktop ? QStyle::SP_DesktopIcon : QStyle::SP_ComputerIcon);
        return {};
    }
    if (const Anchor* anchor = anchorAt(index)) {
        if (label) return anchor->label;
        if (role == Qt::DecorationRole) return anchor->icon;
        return {};
    }
    const Source* model = sourceOf(index);
    if (!model) return {};
    const QModelIndex source = toSource(index);
    if (role == Qt::ToolTipRole) return model->filePath(source);
    return model->data(source, role);
}

QString FolderTreeModel::filePath(const QModelIndex& index) const {
    if (!index.isValid() || index.internalId() == kTopRows) return {};
    const Source* model = sourceOf(index);
    return model ? model->filePath(toSource(index)) : QString();
}

QModelIndex FolderTreeModel::indexForPath(const QString& path) {
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    if (!QFileInfo(clean).isDir()) return {};
    Source* model = sourceOf(Branch::Root);
    for (const Anchor& anchor : m_anchors)
        if (anchor.source->branch == Branch::Home && isInside(clean, anchor.label)) model = anchor.source;
    QModelIndex found = model->index(clean);
    if (!found.isValid()) {
        // The path passes through a folder the filter leaves out. A new
        // filter waits for the next sort; sorting now applies it at once.
        for (auto& source : m_sources) {
            source->setFilter(kFolders | QDir::Hidden);
            source->sort(0);
        }
        found = model->index(clean);
    }
    return fromSource(*model, found);
}

void FolderTreeModel::connectSource(Source& source) {
    Source* s = &source;
    // Removing a branch's top folder leaves nothing to map its rows to: the
    // whole tree starts over.
    auto removesTop = [this, s](const QModelIndex& parent, int first, int last) {
        auto hit = [&](const QPersistentModelIndex& top) {
            for (QModelIndex up = top; up.isValid(); up = up.parent())
                if (up.parent() == parent && up.row() >= first && up.row() <= last) return true;
            return false;
        };
        if (s->branch == Branch::Desktop) return hit(m_desktop);
        for (const Anchor& anchor : m_anchors)
            if (anchor.source == s && hit(anchor.index)) return true;
        return false;
    };
    connect(s, &QAbstractItemModel::rowsAboutToBeInserted, this, [this, s](const QModelIndex& parent, int first, int last) {
        const QModelIndex at = fromSource(*s, parent);
        s->pending = at.isValid() ? Source::Pending::Rows : Source::Pending::None;
        if (at.isValid()) beginInsertRows(at, first, last);
    });
    connect(s, &QAbstractItemModel::rowsInserted, this, [this, s] {
        if (s->pending == Source::Pending::Rows) endInsertRows();
        s->pending = Source::Pending::None;
    });
    connect(s, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this, s, removesTop](const QModelIndex& parent, int first, int last) {
                if (removesTop(parent, first, last)) {
                    s->pending = Source::Pending::Reset;
                    beginResetModel();
                    return;
                }
                const QModelIndex at = fromSource(*s, parent);
                s->pending = at.isValid() ? Source::Pending::Rows : Source::Pending::None;
                if (at.isValid()) beginRemoveRows(at, first, last);
            });
    connect(s, &QAbstractItemModel::rowsRemoved, this, [this, s] {
        if (s->pending == Source::Pending::Rows) endRemoveRows();
        if (s->pending == Source::Pending::Reset) endResetModel();
        s->pending = Source::Pending::None;
        forgetRemovedFolders();
    });
    connect(s, &QAbstractItemModel::dataChanged, this,
            [this, s](const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles) {
                if (topLeft.column() > 0) return;
                const QModelIndex first = fromSource(*s, topLeft);
                const QModelIndex last = fromSource(*s, bottomRight.sibling(bottomRight.row(), 0));
                if (first.isValid() && last.isValid() && first.parent() == last.parent())
                    Q_EMIT dataChanged(first, last, roles);
            });
    // The views' persistent indexes follow their source folders: the source
    // moves its own persistent indexes, so one is kept for each while the
    // layout changes. The parents' ids stay as they are.
    connect(s, &QAbstractItemModel::layoutAboutToBeChanged, this, [this, s] {
        Q_EMIT layoutAboutToBeChanged();
        for (const QModelIndex& proxy : persistentIndexList())
            if (proxy.internalId() >= kFirstFolderId && sourceOf(proxy) == s)
                m_layoutKeep.emplace_back(proxy, toSource(proxy));
    });
    connect(s, &QAbstractItemModel::layoutChanged, this, [this, s] {
        for (const auto& [proxy, source] : m_layoutKeep) changePersistentIndex(proxy, fromSource(*s, source));
        m_layoutKeep.clear();
        Q_EMIT layoutChanged();
    });
    connect(s, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
    connect(s, &QAbstractItemModel::modelReset, this, [this, s] {
        if (s->branch == Branch::Desktop) m_desktop = s->index(m_desktopPath);
        for (Anchor& anchor : m_anchors)
            if (anchor.source == s) anchor.index = s->index(anchor.label);
        forgetRemovedFolders();
        endResetModel();
    });
    connect(s, &QFileSystemModel::directoryLoaded, this, &FolderTreeModel::folderLoaded);
}

}  // namespace quillory::ui
