#pragma once

#include "core/FileDialogs.h"
#include "core/OperationRunner.h"
#include "core/Session.h"
#include "layout/LayoutTable.h"

#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QTableWidget;

namespace vexa {

// The "Layout" window: the controllers of the last scan with their module address, ID string,
// version, the date of their last backup in the chosen folder and the outcome of their last
// verification; "Scan", "Back Up All...", "Verify All Modules" and "Restore...". Every button
// runs its layout operation through the runner (progress and "Stop" as for every operation).
// Double-clicking a row (or Enter on it) asks the main window to read that controller.
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
    void scan();
    void backUp();
    void verify();
    void restore();
    // Asks for a folder when `ask` is set or none was chosen yet; false when cancelled.
    bool chooseFolder(const char* caption, bool ask);
    // Asks for the folder (see chooseFolder), runs a layout operation on it and shows its lines;
    // nothing when no folder was chosen.
    std::optional<std::vector<ModuleResult>> runOnFolder(const char* title, bool ask,
                                                         bool (*operation)(Session&, const std::string&,
                                                                           std::vector<ModuleResult>&));
    void chooseRow(int row);
    void showTable();
    void showReport(const std::vector<std::string>& lines);

    Session& session_;
    OperationRunner& runner_;
    FileDialogs& dialogs_;
    LayoutTable table_;
    std::string folder_;
    QTableWidget* grid_ = nullptr;
    QLabel* folderLabel_ = nullptr;
    QPlainTextEdit* report_ = nullptr;
};

} // namespace vexa
