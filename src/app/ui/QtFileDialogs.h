#pragma once

#include "core/FileDialogs.h"

#include <QString>

class QWidget;

namespace vexa {

// Turns a filter "Description|*.ext" (pairs joined by '|') into the filter text of a Qt file
// dialog, "Description (*.ext)" with pairs joined by ";;".
QString QtFilterText(const std::string& filter);
// The extension of the filter's first pattern ("dat" for "...|*.dat"); empty when it has none.
QString DefaultSuffix(const std::string& filter);

// File dialogs of the platform. The save dialog asks before it overwrites a file.
class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    std::string openFileName(const std::string& filter) override;
    std::string openFileNameWith(const std::string& filter, const std::string& name) override;
    std::string saveFileName(const std::string& filter) override;
    std::string folderName(const std::string& caption) override;

private:
    QWidget* parent_;
};

} // namespace vexa
