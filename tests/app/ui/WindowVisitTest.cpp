#include "app/ui/MainWindow.h"

#include "core/ui/UpDownControl.h"
#include "files/SafeFile.h"
#include "sim/Simulator.h"

#include "Fixtures.h"
#include "ui/UserInput.h"
#include "ui/WindowBench.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace vexa {
namespace {

class WindowVisitTest : public ::testing::Test, protected test::WindowBench {
protected:
    void SetUp() override {
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    QTabWidget* mainTabs() { return find<QTabWidget>("SSTab_Main"); }
    QWidget* page() { return mainTabs()->currentWidget(); }

    // Every field of the page shown, clicked one after the other; every option already chosen
    // clicked again; every list's shown item chosen again.
    void visitByClicks() {
        for (QLineEdit* field : page()->findChildren<QLineEdit*>())
            if (field->isVisible() && !qobject_cast<QComboBox*>(field->parentWidget()))
                QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, QPoint(4, field->height() / 2));
        for (QRadioButton* option : page()->findChildren<QRadioButton*>())
            if (option->isVisible() && option->isChecked())
                QTest::mouseClick(option, Qt::LeftButton);
        for (QComboBox* list : page()->findChildren<QComboBox*>())
            if (list->isVisible() && !list->isEditable())
                emit list->activated(list->currentIndex()); // what picking the shown item again sends
        visitByWheel();
    }

    // The wheel turned over every list, slider and pair of arrows of the page shown, with the
    // focus elsewhere: the page scrolls, no value changes.
    void visitByWheel() {
        if (QWidget* focus = QApplication::focusWidget())
            focus->clearFocus();
        QList<QWidget*> controls;
        for (auto* arrows : page()->findChildren<UpDownControl*>())
            controls << arrows;
        for (auto* list : page()->findChildren<QComboBox*>())
            controls << list;
        for (auto* slider : page()->findChildren<QSlider*>())
            controls << slider;
        for (QWidget* control : controls)
            if (control->isVisible())
                for (int delta : {120, -120, -120})
                    test::TurnWheel(control, delta);
    }

    // The first field of the page shown, clicked into.
    QLineEdit* focusFirstField() {
        for (QLineEdit* field : page()->findChildren<QLineEdit*>())
            if (field->isVisible() && !field->isReadOnly() && !qobject_cast<QComboBox*>(field->parentWidget())) {
                QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, QPoint(4, field->height() / 2));
                return field;
            }
        ADD_FAILURE() << "no field on the page";
        return nullptr;
    }

    // Tab through the whole window once, from a field of the page, pressing Enter in every
    // field on the way. Returns how many controls took the focus.
    int visitByTabs() {
        QLineEdit* start = focusFirstField();
        if (!start)
            return 0;
        int visited = 0;
        for (int presses = 0; presses < 400; ++presses) {
            QWidget* focus = QApplication::focusWidget();
            if (auto* field = qobject_cast<QLineEdit*>(focus);
                field && !qobject_cast<QComboBox*>(focus->parentWidget()))
                QTest::keyClick(field, Qt::Key_Return);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            ++visited;
            if (QApplication::focusWidget() == start)
                return visited;
        }
        ADD_FAILURE() << "Tab did not come round to where it started";
        return visited;
    }

    void visit() {
        visitByClicks();
        EXPECT_GT(visitByTabs(), 10) << "Tab moves through the page";
    }

    // Ctrl+Tab from a field of the page moves on to the window's next tab.
    void nextTab(int expected) {
        focusFirstField();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        ASSERT_EQ(mainTabs()->currentIndex(), expected);
    }

    void showPin(int shown) { test::TypeAndEnter(find<QLineEdit>("TextPAspOutput"), QString::number(shown)); }
    void showEventPin(int shown) { test::TypeAndEnter(find<QLineEdit>("TextECpin"), QString::number(shown)); }
    void nextAspect() {
        QTest::mouseClick(find<UpDownControl>("UpDownPAspAspect")->findChild<QToolButton*>(QStringLiteral("up")),
                          Qt::LeftButton);
    }
};

// A file holding values of every kind, many beyond what the fields accept, is loaded; every
// field of every page is clicked, tabbed through and left with Enter; every chosen option is
// chosen again. Saving gives the file's bytes back: a visit changes nothing.
TEST_F(WindowVisitTest, VisitingEveryFieldOfEveryPageChangesNoByte) {
    const std::string original = test::FixturePath(test::RichDataFile);
    QTemporaryDir folder;
    const std::string saved = folder.filePath(QStringLiteral("saved.dat")).toStdString();
    dialogs.names = {original};
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(window->session().image.module.dccAddress, 9999);

    mainTabs()->setCurrentIndex(MainWindow::GeneralTab);
    visit();
    nextTab(MainWindow::EventTab);
    for (int pin : {1, 2, 32}) {
        showEventPin(pin);
        visit();
    }
    nextTab(MainWindow::DeviceTab);
    find<QCheckBox>("CheckPAspShowDetails")->click(); // the view only
    for (int pin : {1, 2, 3, 4, 5, 6, 7, 8, 32}) {
        showPin(pin);
        const PinRecord& record = window->session().image.pins[static_cast<std::size_t>(pin - 1)];
        const int aspects = record.aspectLayout == LayoutFourByNine      ? 4
                            : record.aspectLayout == LayoutTwelveByThree ? 12
                                                                         : 1;
        for (int aspect = 0; aspect < aspects; ++aspect) {
            visit();
            nextAspect();
        }
    }
    showPin(1); // a servo: Ctrl+Shift+Tab from its type page goes back to the window's tab before
    QTest::mouseClick(find("TextSrvInitPos"), Qt::LeftButton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier);
    EXPECT_EQ(mainTabs()->currentIndex(), MainWindow::EventTab);

    dialogs.names = {saved}; // Save As: Ctrl+S alone writes the file loaded
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    std::string bytes;
    std::string error;
    ASSERT_TRUE(ReadFileBytes(saved, 1 << 20, bytes, error)) << error;
    std::string expected;
    ASSERT_TRUE(ReadFileBytes(original, 1 << 20, expected, error)) << error;
    EXPECT_EQ(bytes, expected);
    EXPECT_TRUE(prompter.messages.empty()) << prompter.last();
}

// The wheel over a pair of arrows or a list changes its value only while it (or its field) has
// the focus; passing over it otherwise leaves the turn to the page, which scrolls.
TEST_F(WindowVisitTest, TheWheelChangesAValueOnlyWhileItHasTheFocus) {
    mainTabs()->setCurrentIndex(MainWindow::GeneralTab);
    ModuleSettings& module = window->session().image.module;
    const int address = module.dccAddress;
    const int baud = module.serialBaud;
    if (QWidget* focus = QApplication::focusWidget())
        focus->clearFocus();
    auto* arrows = find<UpDownControl>("UpDownGenDCCAddress");
    auto* bauds = find<QComboBox>("ComboGenBaud");
    EXPECT_FALSE(test::TurnWheel(arrows, -120));
    EXPECT_FALSE(test::TurnWheel(bauds, -120));
    EXPECT_EQ(module.dccAddress, address);
    EXPECT_EQ(module.serialBaud, baud);

    QTest::mouseClick(find("TextGenDCCAddress"), Qt::LeftButton);
    EXPECT_TRUE(test::TurnWheel(arrows, 120));
    EXPECT_EQ(module.dccAddress, address + 1);
    bauds->setFocus();
    EXPECT_TRUE(test::TurnWheel(bauds, -120));
    EXPECT_NE(module.serialBaud, baud);
}

} // namespace
} // namespace vexa
