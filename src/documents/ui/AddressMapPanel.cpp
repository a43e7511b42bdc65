#include "documents/ui/AddressMapPanel.h"

#include "core/ui/NamedButton.h"
#include "core/ui/Utf8Text.h"
#include "documents/DocumentFiles.h"
#include "model/TextEncoding.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>

namespace vexa {

namespace {

enum Column { AddressColumn, ModuleColumn, PinColumn, DescriptionColumn, ConflictColumn, ColumnCount };

} // namespace

AddressMapPanel::AddressMapPanel(Session& session, FileDialogs& dialogs, QWidget* parent)
    : QWidget(parent), session_(session), dialogs_(dialogs) {
    setObjectName(QStringLiteral("AddressMapPanel"));
    caption_ = new QLabel(this);
    caption_->setObjectName(QStringLiteral("LabelAddressMap"));
    caption_->setWordWrap(true);
    auto* choose =
        NamedButton(QStringLiteral("CommandAddressMapFolder"), QStringLiteral("Address Map of Folder..."), this);
    auto* sheet = NamedButton(QStringLiteral("CommandLayoutSheet"), QStringLiteral("Export Sheet..."), this);
    sheet->setToolTip(QStringLiteral("The configuration sheet of the layout: its address map, then every controller"));
    connect(choose, &QPushButton::clicked, this, &AddressMapPanel::chooseFolder);
    connect(sheet, &QPushButton::clicked, this, &AddressMapPanel::exportSheet);

    grid_ = new QTableWidget(0, ColumnCount, this);
    grid_->setObjectName(QStringLiteral("GridAddressMap"));
    grid_->setAccessibleName(QStringLiteral("Address map"));
    grid_->setHorizontalHeaderLabels({QStringLiteral("Address"), QStringLiteral("Module"), QStringLiteral("Pin"),
                                      QStringLiteral("Description"), QStringLiteral("Conflict")});
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setStretchLastSection(true);

    conflicts_ = new QPlainTextEdit(this);
    conflicts_->setObjectName(QStringLiteral("txtAddressConflicts"));
    conflicts_->setAccessibleName(QStringLiteral("Address conflicts"));
    conflicts_->setReadOnly(true);
    conflicts_->setMaximumHeight(conflicts_->fontMetrics().lineSpacing() * 5);

    auto* top = new QHBoxLayout;
    top->addWidget(caption_, 1);
    top->addWidget(choose);
    top->addWidget(sheet);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(grid_, 1);
    layout->addWidget(conflicts_);
    showFolder({});
}

void AddressMapPanel::showFolder(const std::string& folder) {
    folder_ = folder;
    grid_->setRowCount(0);
    conflicts_->clear();
    if (folder.empty()) {
        caption_->setText(QStringLiteral("Address map: no layout folder chosen"));
        return;
    }
    BoardSet set;
    std::string problem;
    if (!ReadBoards({folder}, session_.numberingBase, 0, set, problem)) {
        caption_->setText(QStringLiteral("Address map of %1: none").arg(FromUtf8(folder)));
        conflicts_->setPlainText(FromUtf8(problem).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        return;
    }
    const std::vector<AddressEntry> entries = MapAddresses(set);
    showEntries(entries, set.numberingBase);
    const auto conflicts =
        std::count_if(entries.begin(), entries.end(), [](const AddressEntry& e) { return e.conflict(); });
    caption_->setText(QStringLiteral("Address map of %1 (%2 controllers): %3")
                          .arg(FromUtf8(folder))
                          .arg(set.boards.size())
                          .arg(conflicts == 0   ? QStringLiteral("no address conflicts")
                               : conflicts == 1 ? QStringLiteral("1 conflict")
                                                : QStringLiteral("%1 conflicts").arg(conflicts)));
}

void AddressMapPanel::showEntries(const std::vector<AddressEntry>& entries, int numberingBase) {
    QStringList conflictLines;
    QFont bold = grid_->font();
    bold.setBold(true);
    QColor tint = palette().color(QPalette::Highlight);
    tint.setAlpha(60);
    for (const AddressEntry& entry : entries) {
        const QString address =
            QStringLiteral("%1 %2").arg(QLatin1String(AddressKindWords(entry.kind))).arg(entry.address);
        if (entry.conflict())
            conflictLines << FromUtf8(ConflictLine(entry, numberingBase));
        for (const AddressUser& user : entry.users) {
            const int row = grid_->rowCount();
            grid_->insertRow(row);
            const std::array<QString, ColumnCount> cells{
                address, QString::number(user.module + numberingBase), QString::number(user.pin + numberingBase),
                FromUtf8(Utf8FromLatin1(user.description)), entry.conflict() ? QStringLiteral("conflict") : QString()};
            for (int c = 0; c < ColumnCount; ++c) {
                auto* item = new QTableWidgetItem(cells[static_cast<std::size_t>(c)]);
                if (entry.conflict()) {
                    item->setFont(bold);
                    item->setBackground(tint);
                    item->setToolTip(conflictLines.back());
                }
                grid_->setItem(row, c, item);
            }
        }
    }
    grid_->resizeColumnsToContents();
    conflicts_->setPlainText(conflictLines.isEmpty() ? QStringLiteral("No address conflicts")
                                                     : conflictLines.join(QLatin1Char('\n')));
}

void AddressMapPanel::chooseFolder() {
    const std::string chosen = dialogs_.folderName("Address Map of Folder");
    if (!chosen.empty())
        showFolder(chosen);
}

void AddressMapPanel::exportSheet() {
    if (folder_.empty())
        chooseFolder();
    if (folder_.empty())
        return;
    BoardSet set;
    std::string problem;
    if (!ReadBoards({folder_}, session_.numberingBase, 0, set, problem)) {
        session_.prompter.ask(MessageKind::OkError, problem);
        return;
    }
    const std::string path = dialogs_.saveFileName(SheetFileFilter);
    if (!path.empty())
        ExportSheet(session_, set, path);
}

} // namespace vexa
