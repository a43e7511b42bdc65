#include "app/ui/MainWindow.h"
#include "sim/SimulatorPort.h"

#include "TestSeams.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vexa {
namespace {

struct UnsavedBench {
    UnsavedBench() {
        ports.factory = [this](const std::string&) { return MakeSimulatorPort(simulator); };
        window = std::make_unique<MainWindow>(prompter, ports, clock, dialogs);
    }
    void click(const char* name) {
        auto* button = window->findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        const QPointF at(button->width() / 2.0, button->height() / 2.0);
        QMouseEvent press(QEvent::MouseButtonPress, at, button->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(button, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, button->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(button, &release);
    }
    void run(const char* word) {
        window->queueCommand(word);
        window->dispatchPending();
    }
    // Types into the ID string field, as a user edits; the window commits it.
    void edit(const char* text) {
        auto* field = window->findChild<QLineEdit*>(QStringLiteral("TextGenIDString"));
        ASSERT_NE(field, nullptr);
        field->setText(QString::fromLatin1(text));
    }
    const std::string& idString() { return window->session().image.module.idString; }

    test::RecordingPrompter prompter;
    SystemClock clock;
    test::ScriptedPortProvider ports;
    test::ScriptedFileDialogs dialogs;
    std::shared_ptr<Simulator> simulator = MakeDefaultSimulator();
    std::unique_ptr<MainWindow> window;
};

TEST(UnsavedChanges, FollowsLoadEditSaveReadAndWriteAndGuardsTheClose) {
    UnsavedBench bench;
    QTemporaryDir folder;
    const std::string file = folder.filePath(QStringLiteral("layout.dat")).toStdString();
    EXPECT_FALSE(bench.window->hasUnsavedChanges());
    bench.window->session().image.currentPin = 7; // the selection is no change
    EXPECT_FALSE(bench.window->hasUnsavedChanges());

    bench.edit("Depot");
    EXPECT_TRUE(bench.window->hasUnsavedChanges());
    bench.dialogs.names = {file};
    bench.click("CommandSave");
    EXPECT_FALSE(bench.window->hasUnsavedChanges());

    bench.edit("Yard");
    EXPECT_TRUE(bench.window->hasUnsavedChanges());
    bench.dialogs.names = {file};
    bench.click("CommandLoad");
    EXPECT_EQ(bench.idString(), "Depot");
    EXPECT_FALSE(bench.window->hasUnsavedChanges());

    auto* combo = bench.window->findChild<QComboBox*>(QStringLiteral("ComboPort"));
    emit combo->activated(combo->findData(QString::fromLatin1(SimulatorPortName)));
    ASSERT_TRUE(bench.window->session().port.isOpen());
    bench.edit("Shed");
    bench.run("ReadAll");
    EXPECT_NE(bench.idString(), "Shed");
    EXPECT_FALSE(bench.window->hasUnsavedChanges());
    bench.edit("Shed");
    bench.run("WritePin"); // a partial write leaves the edit unwritten
    EXPECT_TRUE(bench.window->hasUnsavedChanges());
    bench.run("WriteAll");
    EXPECT_FALSE(bench.window->hasUnsavedChanges());

    bench.edit("Halt");
    int asked = 0;
    MainWindow::SaveChoice answer = MainWindow::SaveChoice::Cancel;
    bench.window->setSaveQuestion([&] {
        ++asked;
        return answer;
    });
    bench.window->show();
    EXPECT_FALSE(bench.window->close());
    EXPECT_TRUE(bench.window->isVisible());
    answer = MainWindow::SaveChoice::Save; // the save dialog is cancelled: still open
    EXPECT_FALSE(bench.window->close());
    answer = MainWindow::SaveChoice::Discard;
    EXPECT_TRUE(bench.window->close());
    EXPECT_EQ(asked, 3);
    EXPECT_TRUE(bench.prompter.messages.empty()) << bench.prompter.last();
}

} // namespace
} // namespace vexa
