// The window's configuration and its file: saving to the current file or another, loading, the
// title that names the file, the recent files, and the settings kept between runs.
#include "app/ui/MainWindow.h"

#include "app/ui/ChangeRecorder.h"
#include "app/ui/LinkControls.h"
#include "app/ui/WindowSettings.h"
#include "core/OperationGuard.h"
#include "files/ConfigFileActions.h"
#include "link/RememberedLink.h"

#include <QFileInfo>

namespace vexa {

// "Save File": to the current file; with Shift a compact save, which asks for its name.
bool MainWindow::saveFile(Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers keys =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (keys != Qt::NoModifier && keys != Qt::ShiftModifier)
        return false;
    return keys == Qt::ShiftModifier ? saveAs(true) : saveToCurrentFile();
}

bool MainWindow::saveToCurrentFile() {
    return currentFile_.empty() ? saveAs(false) : saveTo(currentFile_, false);
}

bool MainWindow::saveAs(bool compact) {
    if (RefusedWhileRunning(session_)) // the image is half read or half written
        return false;
    const std::string path = dialogs_.saveFileNameWith(ConfigFileFilter, currentFile_);
    return !path.empty() && saveTo(path, compact);
}

bool MainWindow::saveTo(const std::string& path, bool compact) {
    if (RefusedWhileRunning(session_))
        return false;
    commitAndRecord();
    const bool saved =
        RunExclusive(session_, [&](Session& session) { return SaveConfigurationFile(session, path, compact); });
    if (saved) {
        unsaved_.markSaved(path, session_.image, compact);
        setCurrentFile(path);
        addRecentFile(path);
        recorder_->record(); // the history's state now belongs to this file
    }
    refreshAllViews();
    updateTitle();
    return saved;
}

void MainWindow::loadFile() {
    // The running operation works on the image a file would replace.
    if (RefusedWhileRunning(session_) || !mayReplaceConfiguration("loading a file"))
        return;
    const std::string path = dialogs_.openFileName(ConfigFileFilter);
    if (!path.empty())
        load(path);
}

bool MainWindow::openFile(const std::string& path) {
    if (RefusedWhileRunning(session_) || !mayReplaceConfiguration("loading a file"))
        return false;
    return load(path);
}

bool MainWindow::load(const std::string& path) {
    commitAndRecord(); // an edit made before is a step of its own
    const bool loaded =
        RunExclusive(session_, [&path](Session& session) { return LoadConfigurationFile(session, path); });
    if (loaded) {
        markLoaded(path);
        setCurrentFile(path);
        addRecentFile(path);
    }
    refreshAllViews();
    recorder_->record("Load File " + QFileInfo(QString::fromStdString(path)).fileName().toStdString());
    updateTitle();
    return loaded;
}

// The file holds what it holds read into a fresh configuration: what stays from before a
// compact or older file (the pins it does not name) is not in it.
void MainWindow::markLoaded(const std::string& path) {
    ConfigurationFileContents held;
    std::string problem;
    unsaved_.markSaved(path, ReadConfigurationFile(path, held, problem) ? held.image : session_.image);
}

void MainWindow::setCurrentFile(const std::string& path) {
    currentFile_ = path;
    updateTitle();
}

void MainWindow::updateTitle() {
    const QString mark = unsaved_.changed(currentFile_, session_.image) ? QStringLiteral("*") : QString();
    if (currentFile_.empty())
        setWindowTitle(mark + QStringLiteral("Vexa Config"));
    else
        setWindowTitle(QFileInfo(QString::fromStdString(currentFile_)).fileName() + mark +
                       QStringLiteral(" \u2013 Vexa Config"));
}

void MainWindow::commitAndRecord() {
    commitAllViews();
    recorder_->record();
}

QStringList MainWindow::recentFiles() const {
    return settings_ ? settings_->recentFiles() : recentFiles_;
}

void MainWindow::addRecentFile(const std::string& path) {
    const QString file = QString::fromStdString(path);
    if (settings_)
        settings_->addRecentFile(file);
    else
        recentFiles_ = WindowSettings::withRecentFile(recentFiles_, file);
}

void MainWindow::useSettings(WindowSettings& settings) {
    const RememberedLink link = settings.link();
    const bool expert = settings.expertMode();
    const QByteArray geometry = settings.windowGeometry();
    settings_ = &settings;
    linkControls_->restore(link);
    setExpertMode(expert);
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
    storeSettings();
}

void MainWindow::storeSettings() {
    if (!settings_)
        return;
    settings_->setLink(RememberLink(session_));
    settings_->setExpertMode(session_.expertMode);
    settings_->setWindowGeometry(saveGeometry());
    settings_->sync();
}

} // namespace vexa
