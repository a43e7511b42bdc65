#include "layout/ui/LayoutWindow.h"

#include "layout/LayoutFile.h"
#include "link/LinkAddress.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>

namespace vexa {

namespace {

enum Column { AddressColumn, IdColumn, VersionColumn, BackupColumn, VerificationColumn, ColumnCount };

QString FromLatin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QPushButton* MakeButton(const char* caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

// The date of a data file of the folder, or "" when there is none.
QString BackupDate(const std::string& folder, const std::string& fileName) {
    if (folder.empty() || fileName.empty())
        return {};
    const QFileInfo file(QDir(QString::fromStdString(folder)).filePath(QString::fromStdString(fileName)));
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
    auto* scanButton = MakeButton("Scan", "CommandLayoutScan", this);
    auto* backUpButton = MakeButton("Back Up All...", "CommandLayoutBackUp", this);
    auto* verifyButton = MakeButton("Verify All Modules", "CommandLayoutVerify", this);
    auto* restoreButton = MakeButton("Restore...", "CommandLayoutRestore", this);
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
    report_->setReadOnly(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(grid_, 2);
    layout->addWidget(folderLabel_);
    layout->addWidget(report_, 1);
    showTable();
    resize(720, 460);
}

void LayoutWindow::addPanel(QWidget* panel) {
    static_cast<QVBoxLayout*>(layout())->addWidget(panel, 2);
    resize(width(), height() + 260);
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
    runner_.runNow("Scan", [&found](Session& session) { return ScanLayout(session, found); });
    table_.showFound(found);
    std::vector<std::string> lines;
    for (const LayoutModule& module : found)
        lines.push_back(ScanLine(session_, module));
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
    return true;
}

std::optional<std::vector<ModuleResult>> LayoutWindow::runOnFolder(const char* title, bool ask,
                                                                   bool (*operation)(Session&, const std::string&,
                                                                                     std::vector<ModuleResult>&)) {
    if (!chooseFolder(title, ask))
        return std::nullopt;
    const std::string folder = folder_;
    std::vector<ModuleResult> results;
    runner_.runNow(title,
                   [&results, operation, folder](Session& session) { return operation(session, folder, results); });
    std::vector<std::string> lines;
    for (const ModuleResult& result : results)
        for (const std::string& line : ResultLines(session_, result))
            lines.push_back(line);
    showReport(lines);
    return results;
}

void LayoutWindow::backUp() {
    if (const auto results = runOnFolder("Back Up All", true, BackupLayout)) {
        if (!results->empty())
            table_.showBackup(*results);
        showTable();
    }
}

void LayoutWindow::verify() {
    if (const auto results = runOnFolder("Verify All Modules", false, VerifyLayout)) {
        table_.showOutcomes(*results);
        showTable();
    }
}

void LayoutWindow::restore() {
    if (const auto results = runOnFolder("Restore", true, RestoreLayout)) {
        table_.showOutcomes(*results);
        showTable();
    }
}

void LayoutWindow::chooseRow(int row) {
    if (row < 0 || row >= static_cast<int>(table_.rows().size()))
        return;
    emit moduleChosen(table_.rows()[static_cast<std::size_t>(row)].address);
}

void LayoutWindow::showTable() {
    // The folder's own list says which data file belongs to which address.
    std::vector<LayoutEntry> listed;
    std::string problem;
    if (!folder_.empty() &&
        !ReadLayoutFile(folder_, session_.numberingBase, HighestTunnelModuleAddress, listed, problem))
        listed.clear(); // no usable list there: no backup dates
    table_.showFolder(listed);

    const auto& rows = table_.rows();
    grid_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const LayoutRow& row = rows[static_cast<std::size_t>(r)];
        const std::array<QString, ColumnCount> cells{
            QString::number(row.address + session_.numberingBase), FromLatin1(row.idString), FromLatin1(row.version),
            BackupDate(folder_, row.backupFile),
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
        text += QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())) + QLatin1Char('\n');
    report_->setPlainText(text);
}

} // namespace vexa
