#include "module/ui/GeneralPage.h"

#include "core/ui/UpDownControl.h"
#include "module/SerialAddressing.h"

#include "TestRunner.h"
#include "TestSeams.h"
#include "ui/UserInput.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace vexa {
namespace {

struct GeneralPageBench : test::TestBench {
    GeneralPageBench() : runner(session), page(session, runner) {}

    template <typename Widget = QWidget> Widget* find(const QString& name) {
        auto* widget = page.findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    test::TestRunner runner;
    GeneralPage page;
};

TEST(GeneralPage, ClicksFollowTheRulesOfTheirFrames) {
    GeneralPageBench bench;
    ModuleSettings& module = bench.session.image.module;
    bench.page.show();

    // The flex warning: anything but OK unchecks the box again.
    bench.prompter.answers = {false};
    bench.find<QCheckBox>("CheckGenLumoaddr")->click();
    EXPECT_FALSE(module.lumoFlexAddressing);
    EXPECT_EQ(bench.prompter.last(), FlexWarningText);
    bench.find<QCheckBox>("CheckGenLumoaddr")->click();
    EXPECT_TRUE(module.lumoFlexAddressing);
    EXPECT_FALSE(bench.find("CheckGenVexaNative")->isVisible());
    EXPECT_TRUE(bench.find("TextGenLumoaddr")->isVisible());
    // The enforced mode starts unknown (grey, the eXtended address fields shown); a click sets it.
    auto* enforced = bench.find<QCheckBox>("CheckGenForceXA");
    EXPECT_EQ(enforced->checkState(), Qt::PartiallyChecked);
    EXPECT_TRUE(bench.find("CheckGenXGM(15)")->isVisible());
    enforced->click();
    EXPECT_EQ(module.enforcedXAddress, std::optional<bool>(true));
    EXPECT_EQ(enforced->checkState(), Qt::Checked);
    EXPECT_FALSE(bench.find("CheckGenXGM(15)")->isVisible());
    EXPECT_FALSE(bench.find("TextGenLumoaddr")->isVisible());

    // The LED default function is grey while nothing else is checked.
    auto* idle = bench.find<QCheckBox>("CheckLCGreen(7)");
    EXPECT_EQ(idle->checkState(), Qt::PartiallyChecked);
    bench.find<QCheckBox>("CheckLCGreen(2)")->click();
    EXPECT_EQ(idle->checkState(), Qt::Unchecked);
    idle->click();
    EXPECT_EQ(idle->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(module.ledGreen, (std::array<std::uint8_t, 8>{0, 0, 0, 0, 0, 0, 0, CheckGrey}));

    // A driver click tells the pin page.
    int affected = 0;
    QObject::connect(&bench.page, &GeneralPage::pinPageAffected, [&affected] { ++affected; });
    bench.find<QCheckBox>("ChkGenHWCSource(3)")->click();
    EXPECT_TRUE(module.hwcSource[3]);
    EXPECT_EQ(affected, 1);

    // A DCC address entered beyond its range is clamped; the overflow shows in red.
    auto* address = bench.find<QLineEdit>("TextGenDCCAddress");
    test::TypeAndEnter(address, QStringLiteral("900"));
    EXPECT_EQ(module.dccAddress, 510);
    auto* range = bench.find<QLabel>("LabelGenDCCOutput");
    EXPECT_EQ(range->text(), QStringLiteral("Output 2037 .. OVFLOW"));
    EXPECT_EQ(range->palette().color(QPalette::WindowText), QColor(Qt::red));

    // The read button runs through the runner.
    bench.find<QPushButton>("CommandGenSerialRead")->click();
    EXPECT_EQ(bench.runner.titles, std::vector<std::string>{"Read Settings"});
}

TEST(GeneralPage, NumberingBaseRelabelsWhatItNames) {
    GeneralPageBench bench;
    bench.session.image.module.moduleXAddress = 5;
    bench.session.image.module.lumoFlexBlock = 2;
    bench.session.numberingBase = 0;
    bench.page.refreshFromSession();
    EXPECT_EQ(bench.find<QLineEdit>("TextGenXaddr")->text(), QStringLiteral("5"));
    EXPECT_EQ(bench.find<QLineEdit>("TextGenLumoaddr")->text(), QStringLiteral("8"));
    EXPECT_EQ(bench.find<QLabel>("LabelGenHWCPin")->text().toStdString(),
              "Pin       0..7         8..15      16..23       24..31");
    bench.session.numberingBase = 1;
    bench.page.refreshFromSession();
    EXPECT_EQ(bench.find<QLineEdit>("TextGenXaddr")->text(), QStringLiteral("6"));
    EXPECT_EQ(bench.find<QLineEdit>("TextGenLumoaddr")->text(), QStringLiteral("9"));
    EXPECT_EQ(bench.find<UpDownControl>("UpDownGenXaddr")->highest(), 96);

    // An edit not yet applied is taken before an operation.
    test::TypeInto(bench.find<QLineEdit>("TextGenXaddr"), QStringLiteral("200"));
    bench.page.commitEdits();
    EXPECT_EQ(bench.session.image.module.moduleXAddress, 95);
}

// A value loaded from a file that the write would cut or refuse is marked, also while the
// enforced mode that decides whether the eXtended address is sent is unknown.
TEST(GeneralPage, ValuesTheWriteCutsOrRefusesAreMarked) {
    GeneralPageBench bench;
    ModuleSettings& module = bench.session.image.module;
    module.idString = "Goods yard east";
    module.moduleXAddress = 110;
    bench.page.refreshFromSession();
    EXPECT_EQ(bench.find("TextGenIDString")->toolTip().toStdString(),
              "The ID string has 15 characters: only its first 12 are written");
    EXPECT_FALSE(bench.find("TextGenXaddr")->styleSheet().isEmpty()) << "enforced mode unknown";
    module.enforcedXAddress = true; // sends 127 in place of the address
    module.idString = "Goods yard";
    bench.page.refreshFromSession();
    EXPECT_TRUE(bench.find("TextGenXaddr")->styleSheet().isEmpty());
    EXPECT_TRUE(bench.find("TextGenIDString")->styleSheet().isEmpty());
}

} // namespace
} // namespace vexa
