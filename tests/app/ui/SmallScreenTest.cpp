#include "app/ui/MainWindow.h"
#include "app/ui/WindowFit.h"

#include "ui/WindowBench.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <string>

namespace vexa {
namespace {

std::string Describe(const QWidget* widget) {
    QString text;
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        text = label->text();
    else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        text = button->text();
    return (widget->objectName() + QStringLiteral(" \"") + text + QStringLiteral("\"")).toStdString();
}

// Every caption shown in `scope` has the room its text asks for: a button or a label narrower
// than its size hint clips its text ("Vrite Change"). A label that wraps needs only its
// narrowest form.
void ExpectNoCaptionClipped(QWidget* scope, const std::string& where) {
    for (QWidget* widget : scope->findChildren<QWidget*>()) {
        if (!widget->isVisible())
            continue;
        const auto* label = qobject_cast<QLabel*>(widget);
        const auto* button = qobject_cast<QAbstractButton*>(widget);
        const bool caption = (label && !label->text().isEmpty()) || (button && !button->text().isEmpty());
        if (!caption)
            continue;
        const int needed = label && label->wordWrap() ? label->minimumSizeHint().width() : widget->sizeHint().width();
        EXPECT_LE(needed, widget->width()) << where << ": " << Describe(widget);
    }
}

struct ScreenCase {
    const char* name;
    QRect available; // the screen's free area, in the window's pixels
};

// Each page in the first size of the window on each screen: the window fits, nothing scrolls
// sideways, no caption is cut.
TEST(SmallScreen, EveryPageFitsWithoutSidewaysScrollingOrClippedCaptions) {
    const ScreenCase screens[] = {
        {"1920x1080", QRect(0, 0, 1920, 1050)},
        {"1024x768", QRect(0, 0, 1024, 768)},
        {"1024x768 with a panel", QRect(0, 0, 1024, 740)},
        {"1920x1200 at scale 2", QRect(0, 0, 960, 600)},
    };
    test::WindowBench bench;
    MainWindow& window = *bench.window;
    window.setExpertMode(true); // the most controls, the Test tab unlocked
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* tabs = bench.find<QTabWidget>("SSTab_Main");
    for (const ScreenCase& screen : screens) {
        const QSize first = FirstWindowSize(screen.available);
        EXPECT_TRUE(screen.available.contains(QRect(screen.available.topLeft(), first))) << screen.name;
        window.resize(first);
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            QApplication::processEvents();
            const std::string where = std::string(screen.name) + ", " + tabs->tabText(page).toStdString();
            EXPECT_EQ(window.size(), first) << where << ": the window cannot be made that small";
            auto* frame = qobject_cast<QScrollArea*>(tabs->currentWidget());
            ASSERT_NE(frame, nullptr) << where;
            EXPECT_FALSE(frame->horizontalScrollBar()->isVisible())
                << where << ": scrolls sideways, " << frame->widget()->minimumSizeHint().width() << " px wide in "
                << frame->viewport()->width();
            ExpectNoCaptionClipped(&window, where);
        }
    }
}

} // namespace
} // namespace vexa
