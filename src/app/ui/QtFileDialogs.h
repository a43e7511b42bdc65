#pragma once

#include "core/FileDialogs.h"

#include <QString>

class QWidget;

namespace vexa {

class WindowSettings;

// Turns a filter "Description|*.ext" (pairs joined by '|') into the filter text of a Qt file
// dialog, "Description (*.ext)" with pairs joined by ";;".
QString QtFilterText(const std::string& filter);
// The extension of the filter's first pattern ("dat" for "...|*.dat"); empty when it has none.
QString DefaultSuffix(const std::string& filter);
// The extension of the pair of `filter` that the dialog shows as `chosen` (a text of
// QtFilterText); that of the first pair when none matches.
QString SuffixForChosenFilter(const std::string& filter, const QString& chosen);

// File dialogs of the platform. The save dialog asks before it overwrites a file. With
// settings, each kind of dialog (by the extension of its filter) opens in the folder it showed
// last.
class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr, WindowSettings* settings = nullptr)
        : parent_(parent), settings_(settings) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    std::string openFileName(const std::string& filter) override;
    std::string openFileNameWith(const std::string& filter, const std::string& name) override;
    std::string saveFileName(const std::string& filter) override;
    std::string saveFileNameWith(const std::string& filter, const std::string& name) override;
    std::string folderName(const std::string& caption) override;

private:
    std::string run(const std::string& filter, bool save, const std::string& name = {});

    QWidget* parent_;
    WindowSettings* settings_;
};

} // namespace vexa
