#pragma once

#include <functional>

class QTabWidget;
class QWidget;

namespace vexa {

// Ctrl+Tab and Ctrl+Shift+Tab anywhere in `window` show the next or the previous page of `tabs`
// that `open` allows, round past the end; also while the focus stands outside the tabs (the port
// list, the address fields), where the tab set itself does not see the keys. Tab alone moves the
// focus as ever.
void AddPageKeys(QWidget& window, QTabWidget& tabs, std::function<bool(int page)> open);

} // namespace vexa
