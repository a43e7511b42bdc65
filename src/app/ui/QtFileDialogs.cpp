#include "app/ui/QtFileDialogs.h"

#include "app/ui/WindowSettings.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace vexa {

QString QtFilterText(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) +
                       QLatin1Char(')');
    return filters.join(QStringLiteral(";;"));
}

QString DefaultSuffix(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    if (parts.size() < 2)
        return {};
    const QString pattern = parts[1].section(QLatin1Char(';'), 0, 0).trimmed();
    const QString suffix = pattern.mid(2);
    if (!pattern.startsWith(QStringLiteral("*.")) || suffix.contains(QLatin1Char('*')) ||
        suffix.contains(QLatin1Char('?')))
        return {};
    return suffix;
}

QString SuffixForChosenFilter(const std::string& filter, const QString& chosen) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const std::string pair = (parts[i] + QLatin1Char('|') + parts[i + 1]).toStdString();
        if (QtFilterText(pair) == chosen)
            return DefaultSuffix(pair);
    }
    return DefaultSuffix(filter);
}

std::string QtFileDialogs::run(const std::string& filter, bool save, const std::string& name) {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(QtFilterText(filter));
    dialog.setDefaultSuffix(DefaultSuffix(filter));
    // A name typed without an extension takes that of the kind chosen in the dialog ("sheet"
    // saved as a web page is sheet.html, not sheet.pdf).
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &filter](const QString& chosen) {
        dialog.setDefaultSuffix(SuffixForChosenFilter(filter, chosen));
    });
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    const QString kind = DefaultSuffix(filter);
    if (settings_ && !settings_->lastFolder(kind).isEmpty())
        dialog.setDirectory(settings_->lastFolder(kind));
    if (!name.empty())
        dialog.selectFile(QString::fromStdString(name));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    if (settings_)
        settings_->setLastFolder(kind, QFileInfo(chosen).absolutePath());
    return chosen.toStdString();
}

std::string QtFileDialogs::openFileName(const std::string& filter) {
    return run(filter, false);
}

std::string QtFileDialogs::openFileNameWith(const std::string& filter, const std::string& name) {
    return run(filter, false, name);
}

std::string QtFileDialogs::saveFileName(const std::string& filter) {
    return run(filter, true);
}

std::string QtFileDialogs::saveFileNameWith(const std::string& filter, const std::string& name) {
    return run(filter, true, name);
}

std::string QtFileDialogs::folderName(const std::string& caption) {
    // The folders of a layout's backups are remembered apart from the folders of single files.
    const QString kind = QStringLiteral("layout");
    const QString start = settings_ ? settings_->lastFolder(kind) : QString();
    const QString chosen = QFileDialog::getExistingDirectory(parent_, QString::fromStdString(caption), start);
    if (!chosen.isEmpty() && settings_)
        settings_->setLastFolder(kind, chosen);
    return chosen.toStdString();
}

} // namespace vexa
