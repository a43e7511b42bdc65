#include "app/ui/MainWindow.h"

#include "TestSeams.h"
#include "ui/UserInput.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace vexa {
namespace {

// The pin page's address labels in the window follow the link address, the numbering base,
// the address counts and the serial addressing options.
TEST(PinAddressLabels, FollowEveryChangeTheyDependOn) {
    test::RecordingPrompter prompter;
    test::ScriptedPortProvider ports;
    test::ScriptedFileDialogs dialogs;
    SystemClock clock;
    MainWindow window(prompter, ports, clock, dialogs);
    const auto label = [&window](const char* name) {
        auto* found = window.findChild<QLabel*>(QString::fromLatin1(name));
        return found ? found->text().toStdString() : std::string("missing");
    };
    EXPECT_EQ(label("lblSerialAddress"), "1");
    EXPECT_EQ(label("lblPinAddress"), "1.1");
    EXPECT_EQ(label("lblDCCAddress"), "1");
    EXPECT_EQ(label("lblXDCCAddress"), "1");

    auto* address = window.findChild<QLineEdit*>(QStringLiteral("TextAddress"));
    test::TypeAndEnter(address, QStringLiteral("3"));
    EXPECT_EQ(label("lblSerialAddress"), "65"); // 2 x 32 + 1
    EXPECT_EQ(label("lblPinAddress"), "3.1");

    window.findChild<QCheckBox*>(QStringLiteral("CheckKLnumber"))->click();
    EXPECT_EQ(label("lblSerialAddress"), "64"); // 2 x 32 + 0
    EXPECT_EQ(label("lblPinAddress"), "2.0");

    auto* next = window.findChild<QLineEdit*>(QStringLiteral("TextPAspOutput"));
    test::TypeAndEnter(next, QStringLiteral("1"));
    auto* dccCount = window.findChild<QLineEdit*>(QStringLiteral("TextPaspDCCn"));
    test::TypeAndEnter(dccCount, QStringLiteral("0"));
    EXPECT_EQ(label("lblDCCAddress"), "-");
    EXPECT_EQ(label("lblSerialAddress"), "65");

    window.findChild<QCheckBox*>(QStringLiteral("CheckGenVexaNative"))->click();
    EXPECT_EQ(label("lblSerialAddress"), "257"); // 2 x 128 + 0 + 1
}

} // namespace
} // namespace vexa
