#include "app/ui/MainWindow.h"

#include "app/ui/VerificationWindow.h"
#include "events/EventSlots.h"
#include "sim/Simulator.h"
#include "sim/SimulatorPort.h"

#include "TestSeams.h"
#include "ui/WindowBench.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace vexa {
namespace {

const QColor NoActionGrey(0xE0, 0xE0, 0xE0);

// The window with the event tab shown, its port list offering the in-process simulator.
class EventPageTest : public ::testing::Test, protected test::WindowBench {
protected:
    EventPageTest() : WindowBench({SimulatorPortName}) {
        window->show();
        QApplication::setActiveWindow(window.get());
        window->findChild<QTabWidget*>(QStringLiteral("SSTab_Main"))->setCurrentIndex(MainWindow::EventTab);
    }

    QLineEdit* field(const QString& name) { return find<QLineEdit>(name); }
    bool grey(const QString& name) { return field(name)->palette().color(QPalette::Base) == NoActionGrey; }
    Session& session() { return window->session(); }

    // Types the text into the field key by key, then leaves it.
    void enter(const QString& name, const QString& text) {
        QLineEdit* edit = field(name);
        edit->setFocus(Qt::MouseFocusReason);
        edit->selectAll();
        for (QChar character : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
            QApplication::sendEvent(edit, &press);
        }
        find(QStringLiteral("CheckInitEE(7)"))->setFocus(Qt::TabFocusReason);
    }
    void clickAndDispatch(const QString& button) {
        find<QPushButton>(button)->click();
        window->dispatchPending();
    }
};

TEST_F(EventPageTest, StartShowsNoActionWhileTheTableHoldsZero) {
    for (int k = 0; k < 4; ++k)
        for (const QString& kind : {QStringLiteral("on"), QStringLiteral("off")}) {
            const QString name = QStringLiteral("TextEC%1(%2)").arg(kind).arg(k);
            EXPECT_EQ(field(name)->text(), "-1") << name.toStdString();
            EXPECT_TRUE(grey(name)) << name.toStdString();
        }
    for (const EventRecord& record : session().image.events)
        EXPECT_EQ(record, EventRecord{});
    EXPECT_EQ(find(QStringLiteral("CheckInitEE(0)"))->property("text").toString(), "InitialEvent_ON Enable ");
    EXPECT_EQ(find(QStringLiteral("CheckInitEE(4)"))->property("text").toString(), "Initial Event_OFF Enable ");
    EXPECT_FALSE(find(QStringLiteral("CommandECVerify"))->isVisible());

    // Copy to All right away spreads what the fields show.
    find<QPushButton>(QStringLiteral("CommandECcopy"))->click();
    EXPECT_EQ(session().image.events[17].offEvents, (EventActions{-1, -1, -1, -1}));
}

TEST_F(EventPageTest, ClampedFieldsCopiedWrittenAndVerified) {
    window->findChild<QComboBox*>(QStringLiteral("ComboPort"))->setCurrentIndex(0);
    emit window->findChild<QComboBox*>(QStringLiteral("ComboPort"))->activated(0);
    ASSERT_TRUE(session().port.isOpen());

    enter(QStringLiteral("TextECpin"), QStringLiteral("40"));
    EXPECT_EQ(field(QStringLiteral("TextECpin"))->text(), "32");
    enter(QStringLiteral("TextECpin"), QStringLiteral("0"));
    EXPECT_EQ(field(QStringLiteral("TextECpin"))->text(), "1");
    enter(QStringLiteral("TextECpin"), QStringLiteral("5"));
    EXPECT_EQ(session().eventPin, 4);
    EXPECT_EQ(field(QStringLiteral("TextECon(0)"))->text(), "0"); // the table is shown now
    EXPECT_FALSE(grey(QStringLiteral("TextECon(0)")));

    enter(QStringLiteral("TextECon(0)"), QStringLiteral("15"));
    EXPECT_EQ(field(QStringLiteral("TextECon(0)"))->text(), "11");
    enter(QStringLiteral("TextECoff(1)"), QStringLiteral("-7"));
    EXPECT_EQ(field(QStringLiteral("TextECoff(1)"))->text(), "-1");
    EXPECT_TRUE(grey(QStringLiteral("TextECoff(1)")));
    EXPECT_EQ(session().image.events[4].onEvents[0], 11);

    find<QPushButton>(QStringLiteral("CommandECcopy"))->click();
    EXPECT_EQ(session().image.events[30].onEvents, (EventActions{11, 0, 0, 0}));
    EXPECT_EQ(session().image.events[0].offEvents, (EventActions{0, -1, 0, 0}));
    clickAndDispatch(QStringLiteral("CommandECWrite"));
    find<QCheckBox>(QStringLiteral("CheckInitEE(2)"))->click();
    find<QPushButton>(QStringLiteral("CommandECInitWrite"))->click();
    EXPECT_TRUE(prompter.messages.empty()) << prompter.last();

    window->setExpertMode(true);
    EXPECT_TRUE(find(QStringLiteral("CommandECVerify"))->isVisible());
    clickAndDispatch(QStringLiteral("CommandECVerify"));
    auto* report = window->findChild<VerificationWindow*>(QStringLiteral("frmVexaVerification"));
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->reportText(), "Start EC Verification\nNote: Numbering starts at 1\nVerify OK\n");

    // The controller's map comes back into the boxes.
    find<QCheckBox>(QStringLiteral("CheckInitEE(2)"))->click();
    find<QPushButton>(QStringLiteral("CommandECInitRead"))->click();
    EXPECT_TRUE(find<QCheckBox>(QStringLiteral("CheckInitEE(2)"))->isChecked());
    EXPECT_FALSE(find<QCheckBox>(QStringLiteral("CheckInitEE(3)"))->isChecked());
}

TEST_F(EventPageTest, AnUnknownMapShowsGreyAndAClickMakesItKnown) {
    auto box = [this](int i) { return find<QCheckBox>(QStringLiteral("CheckInitEE(%1)").arg(i)); };
    for (int i = 0; i < EnableMapSize; ++i)
        EXPECT_EQ(box(i)->checkState(), Qt::PartiallyChecked) << i;
    box(5)->click();
    EXPECT_EQ(session().image.enableMap, (EnableMap{false, false, false, false, false, true, false, false}));
    for (int i = 0; i < EnableMapSize; ++i)
        EXPECT_EQ(box(i)->checkState(), i == 5 ? Qt::Checked : Qt::Unchecked) << i;
    box(5)->click(); // known now: an ordinary box again
    EXPECT_EQ(box(5)->checkState(), Qt::Unchecked);
    EXPECT_EQ(session().image.enableMap, EnableMap{});
}

// An all-zero table read or loaded is shown as such, so "Copy to All" copies the zeros.
TEST(EventPageTable, ShowsAfterReadAllLoadFileAndReadAllEvents) {
    const std::string file = (std::filesystem::temp_directory_path() / "vexa-event-page-zero.dat").string();
    {
        std::ofstream out(file, std::ios::binary);
        out << "\"VexaConfiguration 3100\"\r\n\"Eon\",3,1,1,1,1\r\n\"End\"\r\n";
    }
    for (const char* how : {"CommandReadAll", "CommandLoad", "CommandECRead"}) {
        test::WindowBench bench({SimulatorPortName});
        for (int p = 0; p < PinCount; ++p)
            bench.simulator->pin(p).eventOn = bench.simulator->pin(p).eventOff = {0, 16, 32, 48};
        auto* ports = bench.find<QComboBox>("ComboPort");
        ports->setCurrentIndex(0);
        emit ports->activated(0);
        bench.dialogs.names = {file};
        bench.find<QPushButton>(how)->click();
        bench.window->dispatchPending();
        EXPECT_EQ(bench.find<QLineEdit>("TextECon(0)")->text(), "0") << how;
        bench.find<QPushButton>("CommandECcopy")->click();
        EXPECT_EQ(bench.window->session().image.events[20].offEvents, (EventActions{0, 0, 0, 0})) << how;
    }
    std::filesystem::remove(file);
}

} // namespace
} // namespace vexa
