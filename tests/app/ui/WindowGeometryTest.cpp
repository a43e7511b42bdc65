#include "app/ui/MainWindow.h"
#include "core/OperationRunner.h"
#include "core/ui/WindowFit.h"

#include "pins/InstructionTable.h"

#include "Fixtures.h"
#include "ui/UserInput.h"
#include "ui/WindowBench.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

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

// The width a control needs to show its caption whole. A push button's size hint asks for more
// than its text (a least width of the style), which a button of one sign does without.
int NeededWidth(QWidget* widget) {
    const auto* button = qobject_cast<QPushButton*>(widget);
    if (!button)
        return widget->sizeHint().width();
    const QStyle* style = button->style();
    return std::min(button->sizeHint().width(),
                    button->fontMetrics().horizontalAdvance(QString(button->text()).remove(QLatin1Char('&'))) +
                        2 * (style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                             style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button)));
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
        const int needed = label && label->wordWrap() ? label->minimumSizeHint().width() : NeededWidth(widget);
        EXPECT_LE(needed, widget->width()) << where << ": " << Describe(widget);
    }
}

struct ScreenCase {
    const char* name;
    QRect available; // the screen's free area, in the window's pixels
};

// Each page in the first size of the window on each screen: the window fits, nothing scrolls
// sideways, no caption is cut.
TEST(WindowGeometry, EveryPageFitsWithoutSidewaysScrollingOrClippedCaptions) {
    const ScreenCase screens[] = {
        {"1920x1080", QRect(0, 0, 1920, 1050)},
        {"1024x768", QRect(0, 0, 1024, 768)},
        {"1024x768 with a panel", QRect(0, 0, 1024, 740)},
        {"1920x1200 at scale 2", QRect(0, 0, 960, 600)},
    };
    test::WindowBench bench;
    MainWindow& window = *bench.window;
    window.setExpertMode(true); // the most controls, the Test tab unlocked
    ASSERT_TRUE(window.openFile(test::FixturePath(test::RichDataFile)));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* tabs = bench.find<QTabWidget>("SSTab_Main");
    // The widest state of the pin page: a servo's settings beside the steps of four aspects.
    tabs->setCurrentIndex(MainWindow::DeviceTab);
    test::TypeAndEnter(bench.find<QLineEdit>("TextPAspOutput"), QStringLiteral("3"));
    bench.find<QCheckBox>("CheckPAspShowDetails")->click();
    for (const ScreenCase& screen : screens) {
        const QSize first = FittedWindowSize(QSize(1100, 680), screen.available);
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

// The status bar of the smallest window cuts none of its texts: the busy label and a long stage
// of a running operation, a message beside a long count of changes.
TEST(WindowGeometry, StatusBarTextsAreNeverCut) {
    test::WindowBench bench;
    MainWindow& window = *bench.window;
    window.resize(FittedWindowSize(QSize(1100, 680), QRect(0, 0, 960, 600)));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QStatusBar* bar = window.statusBar();
    auto* changes = bench.find<QLabel>("LabelChanges");
    const QString count = QStringLiteral("12 pins, 3 setting blocks, 40 event slots, the enable map changed since the "
                                         "last read; not known of the controller: 20 pins, 2 setting blocks");
    changes->setText(count);
    const QString message = QStringLiteral("The port /dev/ttyUSB0 went away: choose the port again");
    bar->showMessage(message);
    QTRY_VERIFY(changes->x() >= bar->fontMetrics().horizontalAdvance(message));
    QTRY_COMPARE(changes->height(), changes->heightForWidth(changes->width()));
    EXPECT_LE(window.width(), 944) << "the count widens the window";

    bar->clearMessage();
    for (const char* name : {"LabelAction", "lblProgressStage", "barProgress", "cmdStop"})
        bench.find(name)->show(); // as a running operation shows them
    bench.find<QLabel>("lblProgressStage")->setText(QString::fromLatin1(StoppingText));
    QTRY_VERIFY(changes->isHidden()); // the progress has the bar for itself
    ExpectNoCaptionClipped(bar, "the status bar");
    EXPECT_LE(window.width(), 944);
}

// Where a control stands in the window.
QPoint At(QWidget* widget) {
    return widget->mapTo(widget->window(), QPoint(0, 0));
}

// Each heading of the LED frame stands over its own column of boxes.
TEST(WindowGeometry, LedHeadingsStandOverTheirColumns) {
    test::WindowBench bench;
    bench.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(bench.window.get()));
    EXPECT_EQ(bench.find<QLabel>("LabelLC")->text(), "Green LED function");
    EXPECT_EQ(bench.find<QLabel>("LabelLCOrange")->text(), "Orange LED function");
    EXPECT_EQ(At(bench.find("LabelLC")).x(), At(bench.find("CheckLCGreen(7)")).x());
    EXPECT_EQ(At(bench.find("LabelLCOrange")).x(), At(bench.find("CheckLCOrange(7)")).x());
}

// Choosing an instruction whose captions and fade box appear moves no field of the step grid.
TEST(WindowGeometry, StepFieldsStayPutAsTheirCaptionsAppear) {
    test::WindowBench bench;
    MainWindow& window = *bench.window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    bench.find<QTabWidget>("SSTab_Main")->setCurrentIndex(MainWindow::DeviceTab);
    bench.find<QCheckBox>("CheckPAspShowDetails")->click();
    QTest::mouseClick(bench.find("OptionPAspConf(1)"), Qt::LeftButton); // four aspects, no instruction yet
    auto* list = bench.find<QComboBox>("ComboPAspInst(0)");
    const auto isFading = [list](int item) { return InstructionOf(list->itemData(item).toInt()).fadeAllowed; };
    int fading = 0;
    while (fading < list->count() && !isFading(fading))
        ++fading;
    ASSERT_LT(fading, list->count());
    ASSERT_FALSE(isFading(list->currentIndex()));
    const char* const fields[] = {"ComboPAspInst(0)", "TextPAspOffset(0)", "TextPAspPar1(0)",
                                  "TextPAspPar3(0)",  "TextPAspPar2(1)",   "LabelPAspTime(0)"};
    QApplication::processEvents(); // the grid laid out as shown
    std::vector<QPoint> before;
    for (const char* field : fields)
        before.push_back(At(bench.find(field)));
    list->setCurrentIndex(fading);
    emit list->activated(fading);
    QApplication::processEvents();
    ASSERT_TRUE(bench.find("CheckPAspFade(0)")->isVisible());
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(At(bench.find(fields[i])) - before[i], QPoint(0, 0)) << fields[i] << " moves";
}

} // namespace
} // namespace vexa
