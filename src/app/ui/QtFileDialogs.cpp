#include "app/ui/QtFileDialogs.h"

#include <QFileDialog>
#include <QStringList>

namespace vexa {

namespace {

std::string Run(QWidget* parent, const std::string& filter, QFileDialog::AcceptMode mode,
                const std::string& name = {}) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(QtFilterText(filter));
    dialog.setDefaultSuffix(DefaultSuffix(filter));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (!name.empty())
        dialog.selectFile(QString::fromStdString(name));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst().toStdString();
}

} // namespace

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

std::string QtFileDialogs::openFileName(const std::string& filter) {
    return Run(parent_, filter, QFileDialog::AcceptOpen);
}

std::string QtFileDialogs::openFileNameWith(const std::string& filter, const std::string& name) {
    return Run(parent_, filter, QFileDialog::AcceptOpen, name);
}

std::string QtFileDialogs::saveFileName(const std::string& filter) {
    return Run(parent_, filter, QFileDialog::AcceptSave);
}

std::string QtFileDialogs::folderName(const std::string& caption) {
    return QFileDialog::getExistingDirectory(parent_, QString::fromStdString(caption)).toStdString();
}

} // namespace vexa
