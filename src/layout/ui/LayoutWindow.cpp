#include "layout/ui/LayoutWindow.h"

#include "core/ui/AccessibleNames.h"
#include "core/ui/Mnemonics.h"
#include "core/ui/NamedButton.h"
#include "core/ui/Utf8Text.h"
#include "core/ui/WindowFit.h"
#include "layout/LayoutFile.h"
#include "layout/ui/LayoutProgress.h"
#include "link/LinkAddress.h"
#include "module/Identity.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>

namespace vexa {

namespace {

enum Column { AddressColumn, IdColumn, VersionColumn, BackupColumn, VerificationColumn, ColumnCount };

QString FromLatin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The date of the row's backup in the folder; when the backup there is of a board with another
// ID string, that ID string; "" when there is none or the board's own ID string is not known.
QString BackupCell(const std::string& folder, const LayoutRow& row) {
    if (folder.empty() || row.backupFile.empty() || row.idUnread)
        return {};
    if (!row.hasOwnBackup())
        return QStringLiteral("backup of ") + FromUtf8(QuotedIdString(row.backupId));
    const QFileInfo file(QDir(QString::fromStdString(folder)).filePath(QString::fromStdString(row.backupFile)));
    return file.exists() ? file.lastModified().toString(QStringLiteral("yyyy-MM-dd HH:mm")) : QString();
}

} // namespace

LayoutWindow::LayoutWindow(Session& session, OperationRunner& runner, FileDialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session), runner_(runner), dialogs_(dialogs) {
    setObjectName(QStringLiteral("frmLayout"));
    setWindowTitle(QStringLiteral("Layout"));

    grid_ = new QTableWidget(0, ColumnCount, this);
    grid_->setObjectName(QStringLiteral("GridModules"));
    grid_->setHorizontalHeaderLabels({QStringLiteral("Module"), QStringLiteral("ID String"), QStringLiteral("Version"),
                                      QStringLiteral("Last Backup"), QStringLiteral("Verification")});
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setToolTip(QStringLiteral("Double-click a controller to read it into the main window"));
    grid_->installEventFilter(this);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { chooseRow(row); });

    auto* buttons = new QHBoxLayout;
    auto* scanButton = NamedButton("CommandLayoutScan", "Scan", this);
    auto* backUpButton = NamedButton("CommandLayoutBackUp", "Back Up All...", this);
    auto* verifyButton = NamedButton("CommandLayoutVerify", "Verify All Modules", this);
    auto* restoreButton = NamedButton("CommandLayoutRestore", "Restore...", this);
    for (QPushButton* button : {scanButton, backUpButton, verifyButton, restoreButton})
        buttons->addWidget(button);
    buttons->addStretch(1);
    connect(scanButton, &QPushButton::clicked, this, &LayoutWindow::scan);
    connect(backUpButton, &QPushButton::clicked, this, &LayoutWindow::backUp);
    connect(verifyButton, &QPushButton::clicked, this, &LayoutWindow::verify);
    connect(restoreButton, &QPushButton::clicked, this, &LayoutWindow::restore);

    folderLabel_ = new QLabel(this);
    folderLabel_->setObjectName(QStringLiteral("LabelLayoutFolder"));
    report_ = new QPlainTextEdit(this);
    report_->setObjectName(QStringLiteral("txtLayoutReport"));
    report_->setAccessibleName(QStringLiteral("Layout report"));
    report_->setReadOnly(true);
    progress_ = new LayoutProgress(runner_, this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(grid_, 2);
    layout->addWidget(folderLabel_);
    layout->addWidget(report_, 1);
    layout->addWidget(progress_);
    showTable();
    giveMnemonics();
    resize(FittedWindowSize(QSize(720, 460), screen()->availableGeometry()));
    NameForScreenReaders(this);
}

void LayoutWindow::addPanel(QWidget* panel) {
    static_cast<QVBoxLayout*>(layout())->addWidget(panel, 2);
    giveMnemonics();
    resize(FittedWindowSize(QSize(width(), height() + 260), screen()->availableGeometry()));
    NameForScreenReaders(this);
}

// Alt+letter for the window's buttons and frames; those given before keep theirs.
void LayoutWindow::giveMnemonics() {
    QSet<QChar> taken;
    GiveMnemonics(this, taken);
}

bool LayoutWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && grid_->currentRow() >= 0) {
            chooseRow(grid_->currentRow());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void LayoutWindow::scan() {
    std::vector<LayoutModule> found;
    const auto passed = progress_->run("Scan", [&found](Session& session) { return ScanLayout(session, found); });
    if (!passed)
        return; // another operation runs: said in the progress line, the table stays
    std::vector<std::string> lines;
    for (const LayoutModule& module : found)
        lines.push_back(ScanLine(session_, module));
    if (!*passed) {
        lines.push_back("The scan did not finish: the table is as before.");
        showReport(lines);
        return;
    }
    table_.showFound(found);
    if (found.empty())
        lines.push_back("No controller answered.");
    showReport(lines);
    showTable();
}

bool LayoutWindow::chooseFolder(const char* caption, bool ask) {
    if (!ask && !folder_.empty())
        return true;
    const std::string chosen = dialogs_.folderName(caption);
    if (chosen.empty())
        return false;
    folder_ = chosen;
    olderBase_.reset();
    return true;
}

std::optional<std::vector<ModuleResult>> LayoutWindow::runOnFolder(const char* title, bool ask,
                                                                   const FolderOperation& operation) {
    if (progress_->refusedWhileBusy() || !chooseFolder(title, ask))
        return std::nullopt;
    showTable(); // the folder it works on
    const std::string folder = folder_;
    std::vector<ModuleResult> results;
    if (!progress_->run(
            title, [&results, &operation, folder](Session& session) { return operation(session, folder, results); }))
        return std::nullopt;
    std::vector<std::string> lines;
    for (const ModuleResult& result : results)
        for (const std::string& line : ResultLines(session_, result))
            lines.push_back(line);
    showReport(lines);
    return results;
}

std::optional<std::vector<ModuleResult>> LayoutWindow::runOnListed(const char* title, bool ask,
                                                                   ListedOperation operation) {
    const OlderLayoutBase base = [this](const std::string& path) { return olderBase(path); };
    return runOnFolder(
        title, ask,
        [operation, &base](Session& session, const std::string& folder, std::vector<ModuleResult>& results) {
            return operation(session, folder, base, results);
        });
}

std::optional<int> LayoutWindow::olderBase(const std::string& layoutPath) {
    if (!olderBase_)
        olderBase_ = session_.prompter.ask(
                         MessageKind::YesNo,
                         "The layout file " + layoutPath +
                             " was written by an earlier version: it lists the modules as they were shown, without "
                             "the numbering base.\r\n\r\nWere the modules numbered from 1 (\"Start numbering at "
                             "1\" checked) when it was made?\r\nYes: numbered from 1.  No: numbered from 0.")
                         ? 1
                         : 0;
    return olderBase_;
}

void LayoutWindow::backUp() {
    if (const auto results = runOnFolder("Back Up All", true, BackupLayout)) {
        table_.showBackup(*results); // a backup that found nothing leaves the rows
        showTable();
    }
}

void LayoutWindow::verify() {
    if (const auto results = runOnListed("Verify All Modules", false, VerifyLayout)) {
        table_.showOutcomes(*results);
        showTable();
    }
}

void LayoutWindow::restore() {
    if (const auto results = runOnListed("Restore", true, RestoreLayout)) {
        table_.showOutcomes(*results);
        showTable();
    }
}

void LayoutWindow::chooseRow(int row) {
    if (row < 0 || row >= static_cast<int>(table_.rows().size()))
        return;
    emit moduleChosen(table_.rows()[static_cast<std::size_t>(row)].address);
}

std::vector<LayoutEntry> LayoutWindow::folderEntries() const {
    std::string bytes;
    std::string problem;
    LayoutListing listing;
    if (folder_.empty() || !ReadLayoutBytes(folder_, bytes, problem) ||
        !ParseLayoutFile(bytes, olderBase_, HighestTunnelModuleAddress, listing, problem))
        return {}; // no usable list there (an older one whose base is not known yet): no backups shown
    return listing.entries;
}

void LayoutWindow::showTable() {
    // The folder's own list says which data file belongs to which address.
    table_.showFolder(folderEntries());

    const auto& rows = table_.rows();
    grid_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const LayoutRow& row = rows[static_cast<std::size_t>(r)];
        const std::array<QString, ColumnCount> cells{
            QString::number(row.address + session_.numberingBase),
            row.idUnread ? QStringLiteral("(not read)") : FromLatin1(row.idString), FromLatin1(row.version),
            BackupCell(folder_, row),
            row.verification ? QString::fromLatin1(OutcomeWord(*row.verification)) : QString()};
        for (int c = 0; c < ColumnCount; ++c)
            grid_->setItem(r, c, new QTableWidgetItem(cells[static_cast<std::size_t>(c)]));
    }
    grid_->resizeColumnsToContents();
    folderLabel_->setText(QStringLiteral("Folder: ") +
                          (folder_.empty() ? QStringLiteral("none chosen") : QString::fromStdString(folder_)));
    emit tableShown();
}

void LayoutWindow::showReport(const std::vector<std::string>& lines) {
    QString text;
    for (const std::string& line : lines)
        text += FromUtf8(line) + QLatin1Char('\n');
    report_->setPlainText(text);
}

} // namespace vexa
