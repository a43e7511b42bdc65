#pragma once

#include "core/FileDialogs.h"
#include "core/OperationRunner.h"
#include "core/Session.h"
#include "layout/LayoutOperations.h"
#include "layout/LayoutTable.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QTableWidget;

namespace vexa {

class LayoutProgress;

// The "Layout" window: the controllers of the last scan with their module address, ID string,
// version, the date of their last backup in the chosen folder (when that backup is of a board
// with the same ID string; else the backup's ID string) and the outcome of their last
// verification; "Scan", "Back Up All...", "Verify All Modules" and "Restore...". Every button
// runs its layout operation through the runner; the window's own progress line shows it and
// stops it ("Stop", Escape). A button clicked while another operation runs is refused there
// and the table stays. An older layout.txt, which does not record its numbering base, is read
// with the base the user answers. Double-clicking a row (or Enter on it) asks the main window
// to read that controller.
class LayoutWindow : public QWidget {
    Q_OBJECT
public:
    LayoutWindow(Session& session, OperationRunner& runner, FileDialogs& dialogs, QWidget* parent = nullptr);

    // The folder of the last backup, verification or restore ("" until one is chosen).
    const std::string& folder() const { return folder_; }
    // Adds a panel below the report (the address map of the folder).
    void addPanel(QWidget* panel);

signals:
    // The user picked the controller at this stored module address.
    void moduleChosen(int address);
    // The table was shown afresh, after an operation or another folder.
    void tableShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void giveMnemonics();
    void scan();
    void backUp();
    void verify();
    void restore();
    using FolderOperation = std::function<bool(Session&, const std::string&, std::vector<ModuleResult>&)>;
    using ListedOperation = bool (*)(Session&, const std::string&, const OlderLayoutBase&, std::vector<ModuleResult>&);

    // Asks for a folder when `ask` is set or none was chosen yet; false when cancelled.
    bool chooseFolder(const char* caption, bool ask);
    // Asks for the folder (see chooseFolder), runs a layout operation on it and shows its lines;
    // nothing when no folder was chosen or another operation runs.
    std::optional<std::vector<ModuleResult>> runOnFolder(const char* title, bool ask, const FolderOperation& operation);
    // The same for an operation on the controllers of the folder's layout.txt.
    std::optional<std::vector<ModuleResult>> runOnListed(const char* title, bool ask, ListedOperation operation);
    // The numbering base of the folder's older layout.txt: the user's answer, asked once per
    // chosen folder.
    std::optional<int> olderBase(const std::string& layoutPath);
    // What the chosen folder's layout.txt lists (nothing when it cannot be read).
    std::vector<LayoutEntry> folderEntries() const;
    void chooseRow(int row);
    void showTable();
    void showReport(const std::vector<std::string>& lines);

    Session& session_;
    OperationRunner& runner_;
    FileDialogs& dialogs_;
    LayoutTable table_;
    std::string folder_;
    std::optional<int> olderBase_; // the answered base of the folder's older layout.txt
    QTableWidget* grid_ = nullptr;
    QLabel* folderLabel_ = nullptr;
    QPlainTextEdit* report_ = nullptr;
    LayoutProgress* progress_ = nullptr;
};

} // namespace vexa
