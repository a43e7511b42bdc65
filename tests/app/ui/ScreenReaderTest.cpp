// What a screen reader reads: every control of the main window (every page), the Layout window
// and every dialog has a name and a description, and indexed controls carry their index.

#include "app/ui/HelpWindows.h"
#include "app/ui/LinkControls.h"
#include "app/ui/MainWindow.h"
#include "app/ui/TraceWindow.h"
#include "app/ui/VerificationWindow.h"
#include "core/ui/AccessibleNames.h"
#include "dialogs/ui/EditAspectDialog.h"
#include "dialogs/ui/EditPinDialog.h"
#include "dialogs/ui/EditStepDialog.h"
#include "dialogs/ui/EventPatternCalculatorDialog.h"
#include "dialogs/ui/PatternCalculatorDialog.h"
#include "dialogs/ui/TimeCalculatorDialog.h"
#include "layout/ui/LayoutWindow.h"

#include "ui/WindowBench.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <gtest/gtest.h>

#include <memory>

namespace vexa {
namespace {

// The control by its object name, or by the nearest named widget around it.
QString Where(const QWidget* widget) {
    QString where = QStringLiteral("%1 %2").arg(QLatin1String(widget->metaObject()->className()), widget->objectName());
    for (const QWidget* parent = widget->parentWidget(); widget->objectName().isEmpty() && parent;
         parent = parent->parentWidget())
        if (!parent->objectName().isEmpty())
            return where + QStringLiteral("in ") + parent->objectName();
    return where;
}

// Each control inside `scope` that a screen reader would read without a name or a description.
std::vector<std::string> Unnamed(QWidget* scope) {
    std::vector<std::string> missing;
    int controls = 0;
    for (QWidget* widget : scope->findChildren<QWidget*>()) {
        if (!IsControl(widget, scope))
            continue;
        ++controls;
        if (ReadName(widget).isEmpty())
            missing.push_back("no name: " + Where(widget).toStdString());
        if (ReadDescription(widget).isEmpty())
            missing.push_back("no description: " + Where(widget).toStdString());
    }
    EXPECT_GT(controls, 0) << scope->objectName().toStdString();
    return missing;
}

class ScreenReaderTest : public ::testing::Test, protected test::WindowBench {};

TEST_F(ScreenReaderTest, EveryControlOfEveryWindowAndDialogHasANameAndADescription) {
    using Missing = std::vector<std::string>;
    EXPECT_EQ(Unnamed(window.get()), Missing{});
    EXPECT_EQ(Unnamed(&window->showLayoutWindow()), Missing{});
    Session& session = window->session();
    std::vector<std::unique_ptr<QWidget>> windows;
    windows.emplace_back(std::make_unique<EditPinDialog>(session));
    windows.emplace_back(std::make_unique<EditAspectDialog>(session));
    windows.emplace_back(std::make_unique<EditStepDialog>(session));
    windows.emplace_back(std::make_unique<PatternCalculatorDialog>());
    windows.emplace_back(std::make_unique<EventPatternCalculatorDialog>());
    windows.emplace_back(std::make_unique<TimeCalculatorDialog>());
    windows.emplace_back(std::make_unique<VerificationWindow>(nullptr));
    windows.emplace_back(std::make_unique<TraceWindow>(session, nullptr));
    for (const auto& dialog : windows)
        EXPECT_EQ(Unnamed(dialog.get()), Missing{}) << dialog->metaObject()->className();
    ShowKeyboardShortcuts(window.get());
    EXPECT_EQ(Unnamed(window->findChild<QDialog*>(QStringLiteral("frmKeyboardShortcuts"))), Missing{});
}

TEST_F(ScreenReaderTest, NamesReadTheCaptionWithoutItsMarkAndFollowTheLabelAndTheNumberingBase) {
    // A caption's Alt+letter is not read; a field reads the label before it, as it reads now.
    EXPECT_EQ(ReadName(find("CommandReadAll")), "Read All");
    auto* address = find("TextAddress");
    EXPECT_EQ(ReadName(address), "Module Address");
    window->session().link.useXAddress = true;
    window->linkControls().refreshFromSession();
    EXPECT_EQ(ReadName(address), "Channel Number");
    // Indexed controls carry their index as shown, with the numbering base in force.
    EXPECT_EQ(ReadName(find("ComboPAspInst(3)")), "Step 3 instruction");
    EXPECT_EQ(ReadName(find("PinStates(4)")), "Pin 5");
    find<QCheckBox>("CheckKLnumber")->click();
    window->refreshAllViews();
    EXPECT_EQ(ReadName(find("PinStates(4)")), "Pin 4");
}

} // namespace
} // namespace vexa
