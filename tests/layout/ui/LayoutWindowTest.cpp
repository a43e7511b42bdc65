// The "Layout" window on the main window, against the simulated layout of three controllers.

#include "layout/ui/LayoutWindow.h"

#include "sim/DemoConfiguration.h"
#include "sim/SimBus.h"
#include "sim/Simulator.h"

#include "ui/WindowBench.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>

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

// The layout's bus with a look before each byte it takes, on the thread of the operation.
class WatchedLine : public SimLine {
public:
    WatchedLine(std::shared_ptr<SimLine> line, const std::function<void()>& look)
        : line_(std::move(line)), look_(look) {}
    std::optional<SimulatorAnswer> receive(std::uint8_t byte) override {
        if (look_)
            look_();
        return line_->receive(byte);
    }
    std::chrono::nanoseconds byteTime() const override { return line_->byteTime(); }

private:
    std::shared_ptr<SimLine> line_;
    const std::function<void()>& look_;
};

class LayoutWindowTest : public ::testing::Test, protected test::WindowBench {
protected:
    LayoutWindowTest() : WindowBench({"ttyS0", LayoutSimulatorPortName}) {
        ports.factory = [this](const std::string&) {
            return MakeSimLinePort(std::make_shared<WatchedLine>(bus, lookAtByte));
        };
        auto* combo = find<QComboBox>("ComboPort");
        const int index = combo->findText(QString::fromLatin1(LayoutSimulatorPortName));
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        find<QPushButton>("CommandLayout")->click();
        layout = find<LayoutWindow>("frmLayout");
        grid = find<QTableWidget>("GridModules");
    }

    void press(const char* button) { find<QPushButton>(button)->click(); }
    QString progressText() { return find<QLabel>("lblLayoutProgress")->text(); }
    // Runs `act` once, while an operation runs and the Layout window's progress shows a stage
    // that starts with `stage`.
    void atStage(const QString& stage, std::function<void()> act) {
        auto* timer = new QTimer(layout);
        QObject::connect(timer, &QTimer::timeout, layout, [this, timer, stage, act] {
            if (!progressText().startsWith(stage))
                return;
            timer->stop();
            timer->deleteLater();
            act();
        });
        timer->start(1);
    }

    QString cell(int row, int column) { return grid->item(row, column) ? grid->item(row, column)->text() : QString(); }
    QString column(int c) {
        QStringList cells;
        for (int row = 0; row < grid->rowCount(); ++row)
            cells << cell(row, c);
        return cells.join(QLatin1Char('|'));
    }

    std::shared_ptr<SimBus> bus = MakeDemoLayout();
    std::function<void()> lookAtByte; // set only while no operation runs
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

TEST_F(LayoutWindowTest, AButtonClickedDuringAnotherOperationIsRefusedThereAndTheTableStays) {
    press("CommandLayoutScan");
    ASSERT_EQ(grid->rowCount(), 3);
    dialogs.names = {folder.path().toStdString()};
    window->runNow("Read All", [this](Session&) {
        for (const char* button : {"CommandLayoutScan", "CommandLayoutVerify", "CommandLayoutRestore"})
            press(button);
        return true;
    });
    EXPECT_EQ(progressText(), QString::fromLatin1(OperationRunsText));
    EXPECT_EQ(column(1), "Station|Goods Yard|Main Signals");
    EXPECT_EQ(dialogs.names.size(), 1u); // no folder was asked for
    EXPECT_TRUE(prompter.messages.empty()) << prompter.last();
}

TEST_F(LayoutWindowTest, EscapeInTheLayoutWindowStopsBackUpAllAndTheRowsStay) {
    QApplication::setActiveWindow(layout);
    dialogs.names = {folder.path().toStdString()};
    bool stopShown = false;
    atStage(QStringLiteral("Module 2 "), [&] {
        stopShown = find<QPushButton>("cmdLayoutStop")->isVisible();
        QTest::keyClick(grid, Qt::Key_Escape);
    });
    press("CommandLayoutBackUp");
    EXPECT_TRUE(stopShown);
    const QDir saved(folder.path());
    EXPECT_TRUE(saved.exists(QStringLiteral("module-1.dat")));
    EXPECT_FALSE(saved.exists(QStringLiteral("module-5.dat")));
    EXPECT_FALSE(saved.exists(QStringLiteral("layout.txt")));
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"Stopped by the user"}));
    EXPECT_EQ(column(1), "Station|Goods Yard|Main Signals");
    EXPECT_FALSE(find<QPushButton>("cmdLayoutStop")->isVisible());
}

TEST_F(LayoutWindowTest, ABusThatFallsSilentDuringBackUpAllIsOneMessageAndTheRowsStay) {
    // The bus falls silent once the first controller has answered more than a scan asks of it:
    // as soon as its backup has begun.
    press("CommandLayoutScan");
    const std::size_t scanned = bus->at(0)->requests().size();
    bus->at(0)->clearRequests();
    std::atomic<bool> silent = false;
    lookAtByte = [this, scanned, &silent] {
        if (silent || bus->at(0)->requests().size() <= scanned)
            return;
        for (const auto& entry : bus->controllers())
            entry.second->injectFault(SimulatorFault::Drop, EveryAnswer);
        silent = true;
    };
    dialogs.names = {folder.path().toStdString()};
    press("CommandLayoutBackUp");
    lookAtByte = nullptr;
    ASSERT_EQ(prompter.messages.size(), 1u) << prompter.last();
    EXPECT_EQ(prompter.last(), "Back Up All did not save every controller:\r\n"
                               "Module 1 \"Station\": No response received\r\n"
                               "Module 2 \"Goods Yard\": No response received\r\n"
                               "Module 5 \"Main Signals\": No response received");
    EXPECT_TRUE(window->session().link.bidirectional);
    EXPECT_EQ(column(1), "Station|Goods Yard|Main Signals");
}

TEST_F(LayoutWindowTest, LastBackupIsShownForTheBoardItIsOfAndAnOlderListAsksItsBase) {
    dialogs.names = {folder.path().toStdString()};
    press("CommandLayoutBackUp");
    bus->at(4)->setIdString("Other"); // another board now at module 5
    press("CommandLayoutScan");
    EXPECT_FALSE(cell(0, 3).isEmpty());
    EXPECT_FALSE(cell(0, 3).startsWith(QStringLiteral("backup of")));
    EXPECT_EQ(cell(2, 3), "backup of \"Main Signals\"");
    // A board whose ID string does not come is not known to be another.
    bus->at(4)->injectPeriodicFault(SimulatorFault::Drop, 2);
    press("CommandLayoutScan");
    EXPECT_EQ(cell(2, 1), "(not read)");
    EXPECT_TRUE(cell(2, 3).isEmpty()) << cell(2, 3).toStdString();
    bus->at(4)->clearFaults();

    // The list of an earlier version: numbers as shown, numbering base not recorded.
    QFile older(QDir(folder.path()).filePath(QStringLiteral("layout.txt")));
    ASSERT_TRUE(older.open(QIODevice::WriteOnly | QIODevice::Truncate));
    older.write("Vexa layout\r\n1,\"Station\",\"3.1.0.12\",\"module-1.dat\"\r\n");
    older.close();
    press("CommandLayoutScan");
    EXPECT_TRUE(cell(0, 3).isEmpty()); // not guessed
    prompter.answers = {true};         // Yes: numbered from 1
    press("CommandLayoutVerify");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].kind, MessageKind::YesNo);
    EXPECT_EQ(column(4), "compares||");
    EXPECT_FALSE(cell(0, 3).isEmpty());
}

} // namespace
} // namespace vexa
