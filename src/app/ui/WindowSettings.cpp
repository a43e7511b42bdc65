#include "app/ui/WindowSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vexa {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

WindowSettings::WindowSettings(const QString& path) : store_(path, QSettings::IniFormat) {}

QString WindowSettings::defaultPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(QStringLiteral("vexaconfig.conf"));
}

RememberedLink WindowSettings::link() const {
    RememberedLink link;
    link.port = store_.value(QStringLiteral("link/port")).toString().toStdString();
    link.serialNumber = store_.value(QStringLiteral("link/serialNumber")).toString().toStdString();
    link.settings = store_.value(QStringLiteral("link/settings"), Text(link.settings)).toString().toStdString();
    link.moduleAddress = store_.value(QStringLiteral("link/moduleAddress"), link.moduleAddress).toInt();
    link.bidirectional = store_.value(QStringLiteral("link/bidirectional"), link.bidirectional).toBool();
    link.numberingBase = store_.value(QStringLiteral("link/startNumberingAtOne"), true).toBool() ? 1 : 0;
    link.retries = store_.value(QStringLiteral("link/retries"), link.retries).toInt();
    return link;
}

void WindowSettings::setLink(const RememberedLink& link) {
    store_.setValue(QStringLiteral("link/port"), Text(link.port));
    store_.setValue(QStringLiteral("link/serialNumber"), Text(link.serialNumber));
    store_.setValue(QStringLiteral("link/settings"), Text(link.settings));
    store_.setValue(QStringLiteral("link/moduleAddress"), link.moduleAddress);
    store_.setValue(QStringLiteral("link/bidirectional"), link.bidirectional);
    store_.setValue(QStringLiteral("link/startNumberingAtOne"), link.numberingBase == 1);
    store_.setValue(QStringLiteral("link/retries"), link.retries);
}

bool WindowSettings::expertMode() const {
    return store_.value(QStringLiteral("window/expertMode"), false).toBool();
}

void WindowSettings::setExpertMode(bool on) {
    store_.setValue(QStringLiteral("window/expertMode"), on);
}

QStringList WindowSettings::recentFiles() const {
    return store_.value(QStringLiteral("files/recent")).toStringList().mid(0, RecentFileCount);
}

QStringList WindowSettings::withRecentFile(QStringList files, const QString& path) {
    const QString file = QFileInfo(path).absoluteFilePath();
    files.removeAll(file);
    files.prepend(file);
    return files.mid(0, RecentFileCount);
}

void WindowSettings::addRecentFile(const QString& path) {
    store_.setValue(QStringLiteral("files/recent"), withRecentFile(recentFiles(), path));
}

QString WindowSettings::lastFolder(const QString& kind) const {
    return store_.value(QStringLiteral("folders/") + kind).toString();
}

void WindowSettings::setLastFolder(const QString& kind, const QString& folder) {
    store_.setValue(QStringLiteral("folders/") + kind, folder);
}

QByteArray WindowSettings::windowGeometry() const {
    return store_.value(QStringLiteral("window/geometry")).toByteArray();
}

void WindowSettings::setWindowGeometry(const QByteArray& geometry) {
    store_.setValue(QStringLiteral("window/geometry"), geometry);
}

} // namespace vexa
