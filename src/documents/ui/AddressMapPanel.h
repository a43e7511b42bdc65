#pragma once

#include "core/FileDialogs.h"
#include "core/Session.h"
#include "documents/AddressMap.h"

#include <QWidget>

#include <string>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QTableWidget;

namespace vexa {

// The address map of a layout folder, for the "Layout" window: every address in use with the
// module and pin that answer to it (as `addresses` prints them), the rows of a conflict marked,
// and the conflicts listed below. "Address Map of Folder..." maps another folder; "Export
// Sheet..." writes the layout's configuration sheet.
class AddressMapPanel : public QWidget {
    Q_OBJECT
public:
    AddressMapPanel(Session& session, FileDialogs& dialogs, QWidget* parent = nullptr);

    // Reads the folder's layout and shows its map; says in the panel why when it cannot.
    void showFolder(const std::string& folder);
    const std::string& folder() const { return folder_; }

private:
    void chooseFolder();
    void exportSheet();
    void showEntries(const std::vector<AddressEntry>& entries, int numberingBase);

    Session& session_;
    FileDialogs& dialogs_;
    std::string folder_;
    QLabel* caption_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QPlainTextEdit* conflicts_ = nullptr;
};

} // namespace vexa
