#include "dialogs/ui/PinDialogs.h"

#include "TestSeams.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace vexa {
namespace {

// Runs `act` on the named dialog as soon as its modal loop runs. A dialog that `act` leaves
// open is a failure and is closed, so that a failing test cannot hang.
void WhenShown(QWidget& parent, const char* name, std::function<void(QDialog&)> act) {
    QTimer::singleShot(0, &parent, [&parent, name, act] {
        auto* dialog = parent.findChild<QDialog*>(QString::fromLatin1(name));
        if (dialog == nullptr || !dialog->isVisible()) {
            ADD_FAILURE() << name << " is not shown";
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
            return;
        }
        act(*dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << name << " was left open";
            dialog->reject();
        }
    });
}

template <typename T> T* Control(QDialog& dialog, const char* name) {
    return dialog.findChild<T*>(QString::fromLatin1(name));
}

void Click(QDialog& dialog, const char* name) {
    auto* button = Control<QAbstractButton>(dialog, name);
    ASSERT_NE(button, nullptr) << name;
    ASSERT_TRUE(button->isEnabled()) << name;
    button->click();
}

class PinDialogsTest : public ::testing::Test {
protected:
    test::RecordingPrompter prompter;
    test::FakeClock clock;
    test::ScriptedPortProvider provider;
    Session session{prompter, clock, provider};
    QWidget window;
    PinDialogs dialogs{session, &window};
};

TEST_F(PinDialogsTest, PatternCalculatorPresetsTheBoxesAndReturnsTheSumOnOk) {
    WhenShown(window, "dlgVexaCalcPattern", [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "LumoConfig Calculate Pattern");
        EXPECT_TRUE(dialog.isModal());
        auto* output0 = Control<QCheckBox>(dialog, "chkUitgang(0)");
        auto* output4 = Control<QCheckBox>(dialog, "chkUitgang(4)");
        auto* allDark = Control<QCheckBox>(dialog, "chkAllDark");
        auto* noDark = Control<QCheckBox>(dialog, "chkNoDark");
        auto* parameter = Control<QLineEdit>(dialog, "txtParameter");
        ASSERT_TRUE(output0 && output4 && allDark && noDark && parameter);
        EXPECT_EQ(output4->text(), "Output +4");
        EXPECT_TRUE(output0->isChecked());
        EXPECT_FALSE(output4->isEnabled());
        EXPECT_TRUE(allDark->isChecked());
        EXPECT_EQ(Control<QLineEdit>(dialog, "txtOriginal")->text(), "45");
        Click(dialog, "chkUitgang(1)");
        EXPECT_EQ(parameter->text(), "47");
        Click(dialog, "chkNoDark");
        EXPECT_FALSE(allDark->isChecked());
        EXPECT_EQ(parameter->text(), "79");
        Click(dialog, "OKButton");
    });
    EXPECT_EQ(dialogs.runPatternCalculator("45", 4), std::optional<int>(79));
}

TEST_F(PinDialogsTest, PatternCalculatorCancelLeavesTheValue) {
    WhenShown(window, "dlgVexaCalcPattern", [](QDialog& dialog) {
        Click(dialog, "chkUitgang(3)");
        EXPECT_EQ(Control<QLineEdit>(dialog, "txtParameter")->text(), "13");
        Click(dialog, "CancelButton");
    });
    EXPECT_EQ(dialogs.runPatternCalculator("5", 7), std::nullopt);
    auto* pattern = window.findChild<QDialog*>("dlgVexaCalcPattern");
    ASSERT_NE(pattern, nullptr);
    EXPECT_EQ(Control<QLineEdit>(*pattern, "txtParameter")->text(), "5");

    // The same dialog opens again, preset anew; there is only ever one.
    WhenShown(window, "dlgVexaCalcPattern", [](QDialog& dialog) {
        EXPECT_FALSE(Control<QCheckBox>(dialog, "chkUitgang(3)")->isChecked());
        EXPECT_FALSE(Control<QCheckBox>(dialog, "chkAllDark")->isEnabled());
        Click(dialog, "OKButton");
    });
    EXPECT_EQ(dialogs.runPatternCalculator("5", 7), std::optional<int>(5));
    EXPECT_EQ(window.findChildren<QDialog*>("dlgVexaCalcPattern").size(), 1);
}

TEST_F(PinDialogsTest, EventPatternCalculatorComposesInputsAndOperation) {
    WhenShown(window, "dlgVexaCalcEventPattern", [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "VexaConfig CalcETImap");
        auto* execute = Control<QRadioButton>(dialog, "optEvent(1)");
        auto* input2 = Control<QCheckBox>(dialog, "chkEvent(2)");
        ASSERT_TRUE(execute && input2);
        EXPECT_TRUE(execute->isChecked());
        EXPECT_TRUE(input2->isChecked());
        EXPECT_EQ(Control<QLineEdit>(dialog, "txtParameter")->text(), "20");
        Click(dialog, "chkEvent(2)");
        Click(dialog, "chkEvent(1)");
        Click(dialog, "chkEvent(3)");
        Click(dialog, "optEvent(6)");
        EXPECT_EQ(Control<QRadioButton>(dialog, "optEvent(6)")->text(), "Disable Off-Event");
        EXPECT_FALSE(execute->isChecked());
        EXPECT_EQ(Control<QLineEdit>(dialog, "txtParameter")->text(), "106");
        Click(dialog, "OKButton");
    });
    EXPECT_EQ(dialogs.runEventPatternCalculator("2"), std::optional<int>(106));

    WhenShown(window, "dlgVexaCalcEventPattern", [](QDialog& dialog) {
        EXPECT_TRUE(Control<QRadioButton>(dialog, "optEvent(6)")->isChecked());
        Click(dialog, "optEvent(3)");
        Click(dialog, "CancelButton");
    });
    EXPECT_EQ(dialogs.runEventPatternCalculator("106"), std::nullopt);
    auto* eventPattern = window.findChild<QDialog*>("dlgVexaCalcEventPattern");
    ASSERT_NE(eventPattern, nullptr);
    EXPECT_EQ(Control<QLineEdit>(*eventPattern, "txtParameter")->text(), "106");
}

TEST_F(PinDialogsTest, TimeCalculatorShowsDurationsAndReturnsTimeAndBase) {
    WhenShown(window, "dlgCT", [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "VexaConfig CalcTime");
        auto* slider = Control<QSlider>(dialog, "SliderCTTime");
        auto* base = Control<QSpinBox>(dialog, "UpDownCTBase");
        auto* time = Control<QLabel>(dialog, "LabelCTTimeValue");
        auto* maxTime = Control<QLabel>(dialog, "LabelCTMaxTimeValue");
        ASSERT_TRUE(slider && base && time && maxTime);
        ASSERT_NE(Control<QLineEdit>(dialog, "TextCTBase"), nullptr);
        EXPECT_EQ(Control<QLineEdit>(dialog, "TextCTBase")->text(), "1");
        EXPECT_EQ(slider->value(), 50);
        EXPECT_EQ(slider->pageStep(), 5);
        EXPECT_EQ(time->text(), "00:08.00");
        EXPECT_EQ(maxTime->text(), "00:10.08");
        base->stepDown();
        EXPECT_EQ(maxTime->text(), "00:01.26");
        EXPECT_EQ(time->text(), "00:01.00");
        slider->setValue(7);
        EXPECT_EQ(time->text(), "00:00.14");
        Click(dialog, "OKButton");
    });
    const auto result = dialogs.runTimeCalculator("1", 50);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->timeValue, 7);
    EXPECT_EQ(result->base, 0);
}

TEST_F(PinDialogsTest, TimeCalculatorCancelPutsTheOpeningValuesBack) {
    WhenShown(window, "dlgCT", [](QDialog& dialog) {
        Control<QSlider>(dialog, "SliderCTTime")->setValue(1);
        Control<QSpinBox>(dialog, "UpDownCTBase")->setValue(3);
        Click(dialog, "CancelButton");
    });
    EXPECT_FALSE(dialogs.runTimeCalculator("2", 20).has_value());
    auto* time = window.findChild<QDialog*>("dlgCT");
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(Control<QSlider>(*time, "SliderCTTime")->value(), 20);
    EXPECT_EQ(Control<QSpinBox>(*time, "UpDownCTBase")->value(), 2);
    EXPECT_EQ(Control<QLabel>(*time, "LabelCTTimeValue")->text(), "00:25.60");
    EXPECT_EQ(Control<QLabel>(*time, "LabelCTMaxTimeValue")->text(), "01:20.64");
}

TEST_F(PinDialogsTest, PinClipboardLastsBetweenOpenings) {
    PinRecord& member = session.image.pins[4];
    member.deviceReferral = -2;
    member.description = "Arm";
    session.image.currentPin = 4;
    WhenShown(window, "dlgEditPin", [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Edit Pin");
        EXPECT_EQ(Control<QPushButton>(dialog, "CommandCopyPin")->text(), "Copy Pin");
        Click(dialog, "CommandCopyPin");
    });
    EXPECT_FALSE(dialogs.runEditPin());

    session.image.currentPin = 10;
    WhenShown(window, "dlgEditPin", [](QDialog& dialog) { Click(dialog, "CommandPastePin"); });
    EXPECT_TRUE(dialogs.runEditPin());
    EXPECT_EQ(session.image.pins[10].description, "Arm");
    EXPECT_EQ(session.image.pins[10].deviceReferral, -8);
    EXPECT_TRUE(prompter.messages.empty());

    WhenShown(window, "dlgEditPin", [](QDialog& dialog) { Click(dialog, "CommandClearPin"); });
    EXPECT_TRUE(dialogs.runEditPin());
    EXPECT_EQ(session.image.pins[10].description, "");
}

TEST_F(PinDialogsTest, PasteBeforeCopyKeepsTheDialogOpen) {
    session.image.pins[0].description = "keep";
    const ConfigurationImage before = session.image;
    WhenShown(window, "dlgEditPin", [this](QDialog& dialog) {
        Click(dialog, "CommandPastePin");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Nothing to Paste"});
        Click(dialog, "commandCancel");
    });
    EXPECT_FALSE(dialogs.runEditPin());

    WhenShown(window, "dlgEditAspect", [this](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Edit Aspect");
        Click(dialog, "CommandPaste");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(prompter.messages.size(), 2U);
        EXPECT_EQ(prompter.last(), "Nothing to Paste");
        Click(dialog, "CommandCancel");
    });
    EXPECT_FALSE(dialogs.runEditAspect());
    EXPECT_EQ(session.image, before);
}

TEST_F(PinDialogsTest, AspectDialogCopiesAndCleansUp) {
    AspectRecord& source = session.image.pins[2].aspects[1];
    source.description = "Stop";
    source.steps[0].instruction = 9;
    source.steps[1].par1 = 7; // empty step with a leftover parameter
    source.steps[2].instruction = 8;
    session.image.currentPin = 2;
    session.image.currentAspect = 1;
    WhenShown(window, "dlgEditAspect", [](QDialog& dialog) { Click(dialog, "CommandCopy"); });
    EXPECT_FALSE(dialogs.runEditAspect());
    WhenShown(window, "dlgEditAspect", [](QDialog& dialog) { Click(dialog, "CommandClean"); });
    EXPECT_TRUE(dialogs.runEditAspect());
    EXPECT_EQ(source.steps[2], AspectStep{});

    session.image.currentAspect = 3;
    WhenShown(window, "dlgEditAspect", [](QDialog& dialog) { Click(dialog, "CommandPaste"); });
    EXPECT_TRUE(dialogs.runEditAspect());
    EXPECT_EQ(session.image.pins[2].aspects[3].description, "Stop");
    EXPECT_EQ(session.image.pins[2].aspects[3].steps[2].instruction, 8);
}

TEST_F(PinDialogsTest, StepDialogInsertsAndDeletesAtTheSelectedStep) {
    PinRecord& pin = session.image.pins[5];
    pin.aspectLayout = LayoutTwelveByThree;
    pin.aspects[0].steps[0].instruction = 1;
    pin.aspects[0].steps[1].instruction = 2;
    pin.aspects[0].steps[2].instruction = 3;
    session.image.currentPin = 5;
    WhenShown(window, "dlgEditStep", [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Edit Step");
        Click(dialog, "commandInsert");
    });
    EXPECT_TRUE(dialogs.runEditStep(1));
    EXPECT_EQ(pin.aspects[0].steps[1].instruction, 0);
    EXPECT_EQ(pin.aspects[0].steps[2].instruction, 2);

    WhenShown(window, "dlgEditStep", [](QDialog& dialog) { Click(dialog, "commandDelete"); });
    EXPECT_TRUE(dialogs.runEditStep(0));
    EXPECT_EQ(pin.aspects[0].steps[0].instruction, 0);

    WhenShown(window, "dlgEditStep", [](QDialog& dialog) { Click(dialog, "commandCancel"); });
    EXPECT_FALSE(dialogs.runEditStep(1));
    EXPECT_EQ(pin.aspects[0].steps[1].instruction, 2);
}

} // namespace
} // namespace vexa
