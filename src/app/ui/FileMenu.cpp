#include "app/ui/FileMenu.h"

#include <QDir>
#include <QFileInfo>

namespace vexa {

namespace {

QAction* Named(QAction* action, const char* name) {
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

FileMenu::FileMenu(std::function<QStringList()> recentFiles, QWidget* parent)
    : QMenu(QStringLiteral("&File"), parent), recentFiles_(std::move(recentFiles)) {
    setObjectName(QStringLiteral("MenuFile"));
    setToolTipsVisible(true);
    load_ = Named(addAction(QStringLiteral("&Load File...")), "ActionLoad");
    load_->setShortcut(QKeySequence::Open);
    save_ = Named(addAction(QStringLiteral("&Save File")), "ActionSave");
    save_->setShortcut(QKeySequence::Save);
    saveAs_ = Named(addAction(QStringLiteral("Save File &As...")), "ActionSaveAs");
    saveAs_->setShortcut(QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_S));
    saveCompact_ = Named(addAction(QStringLiteral("Save &Compact As...")), "ActionSaveCompact");
    saveCompact_->setToolTip(QStringLiteral("Only the pins and aspects that have a description, and the used steps "
                                            "(as Shift+Save File)"));
    recentStart_ = addSeparator();
    addSeparator();
    quit_ = Named(addAction(QStringLiteral("&Quit")), "ActionQuit");
    quit_->setShortcut(QKeySequence(Qt::ControlModifier | Qt::Key_Q));
    connect(this, &QMenu::aboutToShow, this, &FileMenu::showRecentFiles);
    showRecentFiles();
}

void FileMenu::showRecentFiles() {
    for (QAction* action : recent_) {
        removeAction(action);
        action->deleteLater();
    }
    recent_.clear();
    const QStringList files = recentFiles_();
    QAction* before = actions().value(actions().indexOf(recentStart_) + 1);
    for (int i = 0; i < files.size(); ++i) {
        const QString& path = files[i];
        // Numbered 1..9 and 0 as mnemonics; '&' in a name is no mnemonic.
        const QString caption =
            QStringLiteral("&%1 %2")
                .arg((i + 1) % 10)
                .arg(QDir::toNativeSeparators(path).replace(QLatin1Char('&'), QStringLiteral("&&")));
        auto* action = new QAction(caption, this);
        action->setObjectName(QStringLiteral("ActionRecent(%1)").arg(i));
        action->setData(path);
        const bool there = QFileInfo(path).isFile();
        action->setEnabled(there);
        action->setToolTip(there ? QDir::toNativeSeparators(path)
                                 : QDir::toNativeSeparators(path) + QStringLiteral(" is not there any more"));
        connect(action, &QAction::triggered, this, [this, path] { emit recentFileChosen(path); });
        insertAction(before, action);
        recent_ << action;
    }
}

} // namespace vexa
