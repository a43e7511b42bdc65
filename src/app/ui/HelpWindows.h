#pragma once

#include <QString>

class QWidget;

namespace vexa {

// The licence under which the tool is given, as the About box and the package's copyright
// file name it.
inline constexpr const char* LicenceText =
    "GNU General Public License, version 3 or (at your option) any later version";

// The README with its pictures: beside the program (a build tree), else where the package puts
// it (../share/doc/vexaconfig beside bin/). Empty when there is none.
QString ReadMePath(const QString& programFolder);

// "Read Me": a window that shows the README with its pictures (one window, raised again).
void ShowReadMe(QWidget* parent, const QString& programFolder);

// "Keyboard Shortcuts": the keys of the menus, the window's own keys, and the Alt+letter of
// each button and tab of the page shown now, as they are in `window`.
void ShowKeyboardShortcuts(QWidget* window);

// "About Vexa Config": release, Qt version and licence.
void ShowAbout(QWidget* parent);

} // namespace vexa
