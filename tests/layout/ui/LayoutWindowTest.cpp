// The "Layout" window on the main window, against the simulated layout of three controllers.

#include "layout/ui/LayoutWindow.h"

#include "sim/DemoConfiguration.h"
#include "sim/SimBus.h"
#include "sim/Simulator.h"

#include "ui/WindowBench.h"

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vexa {
namespace {

// Presses and double-clicks the middle of a cell, as a hand does.
void DoubleClickCell(QTableWidget* grid, int row) {
    const QPointF at = grid->visualItemRect(grid->item(row, 0)).center();
    QWidget* viewport = grid->viewport();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                              QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    }
}

class LayoutWindowTest : public ::testing::Test, protected test::WindowBench {
protected:
    LayoutWindowTest() : WindowBench({"ttyS0", LayoutSimulatorPortName}) {
        ports.factory = [this](const std::string&) { return MakeSimLinePort(bus); };
        auto* combo = find<QComboBox>("ComboPort");
        const int index = combo->findText(QString::fromLatin1(LayoutSimulatorPortName));
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        find<QPushButton>("CommandLayout")->click();
        layout = find<LayoutWindow>("frmLayout");
        grid = find<QTableWidget>("GridModules");
    }

    void press(const char* button) { find<QPushButton>(button)->click(); }
    QString cell(int row, int column) { return grid->item(row, column) ? grid->item(row, column)->text() : QString(); }
    QString column(int c) {
        QStringList cells;
        for (int row = 0; row < grid->rowCount(); ++row)
            cells << cell(row, c);
        return cells.join(QLatin1Char('|'));
    }

    std::shared_ptr<SimBus> bus = MakeDemoLayout();
    LayoutWindow* layout = nullptr;
    QTableWidget* grid = nullptr;
    QTemporaryDir folder;
};

TEST_F(LayoutWindowTest, ScanBackUpVerifyAndReadABoardByDoubleClick) {
    ASSERT_TRUE(layout && layout->isVisible());
    press("CommandLayoutScan");
    EXPECT_EQ(column(0), "1|2|5");
    EXPECT_EQ(column(1), "Station|Goods Yard|Main Signals");
    EXPECT_EQ(column(2), "3.1.0.12|3.1.0.12|3.1.0.12");

    dialogs.names = {folder.path().toStdString()};
    press("CommandLayoutBackUp");
    EXPECT_FALSE(cell(0, 3).isEmpty());
    EXPECT_FALSE(cell(2, 3).isEmpty());
    EXPECT_EQ(layout->folder(), folder.path().toStdString());

    bus->at(4)->setting(SettingLedGreen) = {1};
    press("CommandLayoutVerify"); // on the folder of the backup: no dialog
    EXPECT_EQ(column(4), "compares|compares|differs");
    EXPECT_TRUE(find<QPlainTextEdit>("txtLayoutReport")
                    ->toPlainText()
                    .contains(QStringLiteral("Module 5 \"Main Signals\": does not compare\n  Green LED")));
    EXPECT_TRUE(prompter.messages.empty()) << prompter.last();

    // Reading board 2 asks first while the configuration holds an edit.
    window->session().image.module.idString = "Edited";
    int asked = 0;
    MainWindow::SaveChoice answer = MainWindow::SaveChoice::Cancel;
    window->setSaveQuestion([&] {
        ++asked;
        return answer;
    });
    DoubleClickCell(grid, 1);
    window->dispatchPending();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(window->session().link.moduleAddress, 0);
    EXPECT_EQ(window->session().image.module.idString, "Edited");

    answer = MainWindow::SaveChoice::Discard;
    DoubleClickCell(grid, 1);
    window->dispatchPending();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(window->session().link.moduleAddress, 1);
    EXPECT_EQ(window->session().image.module.idString, "Goods Yard");
    EXPECT_TRUE(prompter.messages.empty()) << prompter.last();
}

} // namespace
} // namespace vexa
