#include "app/ui/PageKeys.h"

#include <QKeySequence>
#include <QShortcut>
#include <QTabWidget>

namespace vexa {

namespace {

// The page `step` pages on from the shown one (round past the end) that may be shown; the shown
// one when no other may.
int NextPage(const QTabWidget& tabs, int step, const std::function<bool(int)>& open) {
    const int count = tabs.count();
    int page = tabs.currentIndex();
    for (int tries = 1; tries < count; ++tries) {
        page = (page + step + count) % count;
        if (tabs.isTabEnabled(page) && open(page))
            return page;
    }
    return tabs.currentIndex();
}

} // namespace

void AddPageKeys(QWidget& window, QTabWidget& tabs, std::function<bool(int page)> open) {
    for (const auto& [keys, step] : {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                                     std::pair{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1}}) {
        auto* shortcut = new QShortcut(keys, &window);
        shortcut->setObjectName(step > 0 ? QStringLiteral("ShortcutNextPage") : QStringLiteral("ShortcutPreviousPage"));
        QObject::connect(shortcut, &QShortcut::activated, &tabs,
                         [&tabs, step, open] { tabs.setCurrentIndex(NextPage(tabs, step, open)); });
    }
}

} // namespace vexa
