#pragma once

#include "link/RememberedLink.h"

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QStringList>

namespace vexa {

// What the window keeps between runs, in one settings file: the link choices, expert mode, the
// recent files, the last folder of each file dialog and the window's size and position.
class WindowSettings {
public:
    static constexpr int RecentFileCount = 10;

    // The settings file at `path` (an INI file; made when something is stored).
    explicit WindowSettings(const QString& path);
    // The settings file in the user's configuration folder (on Windows the application data folder).
    static QString defaultPath();

    RememberedLink link() const;
    void setLink(const RememberedLink& link);
    bool expertMode() const;
    void setExpertMode(bool on);

    // Most recent first, at most RecentFileCount.
    QStringList recentFiles() const;
    // Puts the file first (once) and keeps the ten most recent.
    void addRecentFile(const QString& path);
    // The list with the file (its absolute path) first, once, cut to RecentFileCount.
    static QStringList withRecentFile(QStringList files, const QString& path);

    // The folder a file dialog of that kind ("dat", "def") showed last; empty when none.
    QString lastFolder(const QString& kind) const;
    void setLastFolder(const QString& kind, const QString& folder);

    QByteArray windowGeometry() const;
    void setWindowGeometry(const QByteArray& geometry);

    // Writes what changed to the file now.
    void sync() { store_.sync(); }

private:
    QSettings store_;
};

} // namespace vexa
