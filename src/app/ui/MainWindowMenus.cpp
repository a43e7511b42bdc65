// The window's menus (File, Edit, Controller, View, Help) and the Alt+letters of its pages.
#include "app/ui/MainWindow.h"

#include "app/ui/ChangeRecorder.h"
#include "app/ui/FileMenu.h"
#include "app/ui/HelpWindows.h"
#include "app/ui/LinkControls.h"
#include "app/ui/RetriesMenu.h"
#include "core/ui/Mnemonics.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>

#include <utility>

namespace vexa {

void MainWindow::makeMenus() {
    menuBar()->setObjectName(QStringLiteral("MenuBar"));
    fileMenu_ = new FileMenu([this] { return recentFiles(); }, this);
    menuBar()->addMenu(fileMenu_);
    connect(fileMenu_->loadAction(), &QAction::triggered, this, &MainWindow::loadFile);
    connect(fileMenu_->saveAction(), &QAction::triggered, this, &MainWindow::saveToCurrentFile);
    connect(fileMenu_->saveAsAction(), &QAction::triggered, this, [this] { saveAs(false); });
    connect(fileMenu_->saveCompactAction(), &QAction::triggered, this, [this] { saveAs(true); });
    connect(fileMenu_->quitAction(), &QAction::triggered, this, &MainWindow::close);
    QAction* compare = new QAction(QStringLiteral("Co&mpare with File..."), fileMenu_);
    compare->setObjectName(QStringLiteral("ActionCompareFile"));
    fileMenu_->insertAction(fileMenu_->recentFilesStart(), compare);
    connect(compare, &QAction::triggered, this, &MainWindow::compareWithFile);
    // The configuration on paper and in a spreadsheet.
    fileMenu_->insertSeparator(fileMenu_->recentFilesStart());
    for (const auto& [caption, name, slot] : {std::tuple{"&Print...", "ActionPrint", &MainWindow::printSheet},
                                              {"&Export Sheet...", "ActionExportSheet", &MainWindow::exportSheet},
                                              {"Export &Table...", "ActionExportTable", &MainWindow::exportTable}}) {
        QAction* action = new QAction(QString::fromLatin1(caption), fileMenu_);
        action->setObjectName(QString::fromLatin1(name));
        fileMenu_->insertAction(fileMenu_->recentFilesStart(), action);
        connect(action, &QAction::triggered, this, slot);
    }
    fileMenu_->findChild<QAction*>(QStringLiteral("ActionPrint"))->setShortcut(QKeySequence::Print);
    connect(fileMenu_, &FileMenu::recentFileChosen, this,
            [this](const QString& path) { openFile(path.toStdString()); });

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("MenuEdit"));
    edit->addAction(recorder_->undoAction());
    edit->addAction(recorder_->redoAction());
    connect(edit, &QMenu::aboutToShow, this, [this] { recorder_->record(); });

    // The commands above the tabs, by keyboard as from their buttons.
    QMenu* controller = menuBar()->addMenu(QStringLiteral("&Controller"));
    controller->setObjectName(QStringLiteral("MenuController"));
    for (const auto& [caption, button] : {std::pair{"Read &All", "CommandReadAll"},
                                          {"&Write All", "CommandWriteAll"},
                                          {"Write &Changes", "CommandWriteChanges"},
                                          {"&Verify All", "CommandVerifyAll"}}) {
        QAction* action = controller->addAction(QString::fromLatin1(caption));
        action->setObjectName(QStringLiteral("Action") + QString::fromLatin1(button).mid(7));
        connect(action, &QAction::triggered, this, [this, name = button] {
            if (auto* pressed = findChild<QPushButton*>(QString::fromLatin1(name)))
                pressed->click();
        });
    }

    controller->addSeparator();
    QAction* layout = controller->addAction(QStringLiteral("&Layout..."), this, [this] { showLayoutWindow(); });
    layout->setObjectName(QStringLiteral("ActionLayout"));

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("MenuView"));
    QAction* bitRates = view->addAction(QStringLiteral("&Bit Rates"));
    bitRates->setObjectName(QStringLiteral("ActionBitRates"));
    bitRates->setCheckable(true);
    bitRates->setToolTip(QStringLiteral("The bit rates of the port (as a double-click on \"Port:\")"));
    connect(bitRates, &QAction::triggered, linkControls_, &LinkControls::showBitRates);
    QAction* trace = view->addAction(QStringLiteral("Link &Trace"), this, &MainWindow::showTraceWindow);
    trace->setObjectName(QStringLiteral("ActionLinkTrace"));
    auto* retries = new RetriesMenu(session_, view);
    view->addMenu(retries);
    connect(retries, &RetriesMenu::retriesChosen, this, &MainWindow::storeSettings);
    expertAction_ = view->addAction(QStringLiteral("&Expert Mode"));
    expertAction_->setObjectName(QStringLiteral("ActionExpertMode"));
    expertAction_->setCheckable(true);
    connect(expertAction_, &QAction::triggered, this, &MainWindow::setExpertMode);
    connect(view, &QMenu::aboutToShow, this,
            [this, bitRates] { bitRates->setChecked(linkControls_->bitRatesShown()); });
    view->setToolTipsVisible(true);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("MenuHelp"));
    QAction* readMe = help->addAction(QStringLiteral("&Read Me"), this,
                                      [this] { ShowReadMe(this, QCoreApplication::applicationDirPath()); });
    readMe->setObjectName(QStringLiteral("ActionReadMe"));
    readMe->setShortcut(QKeySequence::HelpContents);
    help->addAction(QStringLiteral("&Keyboard Shortcuts"), this, [this] { ShowKeyboardShortcuts(this); })
        ->setObjectName(QStringLiteral("ActionKeyboardShortcuts"));
    help->addAction(QStringLiteral("&About Vexa Config"), this, [this] { ShowAbout(this); })
        ->setObjectName(QStringLiteral("ActionAbout"));
}

// Alt+letter for buttons, tabs, field labels and frames. The menus, the tabs and the link
// controls above the tabs (the port list, the addresses) hold theirs on every page; each page's
// controls take the letters left. The command buttons above the tabs leave theirs to the pages:
// the menus reach them (Controller, File) and Tab does.
void MainWindow::giveMnemonics() {
    QSet<QChar> window;
    for (QAction* menu : menuBar()->actions())
        window.insert(MnemonicOf(menu->text()));
    for (int i = 0; i < tabs_->count(); ++i)
        tabs_->setTabText(i, WithMnemonic(tabs_->tabText(i), window));
    for (int i = 0; i < tabs_->count(); ++i)
        window.insert(MnemonicOf(tabs_->tabText(i)));
    window.remove(QChar());
    GiveMnemonics(linkControls_, window);
    for (int i = 0; i < tabs_->count(); ++i) {
        QSet<QChar> page = window;
        GiveMnemonics(tabs_->widget(i), page);
    }
}

} // namespace vexa
