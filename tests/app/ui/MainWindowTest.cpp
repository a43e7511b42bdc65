#include "app/ui/MainWindow.h"

#include "app/ui/LinkControls.h"
#include "app/ui/QtFileDialogs.h"
#include "app/ui/StatusProgress.h"
#include "app/ui/VerificationWindow.h"
#include "files/ConfigFileWriter.h"
#include "files/SafeFile.h"
#include "module/SerialAddressing.h"
#include "sim/Simulator.h"
#include "sim/SimulatorPort.h"

#include "TestSeams.h"
#include "WaitUntil.h"
#include "ui/UserInput.h"
#include "ui/WindowBench.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <atomic>
#include <functional>

namespace vexa {
namespace {

// A view that counts what the window asks of it.
struct CountingView : SessionView {
    void refreshFromSession() override { ++refreshes; }
    void commitEdits() override { ++commits; }
    int refreshes = 0;
    int commits = 0;
};

void Press(QWidget* widget, Qt::MouseButton button, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), button, button, modifiers);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), button, Qt::NoButton, modifiers);
    QApplication::sendEvent(widget, &release);
}

void DoubleClick(QWidget* widget) {
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QMouseEvent event(QEvent::MouseButtonDblClick, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

class MainWindowTest : public ::testing::Test, protected test::WindowBench {
protected:
    QTabWidget* tabs() { return find<QTabWidget>("SSTab_Main"); }
};

TEST_F(MainWindowTest, CarriesTheNamedControlsWithTheirCaptions) {
    EXPECT_EQ(window->windowTitle(), "Vexa Config");
    // Captions as shown, without the marks of their Alt+letter.
    const auto caption = [](QString text) { return text.remove(QLatin1Char('&')); };
    const std::vector<std::pair<const char*, const char*>> buttons{{"cmdRefreshComm", "Refresh"},
                                                                   {"CommandReadAll", "Read All"},
                                                                   {"CommandWriteAll", "Write All"},
                                                                   {"CommandVerifyAll", "Verify All"},
                                                                   {"CommandSave", "Save File"},
                                                                   {"CommandLoad", "Load File"},
                                                                   {"CommandGenIDRead", "Read String"},
                                                                   {"CommandGenIDWrite", "Write String"},
                                                                   {"CommandGenVersion", "Request Version"}};
    for (const auto& [name, text] : buttons)
        if (auto* button = find<QPushButton>(name)) {
            EXPECT_EQ(caption(button->text()), text) << name;
        }
    const std::vector<std::pair<const char*, const char*>> boxes{{"CheckVexaBD", "Bidirectional Comm."},
                                                                 {"CheckXaddress", "Use eXtended Addr"},
                                                                 {"CheckKLnumber", "Start numbering at 1"}};
    for (const auto& [name, text] : boxes)
        if (auto* box = find<QCheckBox>(name)) {
            EXPECT_EQ(box->text(), text) << name;
        }
    EXPECT_EQ(caption(find<QLabel>("LabelPort")->text()), "Port:");
    EXPECT_EQ(caption(find<QLabel>("LabelAddress")->text()), "Module Address");
    EXPECT_EQ(caption(find<QLabel>("LabelXaddress")->text()), "eXtended address");
    EXPECT_EQ(find<QLabel>("Release")->text(), "Release 3.1.0");
    EXPECT_EQ(find<QLabel>("LabelGenVersionString")->text(), "Unknown");
    auto* busy = find<QLabel>("LabelAction");
    EXPECT_EQ(busy->text(), "  Working ... Please WAIT");
    EXPECT_TRUE(busy->isHidden());
    EXPECT_EQ(find<QRadioButton>("OptionBitRate(0)")->text(), "  9k6");
    EXPECT_TRUE(find<QRadioButton>("OptionBitRate(1)")->isChecked());
    EXPECT_EQ(find<QRadioButton>("OptionBitRate(2)")->text(), "38k4");
    for (const char* name : {"TextAddress", "UpDownAddress", "txtXaddr", "UpDownXaddr", "TextGenIDString"})
        find(name);

    const QStringList captions{"General", "Vexa Event Control", "Vexa Device Configuration", "Test"};
    ASSERT_EQ(tabs()->count(), captions.size());
    for (int i = 0; i < captions.size(); ++i)
        EXPECT_EQ(caption(tabs()->tabText(i)), captions[i]);
}

TEST_F(MainWindowTest, StartsWithThePortListAndThePortClosed) {
    auto* combo = find<QComboBox>("ComboPort");
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(1), "Simulator");
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_FALSE(window->session().port.isOpen());
    EXPECT_TRUE(find<QCheckBox>("CheckKLnumber")->isChecked());
    EXPECT_EQ(find<QLineEdit>("TextAddress")->text(), "1");
    EXPECT_TRUE(find("txtXaddr")->isHidden());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(MainWindowTest, PortLabelDoubleClickTogglesTheBitRates) {
    auto* frame = find<QGroupBox>("FrameBitrate");
    EXPECT_TRUE(frame->isHidden());
    DoubleClick(find("LabelPort"));
    EXPECT_FALSE(frame->isHidden());
    DoubleClick(find("LabelPort"));
    EXPECT_TRUE(frame->isHidden());
}

TEST_F(MainWindowTest, TestTabIsLockedOutsideExpertMode) {
    tabs()->setCurrentIndex(MainWindow::DeviceTab);
    tabs()->setCurrentIndex(MainWindow::TestTab);
    EXPECT_EQ(tabs()->currentIndex(), MainWindow::DeviceTab);
    tabs()->setCurrentIndex(MainWindow::TestTab);
    EXPECT_EQ(tabs()->currentIndex(), MainWindow::DeviceTab);
    EXPECT_EQ(prompter.texts(),
              (std::vector<std::string>{"Sorry, This tab is disabled", "Sorry, This tab is disabled"}));
}

TEST_F(MainWindowTest, ExpertModeFollowsTheAnswerToTheReleaseLabel) {
    QPushButton expertButton(QStringLiteral("Read Pin"), window.get());
    window->addExpertWidget(&expertButton);
    EXPECT_TRUE(expertButton.isHidden());
    int changes = 0;
    QObject::connect(window.get(), &MainWindow::expertModeChanged, [&changes](bool) { ++changes; });

    Press(find("Release"), Qt::LeftButton); // only the right button asks
    EXPECT_TRUE(prompter.messages.empty());

    prompter.answers = {true};
    Press(find("Release"), Qt::RightButton);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].kind, MessageKind::YesNo);
    EXPECT_EQ(prompter.messages[0].text, "Expert Mode?");
    EXPECT_TRUE(window->session().expertMode);
    EXPECT_FALSE(expertButton.isHidden());
    tabs()->setCurrentIndex(MainWindow::TestTab);
    EXPECT_EQ(tabs()->currentIndex(), MainWindow::TestTab);

    prompter.answers = {false};
    Press(find("Release"), Qt::RightButton);
    EXPECT_FALSE(window->session().expertMode);
    EXPECT_TRUE(expertButton.isHidden());
    EXPECT_NE(tabs()->currentIndex(), MainWindow::TestTab); // the locked tab is left
    EXPECT_EQ(changes, 2);
}

TEST_F(MainWindowTest, ReadAllShowsTheBusyLabelUntilTheDispatchRunsIt) {
    CountingView view;
    window->setTabPage(MainWindow::EventTab, new QWidget, &view);
    find<QPushButton>("CommandReadAll")->click();
    auto* busy = find<QLabel>("LabelAction");
    EXPECT_FALSE(busy->isHidden());
    EXPECT_TRUE(prompter.messages.empty());    // nothing runs before the tick
    const int committedAtClick = view.commits; // the look for unsaved changes takes the edits

    window->dispatchPending();
    EXPECT_TRUE(busy->isHidden());
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Select communications port"});
    EXPECT_EQ(view.commits, committedAtClick + 1);
    EXPECT_GE(view.refreshes, 1);
    EXPECT_FALSE(window->session().operationRunning);
}

TEST_F(MainWindowTest, VerifyAllWithClosedPortQueuesNothing) {
    find<QPushButton>("CommandVerifyAll")->click();
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Select communications port"});
    EXPECT_TRUE(find("LabelAction")->isHidden());
    window->dispatchPending();
    EXPECT_EQ(prompter.messages.size(), 1u);
}

TEST_F(MainWindowTest, RequestVersionReadsTheSimulator) {
    choosePort("Simulator");
    ASSERT_TRUE(window->session().port.isOpen());
    find<QPushButton>("CommandGenVersion")->click();
    EXPECT_TRUE(prompter.messages.empty()) << prompter.last();
    const QString version = find<QLabel>("LabelGenVersionString")->text();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+\\.\\d+$")).match(version).hasMatch())
        << version.toStdString();
    EXPECT_TRUE(find<QCheckBox>("CheckVexaBD")->isChecked());
}

TEST_F(MainWindowTest, IdStringTakesOnlyTwelveAsciiCharactersWithoutADoubleQuote) {
    auto* field = find<QLineEdit>("TextGenIDString");
    field->insert(QStringLiteral("Layout"));
    field->insert(QString::fromUtf8("\xC3\xA9")); // refused whole
    EXPECT_EQ(field->text(), "Layout");
    EXPECT_TRUE(prompter.messages.empty());
    QTest::keyClick(field, '"'); // a file cannot hold it: refused, and said why
    EXPECT_EQ(field->text(), "Layout");
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"The ID string cannot hold the character \": a data file "
                                                          "would store it as ' and no longer compare with the "
                                                          "controller."}));
    field->insert(QStringLiteral(" West Station"));
    EXPECT_EQ(field->text().size(), 12);
    emit field->textEdited(field->text());
    EXPECT_EQ(window->session().image.module.idString, "Layout West ");
}

TEST_F(MainWindowTest, WriteAndReadStringGoThroughTheSimulator) {
    choosePort("Simulator");
    auto* field = find<QLineEdit>("TextGenIDString");
    field->setText(QStringLiteral("Yard 2"));
    emit field->textEdited(field->text()); // as typed
    find<QPushButton>("CommandGenIDWrite")->click();
    field->setText(QString());
    window->session().image.module.idString.clear();
    find<QPushButton>("CommandGenIDRead")->click();
    EXPECT_EQ(field->text(), "Yard 2");
    EXPECT_TRUE(prompter.messages.empty()) << prompter.last();
}

TEST_F(MainWindowTest, AddressFieldsClampAndFollowTheNumberingBase) {
    auto* address = find<QLineEdit>("TextAddress");
    test::TypeAndEnter(address, QStringLiteral("30"));
    EXPECT_EQ(address->text(), "16");
    EXPECT_EQ(window->session().link.moduleAddress, 15);

    find<QCheckBox>("CheckKLnumber")->click();
    EXPECT_EQ(window->session().numberingBase, 0);
    EXPECT_EQ(address->text(), "15");
}

// After a controller reset the user types the same address again: that resynchronises the
// link. Enter on the untouched field changes nothing.
TEST_F(MainWindowTest, TypingTheSameAddressAgainResynchronisesTheLink) {
    window->show();
    QApplication::setActiveWindow(window.get());
    auto* address = find<QLineEdit>("TextAddress");
    LinkState& link = window->session().link;
    link.frameToggle = 64;
    address->setFocus();
    QTest::keyClick(address, Qt::Key_Return);
    EXPECT_EQ(link.frameToggle, 64);
    address->selectAll();
    QTest::keyClicks(address, QStringLiteral("1"));
    QTest::keyClick(address, Qt::Key_Return);
    EXPECT_EQ(link.moduleAddress, 0);
    EXPECT_EQ(link.frameToggle, ToggleUnsynchronised);
}

TEST_F(MainWindowTest, ExtendedAddressNeedsTheWarningToBeAccepted) {
    auto* box = find<QCheckBox>("CheckXaddress");
    prompter.answers = {false};
    box->click();
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(window->session().link.useXAddress);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].kind, MessageKind::OkCancelWarning);
    EXPECT_EQ(prompter.messages[0].text, "eXtended Addressing is intended for\r\nexperienced users only!");

    prompter.answers = {true};
    box->click();
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(window->session().link.useXAddress);
    EXPECT_EQ(find<QLabel>("LabelAddress")->text().remove(QLatin1Char('&')), "Channel Number");
    EXPECT_FALSE(find("txtXaddr")->isHidden());

    box->click(); // unchecking asks nothing
    EXPECT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(find<QLabel>("LabelAddress")->text().remove(QLatin1Char('&')), "Module Address");
    EXPECT_TRUE(find("txtXaddr")->isHidden());
}

TEST_F(MainWindowTest, SaveActsOnTheLeftPressWithoutOrWithShiftOnly) {
    auto* save = find("CommandSave");
    Press(save, Qt::LeftButton, Qt::ControlModifier);
    Press(save, Qt::RightButton);
    Press(save, Qt::LeftButton, Qt::ShiftModifier | Qt::AltModifier);
    EXPECT_TRUE(dialogs.filters.empty());
    Press(save, Qt::LeftButton);
    Press(save, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(dialogs.filters, (std::vector<std::string>{"Vexa Config Data|*.dat", "Vexa Config Data|*.dat"}));
    EXPECT_TRUE(prompter.messages.empty()); // cancelled dialogs do nothing
}

TEST_F(MainWindowTest, VerifyAllOpensTheReportWindow) {
    choosePort("Simulator");
    find<QPushButton>("CommandReadAll")->click();
    window->dispatchPending();
    find<QPushButton>("CommandVerifyAll")->click();
    window->dispatchPending();
    auto* report = window->findChild<VerificationWindow*>(QStringLiteral("frmVexaVerification"));
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->windowTitle(), "VexaConfig - Verification Report");
    EXPECT_TRUE(report->isVisible());
    EXPECT_FALSE(report->isModal()); // the main and Layout windows stay usable beside it
    EXPECT_TRUE(report->reportText().endsWith(QStringLiteral("Verify OK"))) << report->reportText().toStdString();
    EXPECT_TRUE(find("LabelAction")->isHidden());
}

TEST_F(MainWindowTest, TraceWindowShowsTheLinkTraffic) {
    choosePort("Simulator");
    find<QPushButton>("CommandGenVersion")->click();
    DoubleClick(find("Release"));
    auto* trace = window->findChild<QWidget*>(QStringLiteral("frmCorvanComm"));
    ASSERT_NE(trace, nullptr);
    EXPECT_TRUE(trace->isVisible());
    EXPECT_FALSE(trace->isModal());
    auto* text = trace->findChild<QPlainTextEdit*>(QStringLiteral("txtCorvanCommunication"));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->toPlainText().contains(QStringLiteral("[70] [00]"))) << text->toPlainText().toStdString();
    trace->findChild<QPushButton*>(QStringLiteral("cmdClear"))->click();
    EXPECT_TRUE(text->toPlainText().isEmpty());
    EXPECT_TRUE(window->session().trace.text().empty());
}

TEST_F(MainWindowTest, ACommandWordQueuedDuringAPinPageOperationRunsAfterIt) {
    // A controller that never answers, and whose line holds the operation's request until the
    // user has pressed the button: the answer's time-out cannot end the operation before.
    std::atomic<bool> pressed = false;
    ports.factory = [&pressed](const std::string&) -> std::unique_ptr<SerialPort> {
        auto port = std::make_unique<test::ScriptedPort>();
        port->onWrite = [&pressed](test::ScriptedPort&) {
            if (QThread::currentThread() != QApplication::instance()->thread()) {
                EXPECT_TRUE(test::WaitUntil([&pressed] { return pressed.load(); }));
            }
        };
        return port;
    };
    choosePort("ttyS0");
    tabs()->setCurrentIndex(MainWindow::DeviceTab);
    // While "Get Pin Config" waits for its answer, the user presses "Read All Devices".
    test::WhenReady(
        window.get(), [this] { return window->busy(); },
        [this, &pressed] {
            find<QPushButton>("CommandReadAllPins")->click();
            pressed = true;
        });
    find<QPushButton>("CommandPCFGGetParam(0)")->click();
    const std::string afterGet = window->session().trace.text();
    EXPECT_EQ(std::count(afterGet.begin(), afterGet.end(), '>'), 1) << afterGet; // nothing ran inside it
    EXPECT_FALSE(find<QCheckBox>("CheckVexaBD")->isChecked());                   // the box shows the link's state
    EXPECT_FALSE(find("LabelAction")->isHidden());

    window->dispatchPending(); // the remembered word runs now, after the first operation
    const std::string trace = window->session().trace.text();
    EXPECT_EQ(std::count(trace.begin(), trace.end(), '>'), 2) << trace;
    EXPECT_TRUE(find("LabelAction")->isHidden());
}

TEST_F(MainWindowTest, AOneWayPinWriteKeepsTheWindowAliveAndStopsAtThePause) {
    choosePort("Simulator");
    PinRecord& pin = window->session().image.pins[0];
    pin.aspectLayout = LayoutFourByNine; // 39 one-way writes, 3.9 s of pauses
    window->refreshAllViews();
    find<QCheckBox>("CheckVexaBD")->click();
    ASSERT_FALSE(window->session().link.bidirectional);
    window->show();
    find<QPushButton>("CommandWritePin")->click();
    // "Stop" is pressed as soon as it shows, while the writes go on; how long the window waits
    // for its events and for the end after "Stop" is bench_ui_stall's to measure.
    test::WhenReady(
        window.get(), [this] { return find("cmdStop")->isVisible(); },
        [this] { QTest::mouseClick(find("cmdStop"), Qt::LeftButton); });
    window->dispatchPending();
    EXPECT_EQ(prompter.last(), "Stopped by the user");
}

TEST_F(MainWindowTest, LoadingAndSavingAFileWithoutAnEditGivesTheSameBytes) {
    ConfigurationImage image;
    image.module.idString = "Sixteen chars ID"; // longer than the box lets a user type
    for (int p = 0; p < 6; ++p) {
        PinRecord& pin = image.pins[static_cast<std::size_t>(p)];
        pin.configType = static_cast<std::uint8_t>(p);
        pin.aspectLayout = p % 2 == 0 ? LayoutFourByNine : LayoutTwelveByThree;
        pin.initialAspect = 13; // beyond every layout's aspects
        for (int n = 1; n <= ConfigParamCount; ++n)
            pin.param(n) = 250;
        for (AspectRecord& aspect : pin.aspects)
            for (AspectStep& step : aspect.steps)
                step = {102, 0, 250, 250, 250, 250};
        pin.dccAddressCount = 9;
    }
    QTemporaryDir folder;
    const std::string loaded = folder.filePath(QStringLiteral("rich.dat")).toStdString();
    const std::string saved = folder.filePath(QStringLiteral("saved.dat")).toStdString();
    const std::string bytes = FormatConfigurationFile(image, false);
    std::string error;
    ASSERT_TRUE(ReplaceFileBytes(loaded, bytes, error)) << error;

    tabs()->setCurrentIndex(MainWindow::DeviceTab);
    dialogs.names = {loaded};
    find<QPushButton>("CommandLoad")->click();
    EXPECT_EQ(find<QLineEdit>("TextGenIDString")->text(), "Sixteen chars ID");
    for (int p = 5; p >= 0; --p) { // every kind of pin is shown once
        window->session().image.currentPin = p;
        window->refreshAllViews();
    }
    dialogs.names = {saved};
    window->saveAs(false);
    std::string written;
    ASSERT_TRUE(ReadFileBytes(saved, 1 << 20, written, error)) << error;
    EXPECT_EQ(written, bytes);
    EXPECT_TRUE(prompter.messages.empty()) << prompter.last();
}

TEST(StatusProgress, StopAppearsAfterAMomentAndEscapeAsksOncePerOperation) {
    QMainWindow window;
    auto* progress = new StatusProgress(window.statusBar());
    window.show();
    QApplication::setActiveWindow(&window);
    auto* stop = window.findChild<QPushButton*>(QStringLiteral("cmdStop"));
    ASSERT_NE(stop, nullptr);
    // The operation goes on until `done` (at most 30 s), the window handling its events meanwhile
    // as it does while an operation runs on its own thread.
    const auto goOnUntil = [](const std::function<bool()>& done) { EXPECT_TRUE(QTest::qWaitFor(done, 30000)); };
    QTest::keyClick(&window, Qt::Key_Escape); // no operation: nothing to stop
    for (int round = 0; round < 2; ++round) { // a stop request ends with its operation
        progress->run("Write All Devices", [&] {
            QElapsedTimer running;
            running.start();
            goOnUntil([&running] { return running.elapsed() >= 50; });
            EXPECT_TRUE(stop->isHidden()); // a short operation shows nothing
            goOnUntil([stop] { return stop->isVisible(); });
            EXPECT_TRUE(stop->isVisible());
            EXPECT_FALSE(progress->stopRequested());
            QTest::keyClick(&window, Qt::Key_Escape);
            EXPECT_TRUE(progress->stopRequested());
            EXPECT_FALSE(stop->isEnabled());
            return false;
        });
        EXPECT_TRUE(stop->isHidden());
        EXPECT_TRUE(window.findChild<QWidget*>(QStringLiteral("LabelAction"))->isHidden());
    }
}

TEST(QtFileDialogs, FilterTextsBecomeQtFilters) {
    EXPECT_EQ(QtFilterText("Vexa Config Data|*.dat"), "Vexa Config Data (*.dat)");
    EXPECT_EQ(QtFilterText("Vexa Device Definitions|*.def|All|*.*"), "Vexa Device Definitions (*.def);;All (*.*)");
    EXPECT_EQ(DefaultSuffix("Vexa Config Data|*.dat"), "dat");
    EXPECT_EQ(DefaultSuffix("All|*.*"), "");
}

// A name typed without an extension takes that of the kind the user chose in the dialog.
TEST(QtFileDialogs, ANameWithoutExtensionTakesThatOfTheChosenKind) {
    QTemporaryDir folder;
    QtFileDialogs fileDialogs;
    QTimer::singleShot(0, [&folder] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* kinds = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(kinds, nullptr);
        QTest::keyClick(kinds, Qt::Key_Down); // "Web Page (*.html)", as the keyboard chooses it
        dialog->selectFile(QDir(folder.path()).filePath(QStringLiteral("sheet")));
        static_cast<QDialog*>(dialog)->accept(); // as the dialog's Save button does
    });
    EXPECT_EQ(fileDialogs.saveFileName("PDF Document|*.pdf|Web Page|*.html"),
              QDir(folder.path()).filePath(QStringLiteral("sheet.html")).toStdString());
}

TEST_F(MainWindowTest, APathTypedIntoThePortListIsOpenedAsItIs) {
    auto* combo = find<QComboBox>("ComboPort");
    combo->lineEdit()->setText(QStringLiteral(" /dev/pts/9 "));
    emit combo->lineEdit()->returnPressed();
    EXPECT_TRUE(window->session().port.isOpen());
    EXPECT_EQ(window->session().port.name, "/dev/pts/9");
    EXPECT_EQ(combo->currentData().toString(), "/dev/pts/9");
    window->linkControls().watchPorts(); // the system does not list it: it stays chosen and open
    EXPECT_TRUE(window->session().port.isOpen());
    EXPECT_EQ(combo->currentText(), "/dev/pts/9");
}

// The watch does not follow a path the system never lists: its loss says to choose the port
// again, and typing the same path again opens it.
TEST_F(MainWindowTest, ATypedPathThatWentAwayIsChosenAgainByTypingItAgain) {
    auto* combo = find<QComboBox>("ComboPort");
    const auto type = [combo] {
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), QStringLiteral("/dev/pts/9"));
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    };
    type();
    window->linkControls().watchPorts();
    ASSERT_TRUE(window->session().port.isOpen());
    dynamic_cast<test::ScriptedPort&>(*window->session().port.port).vanished = true;
    window->queueCommand("ReadAll");
    window->dispatchPending();
    EXPECT_FALSE(window->session().port.isOpen());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_NE(prompter.last().find("choose the port again"), std::string::npos) << prompter.last();
    EXPECT_EQ(prompter.last().find("by itself"), std::string::npos) << prompter.last();
    type();
    EXPECT_TRUE(window->session().port.isOpen());
    EXPECT_EQ(window->session().port.name, "/dev/pts/9");
}

// One truth, said once: the message says the port comes back by itself, the status line says
// nothing more, the port list shows it absent; the status line's news goes when it no longer
// holds.
TEST_F(MainWindowTest, ARepluggedPortIsOpenedAgainAndTheStatusLineSaysSo) {
    choosePort("ttyS0");
    ports.names = {SimulatorPortName};
    window->linkControls().watchPorts();
    EXPECT_FALSE(window->session().port.isOpen());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_NE(prompter.last().find("it opens again by itself when it is plugged back in"), std::string::npos);
    EXPECT_EQ(prompter.last().find("Choose a port again"), std::string::npos);
    EXPECT_EQ(window->statusBar()->currentMessage(), "");
    EXPECT_EQ(find<QComboBox>("ComboPort")->currentText(), QStringLiteral("ttyS0 \u2013 not present"));
    window->linkControls().watchPorts();
    EXPECT_EQ(prompter.messages.size(), 1u);
    ports.names = {"ttyS0", SimulatorPortName};
    window->linkControls().watchPorts();
    EXPECT_TRUE(window->session().port.isOpen());
    EXPECT_EQ(find<QComboBox>("ComboPort")->currentText(), "ttyS0");
    EXPECT_EQ(window->statusBar()->currentMessage(), "The serial port ttyS0 is back and open again.");
    choosePort(SimulatorPortName);
    EXPECT_EQ(window->statusBar()->currentMessage(), "");

    // A closed port that goes away is said in the status line, once.
    choosePort("ttyS0");
    window->session().port.port->close();
    ports.names = {SimulatorPortName};
    window->linkControls().watchPorts();
    EXPECT_EQ(window->statusBar()->currentMessage(),
              "The serial port ttyS0 was removed; it opens again by itself when it is plugged back in.");
    EXPECT_EQ(prompter.messages.size(), 1u);
}

TEST_F(MainWindowTest, UnsavedChangesFollowLoadEditSaveReadAndWriteAndGuardTheClose) {
    QTemporaryDir folder;
    const std::string file = folder.filePath(QStringLiteral("layout.dat")).toStdString();
    auto* idField = find<QLineEdit>("TextGenIDString");
    const std::string& idString = window->session().image.module.idString;
    const auto run = [this](const char* word) {
        window->queueCommand(word);
        window->dispatchPending();
    };
    EXPECT_FALSE(window->hasUnsavedChanges());
    window->session().image.currentPin = 7; // the selection is no change
    EXPECT_FALSE(window->hasUnsavedChanges());

    const auto type = [idField](const QString& text) {
        idField->setText(text);
        idField->setModified(true);
        emit idField->textEdited(text);
    };
    type(QStringLiteral("Depot"));
    EXPECT_TRUE(window->hasUnsavedChanges());
    dialogs.names = {file};
    Press(find("CommandSave"), Qt::LeftButton);
    EXPECT_FALSE(window->hasUnsavedChanges());

    type(QStringLiteral("Yard"));
    EXPECT_TRUE(window->hasUnsavedChanges());
    window->setSaveQuestion([] { return MainWindow::SaveChoice::Discard; });
    dialogs.names = {file};
    find<QPushButton>("CommandLoad")->click();
    EXPECT_EQ(idString, "Depot");
    EXPECT_FALSE(window->hasUnsavedChanges());

    choosePort("Simulator");
    type(QStringLiteral("Shed"));
    run("ReadAll");
    EXPECT_NE(idString, "Shed");
    EXPECT_FALSE(window->hasUnsavedChanges());
    type(QStringLiteral("Shed"));
    run("WritePin"); // a partial write leaves the edit unwritten
    EXPECT_TRUE(window->hasUnsavedChanges());
    run("WriteAll");
    EXPECT_FALSE(window->hasUnsavedChanges());

    type(QStringLiteral("Halt"));
    int asked = 0;
    MainWindow::SaveChoice answer = MainWindow::SaveChoice::Cancel;
    window->setSaveQuestion([&] {
        ++asked;
        return answer;
    });
    window->show();
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    answer = MainWindow::SaveChoice::Save; // the save dialog is cancelled: the window stays
    EXPECT_FALSE(window->close());
    answer = MainWindow::SaveChoice::Discard;
    EXPECT_TRUE(window->close());
    EXPECT_EQ(asked, 3);
    EXPECT_TRUE(prompter.messages.empty()) << prompter.last();
}

// The group-mask boxes stand in one grid under their flag numbers, and box i carries flag i.
TEST_F(MainWindowTest, EachGroupMaskBoxStandsUnderItsNumberAndSetsThatFlag) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QWidget* grid = find("LabelGenXGMlbl");
    const QList<QLabel*> numbers = grid->findChildren<QLabel*>();
    for (int i = 0; i < 16; ++i) {
        QWidget* box = find(QStringLiteral("CheckGenXGM(%1)").arg(i));
        const QRect boxArea(box->mapTo(grid, QPoint(0, 0)), box->size());
        QStringList above; // the numbers standing over the box
        for (QLabel* number : numbers) {
            const QRect area(number->mapTo(grid, QPoint(0, 0)), number->size());
            if (area.bottom() < boxArea.top() && area.center().x() >= boxArea.left() &&
                area.center().x() <= boxArea.right())
                above << number->text();
        }
        EXPECT_EQ(above, QStringList{QString::number(i)}) << "box " << i;
    }

    choosePort("Simulator");
    QTest::mouseClick(find("CheckGenXGM(9)"), Qt::LeftButton);
    find<QPushButton>("CommandGenAddrWrite")->click();
    EXPECT_EQ(simulator->setting(3), (std::vector<std::uint8_t>{0, 0, 2, 0}));  // sent as 96, 3, 0, 0, 2, 0
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{EnforcedUnknownText}); // never read: setting 2 stays
}

// "Load File" (and Ctrl+O) and "Read All" replace the configuration: with unsaved edits they ask
// first. Cancel does nothing; Save saves (a cancelled save dialog cancels); Discard goes on.
TEST_F(MainWindowTest, LoadFileAndReadAllAskBeforeReplacingUnsavedEdits) {
    QTemporaryDir folder;
    const std::string depot = folder.filePath(QStringLiteral("depot.dat")).toStdString();
    const std::string kept = folder.filePath(QStringLiteral("kept.dat")).toStdString();
    const std::string& idString = window->session().image.module.idString;
    auto* idField = find<QLineEdit>("TextGenIDString");
    MainWindow::SaveChoice answer = MainWindow::SaveChoice::Cancel;
    int asked = 0;
    window->setSaveQuestion([&] {
        ++asked;
        return answer;
    });
    window->show();
    QApplication::setActiveWindow(window.get());
    const auto loadByKeys = [this] { QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier); };

    test::TypeInto(idField, QStringLiteral("Depot"));
    dialogs.names = {depot};
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    dialogs.names = {depot};
    loadByKeys();
    EXPECT_EQ(asked, 0) << "nothing unsaved, nothing asked";
    EXPECT_TRUE(dialogs.names.empty());

    // Save writes the configuration's own file; without one it asks for a name.
    const std::string own = folder.filePath(QStringLiteral("own.dat")).toStdString();
    struct Case {
        MainWindow::SaveChoice choice;
        std::string file;              // the configuration's file before
        std::deque<std::string> names; // save dialog (for Save without a file), then open dialog
        const char* idAfter;
        std::string savedTo;
    };
    const Case cases[] = {
        {MainWindow::SaveChoice::Cancel, {}, {depot}, "Yard", {}},
        {MainWindow::SaveChoice::Save, {}, {"", depot}, "Yard", {}}, // save dialog cancelled
        {MainWindow::SaveChoice::Save, {}, {kept, depot}, "Depot", kept},
        {MainWindow::SaveChoice::Save, own, {depot}, "Depot", own},
        {MainWindow::SaveChoice::Discard, {}, {depot}, "Depot", {}},
    };
    for (const Case& c : cases) {
        window->setCurrentFile(c.file);
        test::TypeInto(idField, QStringLiteral("Yard"));
        answer = c.choice;
        asked = 0;
        dialogs.names = c.names;
        find<QPushButton>("CommandLoad")->click();
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(idString, c.idAfter);
        if (!c.savedTo.empty()) {
            std::string bytes;
            std::string error;
            ASSERT_TRUE(ReadFileBytes(c.savedTo, 1 << 20, bytes, error)) << error;
            EXPECT_NE(bytes.find("\"Yard\""), std::string::npos);
        }
    }

    choosePort("Simulator");
    test::TypeInto(idField, QStringLiteral("Shed"));
    answer = MainWindow::SaveChoice::Cancel;
    asked = 0;
    find<QPushButton>("CommandReadAll")->click();
    EXPECT_TRUE(find("LabelAction")->isHidden()) << "nothing queued";
    window->dispatchPending();
    EXPECT_EQ(idString, "Shed") << "Read All cancelled";
    answer = MainWindow::SaveChoice::Discard;
    find<QPushButton>("CommandReadAll")->click();
    window->dispatchPending();
    EXPECT_EQ(idString, simulator->idString());
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(prompter.messages.empty()) << prompter.last();
}

} // namespace
} // namespace vexa
