// The sheet, the table and the address map in the window: the File menu's "Print...",
// "Export Sheet..." and "Export Table...", and the address map in the "Layout" window.

#include "documents/SheetContent.h"
#include "documents/SheetLayout.h"
#include "documents/ui/SheetPrinting.h"
#include "layout/ui/LayoutWindow.h"
#include "sim/DemoConfiguration.h"
#include "sim/SimBus.h"

#include "ui/WindowBench.h"

#include "WholeFile.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace vexa {
namespace {

// A temporary folder for the files the window writes.
struct TemporaryFolder {
    std::string path() const { return dir.path().toStdString(); }
    std::string file(const char* name) const { return dir.filePath(QLatin1String(name)).toStdString(); }
    QTemporaryDir dir;
};

class SheetWindowTest : public ::testing::Test, protected test::WindowBench {
protected:
    QAction* action(const char* name) { return find<QMenu>("MenuFile")->findChild<QAction*>(QLatin1String(name)); }

    TemporaryFolder folder;
};

TEST_F(SheetWindowTest, TheFileMenuExportsTheWindowsConfigurationAsSheetAndTable) {
    // The new entries have letters of their own in the File menu.
    QList<QChar> letters;
    for (QAction* entry : find<QMenu>("MenuFile")->actions()) {
        const qsizetype amp = entry->text().indexOf(QLatin1Char('&'));
        if (amp >= 0 && !entry->objectName().startsWith(QStringLiteral("ActionRecent")))
            letters << entry->text().at(amp + 1).toLower();
    }
    EXPECT_EQ(QSet<QChar>(letters.begin(), letters.end()).size(), letters.size()) << letters.size();
    ASSERT_TRUE(action("ActionPrint") && action("ActionExportSheet") && action("ActionExportTable"));
    EXPECT_EQ(action("ActionPrint")->shortcut(), QKeySequence(QKeySequence::Print));

    window->session().image.pins[2].description = "Platform lamp";
    dialogs.names = {folder.file("sheet.pdf"), folder.file("table.csv")};
    action("ActionExportSheet")->trigger();
    action("ActionExportTable")->trigger();
    EXPECT_TRUE(prompter.messages.empty()) << prompter.last();
    EXPECT_NE(test::ReadWholeFile(folder.file("sheet.pdf")).find("(Pin 3 \"Platform lamp\") Tj"), std::string::npos);
    const std::string table = test::ReadWholeFile(folder.file("table.csv"));
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 1 + PinCount);
    EXPECT_NE(table.find("\r\n1,,3,Platform lamp,,Clear,"), std::string::npos) << table;

    // A sheet named for no format is refused, and nothing is written.
    dialogs.names = {folder.file("sheet.txt")};
    action("ActionExportSheet")->trigger();
    EXPECT_NE(prompter.last().find("must end in .pdf or .html"), std::string::npos) << prompter.last();
    EXPECT_EQ(QDir(QString::fromStdString(folder.path())).entryList(QDir::Files),
              (QStringList{QStringLiteral("sheet.pdf"), QStringLiteral("table.csv")}));
}

TEST_F(SheetWindowTest, PrintOpensThePrintDialogAndPrintsTheSheetsPages) {
    bool dialogShown = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
            dialogShown = dialog->objectName() == QStringLiteral("dlgPrintSheet");
            dialog->reject();
        }
    });
    poll.start(20);
    action("ActionPrint")->trigger();
    poll.stop();
    EXPECT_TRUE(dialogShown);

    // What the dialog's printer gets: the pages of the sheet laid out for its paper.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(folder.file("printed.pdf")));
    printer.setPageSize(QPageSize(QPageSize::Letter));
    BoardSet set = SessionBoards(window->session(), "printed");
    for (PinRecord& pin : set.boards.front().image.pins)
        pin.configType = 1;
    const SheetDocument sheet = MakeConfigurationSheet(set, "2024-05-01");
    const int pages = PrintSheet(printer, sheet);
    EXPECT_EQ(pages, static_cast<int>(LayOutSheet(sheet, PageWithMargins(612, 792)).size()));
    EXPECT_GT(pages, 1);
    const std::string pdf = test::ReadWholeFile(folder.file("printed.pdf"));
    EXPECT_NE(pdf.find("/Count " + std::to_string(pages)), std::string::npos);
}

// The window on the simulated layout of three controllers.
class LayoutMapTest : public ::testing::Test, protected test::WindowBench {
protected:
    LayoutMapTest() : WindowBench({"ttyS0", LayoutSimulatorPortName}) {
        ports.factory = [this](const std::string&) { return MakeSimLinePort(bus); };
        choosePort(LayoutSimulatorPortName);
    }

    std::shared_ptr<SimBus> bus = MakeDemoLayout();
    TemporaryFolder folder;
};

TEST_F(LayoutMapTest, TheLayoutWindowMapsTheAddressesOfItsFolderAndMarksTheConflicts) {
    LayoutWindow& layout = window->showLayoutWindow();
    dialogs.names = {folder.path()};
    layout.findChild<QPushButton*>(QStringLiteral("CommandLayoutBackUp"))->click();

    auto* grid = layout.findChild<QTableWidget*>(QStringLiteral("GridAddressMap"));
    ASSERT_NE(grid, nullptr);
    QStringList conflictRows;
    for (int row = 0; row < grid->rowCount(); ++row)
        if (grid->item(row, 4)->text() == QStringLiteral("conflict"))
            conflictRows << grid->item(row, 0)->text() + QLatin1Char('/') + grid->item(row, 1)->text();
    // Station (module 1) and Main Signals (module 5) both begin at basic address 1.
    EXPECT_TRUE(conflictRows.contains(QStringLiteral("DCC address 1/1")));
    EXPECT_TRUE(conflictRows.contains(QStringLiteral("DCC address 1/5")));
    EXPECT_FALSE(conflictRows.contains(QStringLiteral("DCC address 77/2")));
    const QString conflicts = layout.findChild<QPlainTextEdit*>(QStringLiteral("txtAddressConflicts"))->toPlainText();
    EXPECT_TRUE(conflicts.startsWith(QStringLiteral("DCC address 1: module 1 pin 1 and module 5 pin 1\n")))
        << conflicts.toStdString();

    // "Export Sheet..." of the panel: the layout's sheet, address map first.
    dialogs.names = {folder.file("layout.pdf")};
    layout.findChild<QPushButton*>(QStringLiteral("CommandLayoutSheet"))->click();
    const std::string pdf = test::ReadWholeFile(folder.file("layout.pdf"));
    EXPECT_LT(pdf.find("(Address map) Tj"), pdf.find("(Module 5 \"Main Signals\") Tj"));
}

} // namespace
} // namespace vexa
