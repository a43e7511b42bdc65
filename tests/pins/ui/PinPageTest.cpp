#include "pins/ui/PinPage.h"

#include "../PinFrames.h"
#include "TestRunner.h"
#include "TestSeams.h"
#include "core/ui/UpDownControl.h"
#include "dialogs/ui/PinDialogs.h"
#include "pins/PinConfigTypes.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

#include <gtest/gtest.h>

namespace vexa {
namespace {

class PinPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::SynchronisedLink(bench);
        bench.session.link.bidirectional = false;
    }

    PinPage& page() {
        if (!page_) {
            page_ = std::make_unique<PinPage>(bench.session, queue, dialogs_);
            page_->resize(1250, 650);
            page_->show();
            QApplication::setActiveWindow(page_.get());
        }
        return *page_;
    }
    template <typename T = QWidget> T* find(const QString& name) {
        T* widget = page().findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QLineEdit* field(const QString& name) { return find<QLineEdit>(name); }
    bool shown(const QString& name) { return find(name)->isVisibleTo(&page()); }
    PinRecord& pin(int n) { return bench.session.image.pins[static_cast<std::size_t>(n)]; }
    AspectStep& step(int p, int aspect, int s) {
        return pin(p).aspects[static_cast<std::size_t>(aspect)].steps[static_cast<std::size_t>(s)];
    }

    // Gives the field the focus, empties it and types the text key by key.
    void typeInto(QLineEdit* edit, const QString& text) {
        edit->setFocus(Qt::MouseFocusReason);
        edit->selectAll();
        for (QChar character : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
            QApplication::sendEvent(edit, &press);
        }
    }
    void leave(QLineEdit* edit) {
        (void)edit;
        find(QStringLiteral("CheckPAspShowDetails"))->setFocus(Qt::TabFocusReason);
    }
    void doubleClick(QWidget* widget) {
        const QPointF at(4, 4);
        QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &press);
        QMouseEvent twice(QEvent::MouseButtonDblClick, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &twice);
    }
    void turn(const QString& upDown, int steps) { find<UpDownControl>(upDown)->stepBy(steps); }
    void showDetails() { find<QCheckBox>(QStringLiteral("CheckPAspShowDetails"))->click(); }

    test::TestBench bench;
    test::TestRunner queue{bench.session};
    PinDialogs dialogs_{bench.session, nullptr};
    std::unique_ptr<PinPage> page_;
};

TEST_F(PinPageTest, TurningTheAspectUpDownKeepsAStepValueTypedWithoutLeavingTheBox) {
    pin(0).aspectLayout = LayoutFourByNine;
    step(0, 0, 0).instruction = 38; // "Set Level"
    step(0, 1, 0).instruction = 38;
    step(0, 1, 0).par1 = 5;
    showDetails();
    QLineEdit* par1 = field(QStringLiteral("TextPAspPar1(0)"));
    typeInto(par1, QStringLiteral("17"));
    ASSERT_EQ(QApplication::focusWidget(), par1);

    find<UpDownControl>(QStringLiteral("UpDownPAspAspect"))->findChild<QToolButton*>(QStringLiteral("up"))->click();
    EXPECT_EQ(QApplication::focusWidget(), par1) << "the arrows take no focus";
    EXPECT_EQ(step(0, 0, 0).par1, 17);
    EXPECT_EQ(bench.session.image.currentAspect, 1);
    EXPECT_EQ(field(QStringLiteral("TextPAspAspect"))->text(), "1");
    EXPECT_EQ(par1->text(), "5");

    turn(QStringLiteral("UpDownPAspAspect"), -1);
    EXPECT_EQ(par1->text(), "17");
}

TEST_F(PinPageTest, TurningThePinUpDownCommitsEveryFieldFirst) {
    InstallFamilyDefaults(pin(0), TypeFamily::Pwm);
    pin(0).aspectLayout = LayoutTwelveByThree;
    step(0, 0, 2).instruction = 102; // "Wait"
    showDetails();
    typeInto(field(QStringLiteral("TextPAspPar2(2)")), QStringLiteral("50"));
    turn(QStringLiteral("UpDownPAspOutput"), 1);
    EXPECT_EQ(step(0, 0, 2).par2, 50);
    EXPECT_EQ(bench.session.image.currentPin, 1);
    EXPECT_EQ(field(QStringLiteral("TextPAspOutput"))->text(), "2");

    bench.session.image.currentPin = 0;
    page().refreshFromSession();
    typeInto(field(QStringLiteral("TextPWMOnLevel")), QStringLiteral("40"));
    turn(QStringLiteral("UpDownPAspOutput"), 1);
    EXPECT_EQ(pin(0).param(5), 31);
}

TEST_F(PinPageTest, ChoosingWaitGreysTheUnusedBoxesAndHidesTheFadeBox) {
    pin(0).aspectLayout = LayoutFourByNine;
    step(0, 0, 3) = {39, 1, 2, 80, 0, 0}; // "Set Servo" with fade
    showDetails();
    EXPECT_TRUE(shown(QStringLiteral("CheckPAspFade(3)")));
    EXPECT_EQ(field(QStringLiteral("TextPAspPar1(3)"))->text(), "16");

    auto* combo = find<QComboBox>(QStringLiteral("ComboPAspInst(3)"));
    const int wait = combo->findData(102);
    combo->setCurrentIndex(wait);
    emit combo->activated(wait);
    EXPECT_EQ(step(0, 0, 3), (AspectStep{102, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(shown(QStringLiteral("CheckPAspFade(3)")));
    QLineEdit* offset = field(QStringLiteral("TextPAspOffset(3)"));
    EXPECT_EQ(offset->text(), "0");
    EXPECT_EQ(offset->palette().color(QPalette::Base), page().palette().color(QPalette::Button));
    EXPECT_EQ(field(QStringLiteral("TextPAspPar2(3)"))->palette().color(QPalette::Base),
              page().palette().color(QPalette::Base));
    EXPECT_EQ(find<QLabel>(QStringLiteral("LabelPAspHFade"))->text(), "");
    EXPECT_EQ(find<QLabel>(QStringLiteral("LabelPASpHParam2"))->text(), "Time");
    EXPECT_EQ(find<QLabel>(QStringLiteral("LabelPAspOffset"))->text(), "");
}

TEST_F(PinPageTest, FieldsTheWireCannotCarryAreMarkedWithWhatItCarries) {
    pin(0).aspectLayout = LayoutFourByNine;
    pin(0).initialAspect = 9;
    pin(0).dccAddressCount = 12;
    step(0, 0, 2) = {102, 0, 0, 0, 5, 200}; // "Wait" with parameter 3 beyond a data byte
    showDetails();
    struct Mark {
        const char* field;
        const char* tip; // what the wire carries
    };
    for (const Mark& mark : {Mark{"TextPAspPar3(2)", "parameter 3 = 200 cannot be sent (0..127)"},
                             Mark{"TextPAspInit", "initial aspect = 8 cannot be sent (-1..3)"},
                             Mark{"TextPaspDCCn", "DCC address count = 12 cannot be sent (0..7)"}}) {
        EXPECT_EQ(find(QLatin1String(mark.field))->toolTip().toStdString(), mark.tip);
        EXPECT_FALSE(find(QLatin1String(mark.field))->styleSheet().isEmpty()) << mark.field;
    }
    EXPECT_TRUE(find(QStringLiteral("TextPAspPar3(1)"))->styleSheet().isEmpty());

    // Values no field shows: a layout the wire has no code for (shown as "0"), and the parameters
    // of an input, which has no number fields.
    pin(1).aspectLayout = 7;
    pin(2).configType = TypeInput;
    pin(2).param(1) = 130;
    struct Unshown {
        int pin;
        const char* field;
        const char* tip;
    };
    for (const Unshown& mark : {Unshown{1, "OptionPAspConf(0)", "aspect layout = 7 cannot be sent (0, 2 or 3)"},
                                Unshown{2, "CheckInputInvert", "parameter 1 = 130 cannot be sent (0..127)"}}) {
        bench.session.image.currentPin = mark.pin;
        page().refreshFromSession();
        EXPECT_EQ(find(QLatin1String(mark.field))->toolTip().toStdString(), mark.tip);
    }
    bench.session.image.currentPin = 0;
    page().refreshFromSession();

    // Sendable again: the mark goes and the field's own tooltip comes back.
    step(0, 0, 2).par3 = 20;
    pin(0).dccAddressCount = 2;
    page().refreshFromSession();
    EXPECT_EQ(find(QStringLiteral("TextPAspPar3(2)"))->toolTip(), "Double-click for help-tool");
    EXPECT_EQ(find(QStringLiteral("TextPaspDCCn"))->toolTip(), "Nr of DCC addresses assigned to Pin");
    EXPECT_TRUE(find(QStringLiteral("TextPaspDCCn"))->styleSheet().isEmpty());
}

TEST_F(PinPageTest, StepFieldsClampAndTheTimeLabelFollows) {
    pin(1).aspectLayout = LayoutFourByNine;
    step(1, 0, 0).instruction = 9;   // "On"
    step(1, 0, 1).instruction = 102; // "Wait"
    bench.session.image.currentPin = 1;
    showDetails();
    QLineEdit* offset = field(QStringLiteral("TextPAspOffset(0)"));
    typeInto(offset, QStringLiteral("-3"));
    leave(offset);
    EXPECT_EQ(offset->text(), "-1");
    EXPECT_EQ(step(1, 0, 0).offset, 31);

    typeInto(field(QStringLiteral("TextPAspPar2(1)")), QStringLiteral("63"));
    typeInto(field(QStringLiteral("TextPAspPar3(1)")), QStringLiteral("5"));
    leave(field(QStringLiteral("TextPAspPar3(1)")));
    EXPECT_EQ(field(QStringLiteral("TextPAspPar3(1)"))->text(), "3");
    EXPECT_EQ(find<QLabel>(QStringLiteral("LabelPAspTime(1)"))->text(), "10:45.12");
    EXPECT_EQ(find<QLabel>(QStringLiteral("LabelPAspTime(0)"))->text(), "00:00.00");
}

TEST_F(PinPageTest, AHelpToolThatDoesNotFitSaysSo) {
    pin(0).aspectLayout = LayoutFourByNine;
    step(0, 0, 0).instruction = 38; // "Set Level"
    showDetails();
    doubleClick(field(QStringLiteral("TextPAspPar3(0)")));
    EXPECT_EQ(bench.prompter.last(), "Help tool not available for this box with the selected command");
}

TEST_F(PinPageTest, LayoutChoiceShowsTheRowsAndClipsTheAspect) {
    pin(0).aspectLayout = LayoutTwelveByThree;
    bench.session.image.currentAspect = 7;
    showDetails();
    EXPECT_TRUE(shown(QStringLiteral("ComboPAspInst(2)")));
    EXPECT_FALSE(shown(QStringLiteral("ComboPAspInst(3)")));
    EXPECT_EQ(field(QStringLiteral("TextPAspAspect"))->text(), "7");

    find<QRadioButton>(QStringLiteral("OptionPAspConf(1)"))->click();
    EXPECT_EQ(pin(0).aspectLayout, LayoutFourByNine);
    EXPECT_EQ(field(QStringLiteral("TextPAspAspect"))->text(), "3");
    EXPECT_EQ(find<UpDownControl>(QStringLiteral("UpDownPAspAspect"))->highest(), 3);
    EXPECT_TRUE(shown(QStringLiteral("ComboPAspInst(8)")));
    typeInto(field(QStringLiteral("TextPAspInit")), QStringLiteral("9"));
    leave(field(QStringLiteral("TextPAspInit")));
    EXPECT_EQ(pin(0).initialAspect, 4);

    find<QRadioButton>(QStringLiteral("OptionPAspConf(0)"))->click();
    EXPECT_FALSE(shown(QStringLiteral("TextPAspAspect")));
    EXPECT_FALSE(shown(QStringLiteral("CommandPAspWriteAspect")));
    EXPECT_FALSE(shown(QStringLiteral("ComboPAspInst(0)")));
}

TEST_F(PinPageTest, DetailViewAndExpertMode) {
    page();
    EXPECT_FALSE(shown(QStringLiteral("FrameAspdetails")));
    EXPECT_FALSE(shown(QStringLiteral("SSTabPCFG")));
    EXPECT_FALSE(shown(QStringLiteral("LabelPASPAdrCnt"))) << "all counts are 1";
    showDetails();
    EXPECT_TRUE(shown(QStringLiteral("SSTabPCFG")));
    EXPECT_TRUE(shown(QStringLiteral("CommandPCFGGetParam(0)")));
    EXPECT_FALSE(shown(QStringLiteral("CommandPCFGGetParam(1)")));
    EXPECT_TRUE(shown(QStringLiteral("TextPaspDCCn")));
    bench.session.expertMode = true;
    page().applyDetailView();
    EXPECT_TRUE(shown(QStringLiteral("CommandPCFGGetParam(1)")));
    EXPECT_TRUE(shown(QStringLiteral("CommandPCFGSetParam(1)")));
    QList<QString> names;
    for (QWidget* widget : page().expertWidgets())
        names.push_back(widget->objectName());
    EXPECT_EQ(names, (QList<QString>{"CommandReadPin", "CommandWritePin", "CommandVerifyAllPins"}));
}

TEST_F(PinPageTest, PinFieldAndAddressCounts) {
    field(QStringLiteral("TextPAspOutput"));
    QLineEdit* pinField = field(QStringLiteral("TextPAspOutput"));
    typeInto(pinField, QStringLiteral("40"));
    leave(pinField);
    EXPECT_EQ(bench.session.image.currentPin, 31);
    EXPECT_EQ(pinField->text(), "32");
    typeInto(pinField, QStringLiteral("0"));
    leave(pinField);
    EXPECT_EQ(bench.session.image.currentPin, 0);
    EXPECT_EQ(pinField->text(), "1");

    showDetails();
    std::vector<int> countChanges;
    QObject::connect(&page(), &PinPage::addressCountChanged, [&countChanges](int p) { countChanges.push_back(p); });
    QLineEdit* dcc = field(QStringLiteral("TextPaspDCCn"));
    typeInto(dcc, QStringLiteral("9"));
    leave(dcc);
    EXPECT_EQ(dcc->text(), "6");
    EXPECT_EQ(pin(0).dccAddressCount, 6);
    page().commitEdits();
    EXPECT_EQ(countChanges, std::vector<int>{0}) << "only a change is reported";
    showDetails(); // off again: a count other than 1 stays in sight
    EXPECT_TRUE(shown(QStringLiteral("TextPaspDCCn")));
    EXPECT_FALSE(shown(QStringLiteral("TextPaspLumon")));
    EXPECT_TRUE(shown(QStringLiteral("LabelPASPAdrCnt")));
}

TEST_F(PinPageTest, DescriptionsRefuseQuotesAndDeviceFieldsFollowTheReferral) {
    QLineEdit* description = field(QStringLiteral("TextPAspDesc"));
    typeInto(description, QStringLiteral("Sig\"nal"));
    EXPECT_EQ(description->text(), "Signal");
    EXPECT_EQ(pin(0).description, "Signal");
    description->insert(QStringLiteral(" \"A\"\r\n2"));
    EXPECT_EQ(description->text(), "Signal A2") << "a paste keeps its other characters";
    EXPECT_EQ(pin(0).description, "Signal A2");

    // A keyword of the files may stand on the way to a longer text, but is never stored.
    const std::vector<std::pair<QString, std::string*>> fields{
        {QStringLiteral("TextPAspDesc"), &pin(0).description},
        {QStringLiteral("TextDeviceDescription"), &pin(0).deviceDescription}};
    for (const auto& [name, stored] : fields) {
        typeInto(field(name), QStringLiteral("Dev"));
        EXPECT_EQ(*stored, "De") << name.toStdString();
        EXPECT_FALSE(field(name)->toolTip().isEmpty()) << "marked while it stands there";
        leave(field(name));
        EXPECT_EQ(field(name)->text(), "De") << "the field shows what is stored";
        EXPECT_TRUE(field(name)->toolTip().isEmpty());
        typeInto(field(name), QStringLiteral("Device"));
        EXPECT_EQ(*stored, "Device");
    }

    pin(4).deviceDescription = "Home signal";
    bench.session.image.currentPin = 7;
    bench.session.numberingBase = 0;
    page().refreshFromSession();
    QLineEdit* devicePin = field(QStringLiteral("TextDevicePin"));
    typeInto(devicePin, QStringLiteral("4"));
    leave(devicePin);
    EXPECT_EQ(pin(7).deviceReferral, -3);
    EXPECT_EQ(field(QStringLiteral("TextDeviceDescription"))->text(), "Home signal");
    EXPECT_TRUE(field(QStringLiteral("TextDeviceDescription"))->isReadOnly());

    pin(4).deviceReferral = 1;
    page().refreshFromSession();
    EXPECT_EQ(field(QStringLiteral("TextDeviceDescription"))->text(), "<Referral is no Device !>");
    find<QPushButton>(QStringLiteral("CommandWriteDevice"))->click();
    EXPECT_EQ(bench.prompter.last(), "Referral is not a device");
    EXPECT_TRUE(queue.words.empty());
    find<QPushButton>(QStringLiteral("CommandReadPin"))->click();
    EXPECT_EQ(queue.words, (std::vector<std::string>{"ReadPin"}));
}

TEST_F(PinPageTest, TypeTabsInstallDefaultsOnlyForAnotherFamily) {
    pin(0).configType = 3;
    pin(0).configParams = {5, 1, 10, 2, 20, 0, 0, 0, 0, 0, 0};
    showDetails();
    auto* tabs = find<QTabWidget>(QStringLiteral("SSTabPCFG"));
    EXPECT_EQ(tabs->currentIndex(), 2);
    EXPECT_TRUE(find<QCheckBox>(QStringLiteral("CheckPWMInverted"))->isChecked());
    EXPECT_TRUE(find<QRadioButton>(QStringLiteral("OptionPWMDriveMode(1)"))->isChecked());
    EXPECT_EQ(field(QStringLiteral("TextPWMOnLevel"))->text(), "20");

    bench.session.image.module.hwcSource[0] = true;
    tabs->setCurrentIndex(1);
    EXPECT_EQ(pin(0).configType, 1);
    EXPECT_EQ(pin(0).param(4), 127);
    EXPECT_EQ(field(QStringLiteral("TextSrvFriction"))->text(), "58");
    EXPECT_TRUE(shown(QStringLiteral("LabelSrvHWCWarn")));

    find<QRadioButton>(QStringLiteral("OptionServoRange(3)"))->click();
    find<QCheckBox>(QStringLiteral("ChkSrvAutoSuspend"))->click();
    EXPECT_EQ(pin(0).param(2), 27);
}

TEST_F(PinPageTest, AnUnknownTypeIsReportedAndKeptOnRefresh) {
    pin(0).configType = 9;
    page();
    EXPECT_EQ(bench.prompter.last(), "Unknown configuration: 9");
    const std::size_t messages = bench.prompter.messages.size();
    page().refreshFromSession();
    EXPECT_EQ(bench.prompter.messages.size(), messages) << "a refresh reports the same pin only once";
    EXPECT_EQ(pin(0).configType, 9);
}

TEST_F(PinPageTest, SetPinConfigCommitsTheTypedFieldBeforeSending) {
    InstallFamilyDefaults(pin(0), TypeFamily::Pwm);
    pin(0).liveValue = 12;
    showDetails();
    typeInto(field(QStringLiteral("TextPWMOffLevel")), QStringLiteral("40"));
    bench.port().written.clear();
    find<QPushButton>(QStringLiteral("CommandPCFGSetParam(0)"))->click();
    EXPECT_EQ(test::WrittenRequest(bench.port()), (std::vector<int>{65, 0, 2, 12, 0, 28, 31, 31}));
    EXPECT_EQ(field(QStringLiteral("TextPWMOffLevel"))->text(), "31");
}

} // namespace
} // namespace vexa
