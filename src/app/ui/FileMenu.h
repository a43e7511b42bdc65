#pragma once

#include <QMenu>
#include <QStringList>

#include <functional>

namespace vexa {

// The window's File menu: "Load File..." (Ctrl+O), "Save File" (Ctrl+S, to the current file),
// "Save File As..." (Ctrl+Shift+S), "Save Compact As...", the recent files (a file that is not
// there any more is greyed, its tooltip says so) and "Quit" (Ctrl+Q).
class FileMenu : public QMenu {
    Q_OBJECT
public:
    // `recentFiles` gives the list, most recent first, each time the menu opens.
    FileMenu(std::function<QStringList()> recentFiles, QWidget* parent);

    QAction* loadAction() const { return load_; }
    QAction* saveAction() const { return save_; }
    QAction* saveAsAction() const { return saveAs_; }
    QAction* saveCompactAction() const { return saveCompact_; }
    QAction* quitAction() const { return quit_; }
    // The separator above the recent files: actions of the window go before it.
    QAction* recentFilesStart() const { return recentStart_; }

    // Lists the recent files as they are now (the menu does this each time it opens).
    void showRecentFiles();

signals:
    void recentFileChosen(const QString& path);

private:
    std::function<QStringList()> recentFiles_;
    QAction* load_;
    QAction* save_;
    QAction* saveAs_;
    QAction* saveCompact_;
    QAction* recentStart_;
    QAction* quit_;
    QList<QAction*> recent_;
};

} // namespace vexa
