// The window's marks of what changed against the controller, "Write Changes" and "Compare with
// File...", as a modeller uses them with the "Simulator".

#include "app/ui/HeldMarksWatch.h"
#include "app/ui/MainWindow.h"
#include "app/ui/VerificationWindow.h"
#include "core/ui/HeldMarks.h"
#include "files/ConfigFileWriter.h"
#include "files/SafeFile.h"
#include "module/SettingRequests.h"
#include "sim/Simulator.h"

#include "ui/UserInput.h"
#include "ui/WindowBench.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace vexa {
namespace {

class ChangeMarksWindowTest : public ::testing::Test, protected test::WindowBench {
protected:
    // The marks follow an edit at the next look of the window's watch.
    void letTheMarksFollow() {
        QSignalSpy looked(window->findChild<HeldMarksWatch*>()->findChild<QTimer*>(), &QTimer::timeout);
        ASSERT_TRUE(looked.wait(30000));
    }

    QString status() { return find<QLabel>("LabelChanges")->text(); }

    void run(const char* button) {
        find<QPushButton>(button)->click();
        window->dispatchPending();
    }
};

TEST_F(ChangeMarksWindowTest, AnEditIsMarkedOnItsPinItsFieldAndTheStatusLineAndWriteChangesTakesTheMarkAway) {
    choosePort("Simulator");
    run("CommandReadAll");
    EXPECT_EQ(status(), "Nothing changed since the last read");

    // Pin 2 of the simulator has a program: its first step fades.
    auto* pin2 = find<QToolButton>("PinStates(1)");
    QTest::mouseClick(pin2, Qt::LeftButton);
    ASSERT_EQ(window->session().image.currentPin, 1);
    find<QCheckBox>("CheckPAspShowDetails")->click();
    auto* fade = find<QCheckBox>("CheckPAspFade(0)");
    ASSERT_TRUE(fade->isChecked());
    fade->click();
    letTheMarksFollow();
    EXPECT_EQ(pin2->text(), QString::fromUtf8(ChangedMark) + "2");
    EXPECT_EQ(MarkedHeldState(pin2), HeldState::Changed);
    EXPECT_EQ(MarkedHeldState(fade), HeldState::Changed);
    EXPECT_EQ(MarkedHeldState(find("TextPAspOffset(0)")), HeldState::Same);
    EXPECT_EQ(MarkedHeldState(find("PinStates(2)")), HeldState::Same);
    EXPECT_EQ(status(), "1 pin changed since the last read");

    simulator->clearRequests();
    run("CommandWriteChanges");
    for (const SimReceivedRequest& request : simulator->requests())
        if (request.data.at(0) != ReadSettingCode) { // the ID string and version are read first
            EXPECT_EQ(request.data.at(1), 1) << "a request of another pin: " << int(request.data[0]);
        }
    EXPECT_FALSE(simulator->requests().empty());
    EXPECT_EQ(pin2->text(), "2");
    EXPECT_EQ(MarkedHeldState(fade), HeldState::Same);
    EXPECT_EQ(status(), "Nothing changed since the last read");

    // A settings frame and an event pin are marked the same way.
    test::TypeAndEnter(find<QLineEdit>("TextGenDCCAddress"), "300");
    test::TypeAndEnter(find<QLineEdit>("TextECon(2)"), "5");
    letTheMarksFollow();
    auto* dcc = find<QGroupBox>("FrameGenDCC");
    EXPECT_TRUE(dcc->title().startsWith(QString::fromUtf8(ChangedMark))) << dcc->title().toStdString();
    EXPECT_EQ(MarkedHeldState(find("EventPinStates(0)")), HeldState::Changed);
    EXPECT_EQ(MarkedHeldState(find("TextECon(2)")), HeldState::Changed);
    EXPECT_EQ(status(), "1 setting block, 1 event slot changed since the last read");
}

TEST_F(ChangeMarksWindowTest, CompareWithFileShowsTheDifferencesInTheVerificationWindow) {
    choosePort("Simulator");
    run("CommandReadAll");
    QTemporaryDir folder;
    ConfigurationImage backup = window->session().image;
    backup.pins[8].aspectLayout = LayoutFourByNine;
    backup.module.idString = "Yesterday";
    const std::string path = folder.filePath(QStringLiteral("backup.dat")).toStdString();
    std::string error;
    ASSERT_TRUE(ReplaceFileBytes(path, FormatConfigurationFile(backup, false), error)) << error;
    dialogs.names.push_back(path);

    find<QPushButton>("CommandCompareFile")->click();
    auto* report = window->findChild<VerificationWindow*>(QStringLiteral("frmVexaVerification"));
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->isVisible());
    EXPECT_EQ(report->reportText(), "ID does not compare: VexaConfig = <Vexa Sim> Vexa = <Yesterday>\n"
                                    "Pin 9: Aspectconfig does not compare\n");
}

} // namespace
} // namespace vexa
