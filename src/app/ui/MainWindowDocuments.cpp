// The window's configuration on paper and in a table: "Print...", "Export Sheet...", "Export
// Table..." of the File menu, and the address map of the Layout window's folder.
#include "app/ui/MainWindow.h"

#include "core/OperationGuard.h"
#include "documents/DocumentFiles.h"
#include "documents/SheetContent.h"
#include "documents/ui/AddressMapPanel.h"
#include "documents/ui/SheetPrinting.h"
#include "layout/ui/LayoutWindow.h"

#include <QFileInfo>

namespace vexa {

namespace {

// The window's configuration as one board, named by its file (or by its module address).
BoardSet WindowBoards(const Session& session, const std::string& file) {
    const std::string title = file.empty()
                                  ? "Module " + std::to_string(session.link.moduleAddress + session.numberingBase)
                                  : QFileInfo(QString::fromStdString(file)).fileName().toStdString();
    BoardSet set = SessionBoards(session, title);
    if (!file.empty())
        set.boards.front().fileName = file;
    return set;
}

} // namespace

void MainWindow::printSheet() {
    if (RefusedWhileRunning(session_)) // the image is half read or half written
        return;
    commitAllViews();
    PrintSheetWithDialog(MakeConfigurationSheet(WindowBoards(session_, currentFile_), TodayText()), this);
}

void MainWindow::exportSheet() {
    if (RefusedWhileRunning(session_))
        return;
    commitAllViews();
    const std::string path = dialogs_.saveFileName(SheetFileFilter);
    if (!path.empty())
        ExportSheet(session_, WindowBoards(session_, currentFile_), path);
}

void MainWindow::exportTable() {
    if (RefusedWhileRunning(session_))
        return;
    commitAllViews();
    const std::string path = dialogs_.saveFileName(PinTableFileFilter);
    if (!path.empty())
        ExportPinTable(session_, WindowBoards(session_, currentFile_), path);
}

void MainWindow::addAddressMap(LayoutWindow& window) {
    auto* map = new AddressMapPanel(session_, dialogs_, &window);
    window.addPanel(map);
    // The map shows the window's folder afresh after each of its operations.
    const auto follow = [&window, map] {
        if (!window.folder().empty())
            map->showFolder(window.folder());
    };
    connect(&window, &LayoutWindow::tableShown, map, follow);
    follow();
}

} // namespace vexa
