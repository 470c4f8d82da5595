#pragma once
// The source-folder tree: two roots, "Desktop" (the user's desktop folder
// and the folders in it) and "My Computer" (the home folder and the file
// system's root). A folder's sub-folders are read when it is first expanded.
#include <QString>
#include <QTreeWidget>

namespace quillory::ui {

class FolderTree : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr const char* kDesktop = "Desktop";
    static constexpr const char* kMyComputer = "My Computer";
    static constexpr int kDesktopDirectory = 16;

    explicit FolderTree(QWidget* parent = nullptr);

    // The selected folder's path, or the name of a root: "Desktop" or
    // "My Computer". Empty when nothing is selected.
    QString selectedFolder() const;
    // Expands the tree down to `path` and selects the deepest folder of it
    // that exists.
    void setSelectedFolder(const QString& path);
    // The file-system path of a special folder; only the desktop folder (16)
    // is known.
    static QString specialFolderPath(int id);

Q_SIGNALS:
    // Every change of the selection, by mouse, keyboard or setSelectedFolder.
    void selectionChanged();

private:
    QTreeWidgetItem* addFolder(QTreeWidgetItem* parent, const QString& label, const QString& path);
    void fillChildren(QTreeWidgetItem* item);
    QTreeWidgetItem* m_root = nullptr;  // "/" below My Computer
};

}  // namespace quillory::ui
