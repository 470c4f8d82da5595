#pragma once
// The source-folder tree: two roots, "Desktop" (the user's desktop folder
// and the folders in it) and "My Computer" (the home folder and the file
// system's root). Folders are read lazily, off the GUI thread, by the model
// in folder_tree_model.h; hidden folders stay out until the user picks one.
#include <QPersistentModelIndex>
#include <QString>
#include <QTreeView>

namespace quillory::ui {

class FolderTreeModel;

class FolderTree : public QTreeView {
    Q_OBJECT
public:
    static constexpr const char* kDesktop = "Desktop";
    static constexpr const char* kMyComputer = "My Computer";
    static constexpr int kDesktopDirectory = 16;

    explicit FolderTree(QWidget* parent = nullptr);

    // The selected folder's path, or the name of a root: "Desktop" or
    // "My Computer". Empty when nothing is selected.
    QString selectedFolder() const;
    // Expands the tree down to `path`, or the deepest folder of it that
    // exists, selects it and scrolls it into view.
    void setSelectedFolder(const QString& path);
    // The file-system path of a special folder; only the desktop folder (16)
    // is known.
    static QString specialFolderPath(int id);

Q_SIGNALS:
    // Every change of the selection, by mouse, keyboard or setSelectedFolder.
    void selectionChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    FolderTreeModel* m_model = nullptr;
    QPersistentModelIndex m_keepInView;  // the folder setSelectedFolder chose
};

}  // namespace quillory::ui
