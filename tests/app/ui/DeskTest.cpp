#include "app/ui/MainWindow.h"

#include "app/ui/ChangeRecorder.h"
#include "app/ui/FileMenu.h"
#include "app/ui/HelpWindows.h"
#include "app/ui/QtFileDialogs.h"
#include "app/ui/WindowSettings.h"
#include "core/ui/Mnemonics.h"
#include "files/ConfigFileActions.h"
#include "files/ConfigFileWriter.h"
#include "files/SafeFile.h"
#include "layout/ui/LayoutWindow.h"
#include "sim/SimulatorPort.h"

#include "Fixtures.h"
#include "TestSeams.h"
#include "WaitUntil.h"
#include "ui/UserInput.h"
#include "ui/WindowBench.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

namespace vexa {
namespace {

std::string FileBytes(const std::string& path) {
    std::string bytes;
    std::string error;
    EXPECT_TRUE(ReadFileBytes(path, 1 << 20, bytes, error)) << error;
    return bytes;
}

std::string Plain(QString caption) {
    return caption.remove(QLatin1Char('&')).toStdString();
}

std::string Text(const QString& text) {
    return text.toStdString();
}

// The window on the simulated controller, shown and active, so that keys reach its shortcuts.
class DeskTest : public ::testing::Test, protected test::WindowBench {
protected:
    DeskTest() : WindowBench({SimulatorPortName}) { showWindow(); }

    void showWindow() {
        window->show();
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // The configuration as a full save writes it.
    std::string image() { return FormatConfigurationFile(window->session().image, false); }
    // Lets the window record what the last input changed.
    static void settle() { QApplication::processEvents(); }
    void keys(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window.get(), key, modifiers);
        settle();
    }
    std::string undoText() { return Plain(window->changes().undoAction()->text()); }
    void showPin(int shown) { test::TypeAndEnter(find<QLineEdit>("TextPAspOutput"), QString::number(shown)); }
    std::string copyOfRich(const QTemporaryDir& folder, const char* name) {
        const std::string path = folder.filePath(QString::fromLatin1(name)).toStdString();
        std::filesystem::copy_file(test::FixturePath(test::RichDataFile), path);
        return path;
    }
};

// Runs `act` on the named modal dialog once it shows.
void WhenShown(QWidget& parent, const char* name, std::function<void(QDialog&)> act) {
    QTimer::singleShot(0, &parent, [&parent, name, act] {
        auto* dialog = parent.findChild<QDialog*>(QString::fromLatin1(name));
        if (!dialog || !dialog->isVisible()) {
            ADD_FAILURE() << name << " is not shown";
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
            return;
        }
        act(*dialog);
    });
}

// Every kind of change made in the window is one step: Ctrl+Z gives back the configuration
// before it byte for byte, Ctrl+Y the one after; the Edit menu names the step.
TEST_F(DeskTest, EachKindOfChangeIsUndoneAndRedoneByteForByte) {
    QTemporaryDir folder;
    ASSERT_TRUE(window->openFile(copyOfRich(folder, "backup.dat")));
    const std::string other = folder.filePath(QStringLiteral("other.dat")).toStdString();
    ASSERT_TRUE(SaveConfigurationFile(window->session(), other, true));
    struct Case {
        const char* step;
        std::function<void()> change;
    };
    const std::vector<Case> cases{
        {"Pin 1 Aspect 1 step 2",
         [&] {
             find<QTabWidget>("SSTab_Main")->setCurrentIndex(MainWindow::DeviceTab);
             showPin(1);
             test::TypeAndEnter(find<QLineEdit>("TextPAspAspect"), QStringLiteral("1"));
             test::TypeAndEnter(find<QLineEdit>("TextPAspPar1(2)"), QStringLiteral("21"));
         }},
        {"ID String",
         [&] {
             find<QTabWidget>("SSTab_Main")->setCurrentIndex(MainWindow::GeneralTab);
             test::TypeAndEnter(find<QLineEdit>("TextGenIDString"), QStringLiteral("Depot"));
         }},
        {"Copy to All: Events of 32 pins",
         [&] {
             find<QTabWidget>("SSTab_Main")->setCurrentIndex(MainWindow::EventTab);
             QTest::mouseClick(find("CommandECcopy"), Qt::LeftButton);
         }},
        {"Load Device: Pins 3 and 4",
         [&] {
             find<QTabWidget>("SSTab_Main")->setCurrentIndex(MainWindow::DeviceTab);
             showPin(3);
             find<QComboBox>("cboDevice")->setCurrentText(QStringLiteral("Signal 2 aspects"));
             QTest::mouseClick(find("CommandPAspPreLoad"), Qt::LeftButton);
         }},
        {"Clear Pin: Pin 5", // named by the button that made the change
         [&] {
             showPin(5);
             WhenShown(*window, "dlgEditPin", [](QDialog& dialog) {
                 QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("CommandClearPin")), Qt::LeftButton);
             });
             QTest::mouseClick(find("LabelPAspOutput"), Qt::LeftButton);
         }},
        {"Load File other.dat",
         [&] {
             dialogs.names = {other};
             window->setSaveQuestion([] { return MainWindow::SaveChoice::Discard; });
             keys(Qt::Key_O, Qt::ControlModifier);
         }},
        {"Read All",
         [&] {
             choosePort(SimulatorPortName);
             find<QPushButton>("CommandReadAll")->click();
             window->dispatchPending();
         }},
    };
    for (const Case& c : cases) {
        const std::string before = image();
        const QString title = window->windowTitle();
        c.change();
        settle();
        window->dispatchPending(); // a tick of the dispatch timer records what no input did
        const std::string after = image();
        ASSERT_TRUE(after != before) << c.step;
        EXPECT_EQ(undoText(), std::string("Undo ") + c.step);
        QApplication::setActiveWindow(window.get()); // again after a dialog
        keys(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(image() == before) << c.step;
        EXPECT_EQ(Plain(window->changes().redoAction()->text()), std::string("Redo ") + c.step);
        if (std::string(c.step).rfind("Load File", 0) == 0) {
            EXPECT_EQ(window->windowTitle(), title) << "the file goes back with its load";
        }
        keys(Qt::Key_Y, Qt::ControlModifier);
        EXPECT_TRUE(image() == after) << c.step;
    }
    // Undo of a read changes the window only: the controller keeps what it holds.
    const std::string controller = FormatConfigurationFile(window->session().image, false);
    keys(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); // Ctrl+Shift+Z redoes: nothing left
    keys(Qt::Key_Z, Qt::ControlModifier);
    find<QPushButton>("CommandReadAll")->click();
    window->setSaveQuestion([] { return MainWindow::SaveChoice::Discard; });
    window->dispatchPending();
    EXPECT_TRUE(image() == controller);
    EXPECT_TRUE(prompter.messages.empty()) << prompter.last();
}

// A text field being edited undoes its own typing first; a field with nothing of its own to
// undo leaves Ctrl+Z to the window.
TEST_F(DeskTest, AFieldBeingEditedTakesCtrlZFirst) {
    auto* id = find<QLineEdit>("TextGenIDString");
    id->setFocus();
    for (const QChar c : QStringLiteral("Depot")) {
        QTest::keyClick(id, c.toLatin1());
        settle(); // a step after each key ...
    }
    EXPECT_EQ(window->session().image.module.idString, "Depot");
    QTest::keyClick(id, Qt::Key_Return);
    settle();
    test::TypeInto(id, QStringLiteral("Yard"));
    keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(id->text(), "Depot") << "the field's own undo";
    EXPECT_EQ(window->session().image.module.idString, "Depot");
    EXPECT_EQ(undoText(), "Undo ID String");
    keys(Qt::Key_Z, Qt::ControlModifier); // ... all of them one step
    EXPECT_EQ(window->session().image.module.idString, "");
    EXPECT_EQ(id->text(), "");
    keys(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(id->text(), "Depot");
}

// The title names the file and marks a change; Ctrl+S saves to that file without asking,
// Ctrl+Shift+S asks for another name; the recent files list both, a missing one greyed.
TEST_F(DeskTest, TitleMarkCtrlSAndRecentFiles) {
    EXPECT_EQ(Text(window->windowTitle()), "Vexa Config");
    QTemporaryDir folder;
    const std::string backup = copyOfRich(folder, "backup.dat");
    ASSERT_TRUE(window->openFile(backup));
    EXPECT_EQ(Text(window->windowTitle()), "backup.dat \u2013 Vexa Config");

    test::TypeAndEnter(find<QLineEdit>("TextGenIDString"), QStringLiteral("Depot"));
    settle();
    EXPECT_EQ(Text(window->windowTitle()), "backup.dat* \u2013 Vexa Config");
    keys(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(dialogs.filters.empty()) << "Ctrl+S asks for no name when there is a file";
    EXPECT_TRUE(FileBytes(backup) == image());
    EXPECT_EQ(Text(window->windowTitle()), "backup.dat \u2013 Vexa Config");
    keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(window->windowTitle()), "backup.dat* \u2013 Vexa Config");
    keys(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Text(window->windowTitle()), "backup.dat \u2013 Vexa Config");

    const std::string copy = folder.filePath(QStringLiteral("copy.dat")).toStdString();
    dialogs.names = {copy};
    keys(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(dialogs.filters.size(), 1u);
    EXPECT_TRUE(FileBytes(copy) == image());
    EXPECT_EQ(Text(window->windowTitle()), "copy.dat \u2013 Vexa Config");

    std::filesystem::remove(backup);
    auto* menu = window->findChild<FileMenu*>(QStringLiteral("MenuFile"));
    ASSERT_NE(menu, nullptr);
    menu->showRecentFiles();
    auto* first = menu->findChild<QAction*>(QStringLiteral("ActionRecent(0)"));
    auto* second = menu->findChild<QAction*>(QStringLiteral("ActionRecent(1)"));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->data().toString().toStdString(), copy);
    EXPECT_TRUE(first->isEnabled());
    EXPECT_FALSE(second->isEnabled());
    EXPECT_TRUE(second->toolTip().endsWith(QStringLiteral("is not there any more")));
    first->trigger();
    EXPECT_EQ(window->currentFile(), copy);
    EXPECT_TRUE(prompter.messages.empty()) << prompter.last();
}

// The title's mark says whether the file it names holds the configuration: moving a live output
// is no change; a paste, a loaded device or a loaded file, undone, comes back to the file's own
// state, and the undone load to the file before it; a compact save that leaves out configured
// pins keeps the mark, and closing asks.
TEST_F(DeskTest, TheTitleMarkSaysWhetherTheNamedFileHoldsTheConfiguration) {
    QTemporaryDir folder;
    ASSERT_TRUE(window->openFile(copyOfRich(folder, "backup.dat")));
    const std::string clean = "backup.dat \u2013 Vexa Config";
    const std::string marked = "backup.dat* \u2013 Vexa Config";
    find<QTabWidget>("SSTab_Main")->setCurrentIndex(MainWindow::DeviceTab);
    find<QCheckBox>("CheckPAspShowDetails")->click(); // the type pages
    showPin(1);                                       // a servo
    auto* slider = find<QSlider>("SliderServo");
    ASSERT_TRUE(slider->isVisible());
    const int position = slider->value();
    slider->setFocus();
    keys(Qt::Key_Left, Qt::NoModifier);
    ASSERT_NE(slider->value(), position);
    EXPECT_EQ(Text(window->windowTitle()), clean) << "a servo slider";

    const auto viaPinDialog = [&](const char* button) {
        WhenShown(*window, "dlgEditPin",
                  [button](QDialog& dialog) { dialog.findChild<QPushButton*>(QString::fromLatin1(button))->click(); });
        QTest::mouseClick(find("LabelPAspOutput"), Qt::LeftButton);
        settle();
        QApplication::setActiveWindow(window.get());
    };
    viaPinDialog("CommandCopyPin");
    showPin(8);
    settle(); // the page shows pin 8 before its dialog is asked for
    QApplication::setActiveWindow(window.get());
    viaPinDialog("CommandPastePin");
    EXPECT_EQ(Text(window->windowTitle()), marked) << "Paste Pin";
    keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(window->windowTitle()), clean) << "Paste Pin undone";
    showPin(10);
    find<QComboBox>("cboDevice")->setCurrentText(QStringLiteral("Signal 2 aspects"));
    QTest::mouseClick(find("CommandPAspPreLoad"), Qt::LeftButton);
    settle();
    EXPECT_EQ(Text(window->windowTitle()), marked) << "Load Device";
    keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(window->windowTitle()), clean) << "Load Device undone";

    const std::string other = folder.filePath(QStringLiteral("other.dat")).toStdString();
    ConfigurationImage fresh;
    std::string error;
    ASSERT_TRUE(ReplaceFileBytes(other, FormatConfigurationFile(fresh, false), error)) << error;
    dialogs.names = {other};
    window->setSaveQuestion([] {
        ADD_FAILURE() << "asked to save a configuration the file holds";
        return MainWindow::SaveChoice::Discard;
    });
    keys(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(Text(window->windowTitle()), "other.dat \u2013 Vexa Config");
    keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(window->windowTitle()), clean) << "Load File undone";
    keys(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Text(window->windowTitle()), "other.dat \u2013 Vexa Config") << "Load File redone";
    keys(Qt::Key_Z, Qt::ControlModifier);

    dialogs.names = {folder.filePath(QStringLiteral("compact.dat")).toStdString()};
    QTest::mouseClick(find("CommandSave"), Qt::LeftButton, Qt::ShiftModifier);
    settle();
    EXPECT_EQ(Text(window->windowTitle()), "compact.dat* \u2013 Vexa Config") << "pin 3 is not in the file";
    EXPECT_TRUE(window->hasUnsavedChanges());
    EXPECT_TRUE(prompter.messages.empty()) << prompter.last();
}

// `vexaconfig FILE` opens the file at start; a bad file gives the usual message, naming the
// file, and leaves the empty configuration of a fresh start.
TEST_F(DeskTest, AFileNamedAtStartIsOpened) {
    const std::string fresh = image();
    QTemporaryDir folder;
    const std::string bad = folder.filePath(QStringLiteral("bad.dat")).toStdString();
    std::string error;
    ASSERT_TRUE(ReplaceFileBytes(bad, "not a configuration\r\n", error)) << error;
    EXPECT_FALSE(window->openFile(bad));
    EXPECT_EQ(prompter.last(), bad + ": Invalid configuration file");
    EXPECT_TRUE(image() == fresh);
    EXPECT_EQ(Text(window->windowTitle()), "Vexa Config");
    EXPECT_TRUE(window->currentFile().empty());

    const std::string good = copyOfRich(folder, "good.dat");
    EXPECT_TRUE(window->openFile(good));
    EXPECT_TRUE(image() == FileBytes(good));
    EXPECT_EQ(Text(window->windowTitle()), "good.dat \u2013 Vexa Config");
}

// What the window keeps comes back at the next start from the settings file.
TEST_F(DeskTest, SettingsComeBackAtTheNextStart) {
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("vexaconfig.conf"));
    {
        WindowSettings settings(file);
        window->useSettings(settings);
        choosePort(SimulatorPortName);
        find<QRadioButton>("OptionBitRate(2)")->click();
        find<QCheckBox>("CheckKLnumber")->click();
        test::TypeAndEnter(find<QLineEdit>("TextAddress"), QStringLiteral("5"));
        find<QCheckBox>("CheckVexaBD")->click();
        find<QAction>("ActionRetries(2)")->trigger();
        window->setExpertMode(true);
        window->resize(900, 600);
        const std::string saved = folder.filePath(QStringLiteral("depot.dat")).toStdString();
        dialogs.names = {saved};
        keys(Qt::Key_S, Qt::ControlModifier);
        settings.setLastFolder(QStringLiteral("dat"), folder.path());
        EXPECT_TRUE(window->close());
    }
    test::WindowBench next({SimulatorPortName});
    WindowSettings settings(file);
    next.window->useSettings(settings);
    const Session& session = next.window->session();
    EXPECT_EQ(session.port.name, SimulatorPortName);
    EXPECT_TRUE(session.port.isOpen());
    EXPECT_EQ(session.port.settings, "38400,o,8,1");
    EXPECT_EQ(session.numberingBase, 0);
    EXPECT_EQ(session.link.moduleAddress, 5);
    EXPECT_FALSE(session.link.bidirectional);
    EXPECT_EQ(session.link.retryLimit, 2);
    emit next.find<QMenu>("MenuRetries")->aboutToShow(); // the menu ticks the number as it opens
    EXPECT_TRUE(next.find<QAction>("ActionRetries(2)")->isChecked());
    EXPECT_TRUE(session.expertMode);
    EXPECT_EQ(next.window->size(), QSize(900, 600));
    EXPECT_EQ(next.find<QLineEdit>("TextAddress")->text(), "5");
    EXPECT_EQ(settings.recentFiles().value(0), folder.filePath(QStringLiteral("depot.dat")));
    EXPECT_EQ(settings.lastFolder(QStringLiteral("dat")), folder.path());

    // A file dialog opens in the folder its kind showed last, and keeps the one chosen now.
    QTemporaryDir other;
    QtFileDialogs fileDialogs(window.get(), &settings);
    QString shownFolder;
    QTimer::singleShot(0, window.get(), [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shownFolder = dialog->directory().absolutePath();
        dialog->selectFile(QDir(other.path()).filePath(QStringLiteral("yard.dat")));
        static_cast<QDialog*>(dialog)->accept(); // as the dialog's Save button does
    });
    EXPECT_EQ(fileDialogs.saveFileName("Vexa Config Data|*.dat"),
              QDir(other.path()).filePath(QStringLiteral("yard.dat")).toStdString());
    EXPECT_EQ(shownFolder, QDir(folder.path()).absolutePath());
    EXPECT_EQ(settings.lastFolder(QStringLiteral("dat")), QDir(other.path()).absolutePath());

    // A port that is not there at start stays chosen, shown as absent.
    RememberedLink link = settings.link();
    link.port = "/dev/ttyUSB7";
    settings.setLink(link);
    test::WindowBench absent({SimulatorPortName});
    absent.window->useSettings(settings);
    EXPECT_EQ(absent.window->session().port.name, "/dev/ttyUSB7");
    EXPECT_FALSE(absent.window->session().port.isOpen());
    EXPECT_EQ(absent.find<QComboBox>("ComboPort")->currentText(), QStringLiteral("/dev/ttyUSB7 \u2013 not present"));
}

// Every Alt+letter shown in `window` (menus, buttons, field labels, frames, tabs), by letter; a
// failure for each letter given twice.
std::map<QChar, QString> MnemonicsShownIn(QWidget* window, QMenuBar* menus) {
    std::map<QChar, QString> seen;
    const auto take = [&](const QString& caption) {
        const QChar letter = MnemonicOf(caption);
        if (letter.isNull())
            return;
        EXPECT_FALSE(seen.count(letter)) << Text(caption) << " and " << Text(seen[letter]);
        seen[letter] = caption;
    };
    if (menus)
        for (QAction* menu : menus->actions())
            take(menu->text());
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window) || widget->window() != window)
            continue;
        if (auto* button = qobject_cast<QPushButton*>(widget))
            take(button->text());
        else if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy())
            take(label->text());
        else if (auto* frame = qobject_cast<QGroupBox*>(widget))
            take(frame->title());
        else if (auto* bar = qobject_cast<QTabBar*>(widget))
            for (int i = 0; i < bar->count(); ++i)
                take(bar->tabText(i));
    }
    return seen;
}

// Alt+letter: the menus, the tabs and the link fields above the tabs hold theirs on every page;
// within a page, and in the Layout window, no two controls share one.
TEST_F(DeskTest, MnemonicsDoNotClashWithinAWindow) {
    window->setExpertMode(true);
    auto* tabs = find<QTabWidget>("SSTab_Main");
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        const std::map<QChar, QString> seen = MnemonicsShownIn(window.get(), window->menuBar());
        for (const QString& caption : {window->menuBar()->actions().value(0)->text(), tabs->tabText(page),
                                       find<QLabel>("LabelPort")->text(), find<QLabel>("LabelAddress")->text()})
            EXPECT_FALSE(MnemonicOf(caption).isNull()) << Text(caption);
        EXPECT_GE(seen.size(), 15u) << "page " << page; // 26 letters: not every button of a full page gets one
    }
    // Alt+P leads into the port list, Alt+M into the module address, from any page.
    tabs->setCurrentIndex(MainWindow::DeviceTab);
    for (const auto& [label, field] : {std::pair{"LabelPort", "ComboPort"}, std::pair{"LabelAddress", "TextAddress"}}) {
        const QChar letter = MnemonicOf(find<QLabel>(label)->text());
        keys(static_cast<Qt::Key>(Qt::Key_A + (letter.unicode() - 'a')), Qt::AltModifier);
        ASSERT_NE(QApplication::focusWidget(), nullptr) << label;
        EXPECT_TRUE(QApplication::focusWidget() == find(field) ||
                    find(field)->isAncestorOf(QApplication::focusWidget()))
            << label << " gives the focus to " << QApplication::focusWidget()->objectName().toStdString();
    }

    QWidget& layout = window->showLayoutWindow();
    MnemonicsShownIn(&layout, nullptr);
    for (QPushButton* button : layout.findChildren<QPushButton*>())
        if (button->isVisibleTo(&layout)) {
            EXPECT_FALSE(MnemonicOf(button->text()).isNull()) << Text(button->text());
        }
}

// Ctrl+Tab and Ctrl+Shift+Tab change the page wherever the focus stands, the top rows too, and
// pass the locked "Test" tab; Tab alone moves the focus.
TEST_F(DeskTest, CtrlTabChangesThePageFromEveryField) {
    auto* tabs = find<QTabWidget>("SSTab_Main");
    struct Case {
        const char* field;
        int from;
        bool forward;
        int to;
    };
    const Case cases[] = {
        {"ComboPort", MainWindow::GeneralTab, true, MainWindow::EventTab},
        {"TextAddress", MainWindow::EventTab, true, MainWindow::DeviceTab},
        {"TextAddress", MainWindow::DeviceTab, true, MainWindow::GeneralTab}, // "Test" is locked
        {"ComboPort", MainWindow::GeneralTab, false, MainWindow::DeviceTab},
        {"TextGenIDString", MainWindow::GeneralTab, true, MainWindow::EventTab},
        {"TextECpin", MainWindow::EventTab, false, MainWindow::GeneralTab},
    };
    for (const Case& c : cases) {
        tabs->setCurrentIndex(c.from);
        find(c.field)->setFocus();
        settle();
        keys(c.forward ? Qt::Key_Tab : Qt::Key_Backtab,
             c.forward ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(tabs->currentIndex(), c.to) << c.field << " from page " << c.from;
    }
    EXPECT_TRUE(prompter.messages.empty()) << prompter.last();
    window->setExpertMode(true);
    tabs->setCurrentIndex(MainWindow::DeviceTab);
    keys(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), MainWindow::TestTab);

    QWidget* address = find("TextAddress");
    address->setFocus();
    keys(Qt::Key_Tab, Qt::NoModifier);
    EXPECT_NE(QApplication::focusWidget(), address);
    EXPECT_EQ(tabs->currentIndex(), MainWindow::TestTab);
}

// Help: the README with its pictures, the keys, the release with Qt and the licence; the
// keyboard reaches what a mouse gesture does.
TEST_F(DeskTest, HelpAndKeyboardRoutes) {
    ShowReadMe(window.get(), QStringLiteral(VEXA_SOURCE_DIR));
    auto* readMe = window->findChild<QTextBrowser*>(QStringLiteral("txtReadMe"));
    ASSERT_NE(readMe, nullptr);
    // It opens on the modeller's part, not on the build commands at its top.
    QTRY_COMPARE(readMe->cursorForPosition(QPoint(4, 4)).block().text(), QStringLiteral("For the modeller"));
    readMe->grab(); // lays the document out, which loads its pictures
    int pictures = 0;
    for (QTextBlock block = readMe->document()->begin(); block.isValid(); block = block.next())
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
            if (const QTextImageFormat image = fragment.fragment().charFormat().toImageFormat(); image.isValid()) {
                ++pictures;
                EXPECT_FALSE(readMe->document()->resource(QTextDocument::ImageResource, QUrl(image.name())).isNull())
                    << Text(image.name());
            }
    EXPECT_GE(pictures, 5);

    window->findChild<QAction*>(QStringLiteral("ActionKeyboardShortcuts"))->trigger();
    const QString shortcuts = window->findChild<QTextBrowser*>(QStringLiteral("txtKeyboardShortcuts"))->toPlainText();
    for (const char* expected :
         {"Ctrl+Z", "Ctrl+Shift+S", "Alt+G", "General (tab)", "Alt+M", "Module Address (field)", "Esc"})
        EXPECT_TRUE(shortcuts.contains(QLatin1String(expected))) << expected;
    window->findChild<QAction*>(QStringLiteral("ActionAbout"))->trigger();
    auto* about = window->findChild<QMessageBox*>(QStringLiteral("frmAbout"));
    ASSERT_NE(about, nullptr);
    for (const QString& expected : {QStringLiteral("Release 3.1.0"), QString::fromLatin1(qVersion()),
                                    QStringLiteral("GNU General Public License")})
        EXPECT_TRUE(about->text().contains(expected)) << Text(expected);
    EXPECT_FALSE(window->windowIcon().isNull());
    about->close();
    window->activateWindow();
    showWindow();

    window->findChild<QAction*>(QStringLiteral("ActionExpertMode"))->trigger();
    EXPECT_TRUE(window->session().expertMode) << "expert mode without the right mouse button";
    auto* save = find("CommandSave");
    save->setFocus();
    keys(Qt::Key_Space, Qt::NoModifier);
    EXPECT_EQ(dialogs.filters.size(), 1u) << "Space on Save File saves";
    find<QTabWidget>("SSTab_Main")->setCurrentIndex(MainWindow::DeviceTab);
    find("LabelPAspOutput")->setFocus();
    bool edited = false;
    WhenShown(*window, "dlgEditPin", [&edited](QDialog& dialog) {
        edited = true;
        dialog.reject();
    });
    keys(Qt::Key_Space, Qt::NoModifier);
    EXPECT_TRUE(edited) << "Space on the pin label opens Edit Pin";
}

} // namespace
} // namespace vexa
