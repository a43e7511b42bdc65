#include "core/ui/AccessibleNames.h"

#include "core/ui/HeldMarks.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

namespace vexa {

namespace {

// Marks a name or description this file derived (and may derive again), as against one a page set.
constexpr const char* DerivedNameProperty = "vexaDerivedName";
constexpr const char* DerivedDescriptionProperty = "vexaDerivedDescription";

// A caption as read: without the "&" of an Alt+letter ("&&" is an ampersand), without the
// marks of the held state, without a closing colon, trimmed.
QString Readable(QString text) {
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        plain += text[i];
    }
    for (const char* mark : {ChangedMark, UnknownMark})
        if (plain.startsWith(QString::fromUtf8(mark)))
            plain.remove(0, QString::fromUtf8(mark).size());
    plain = plain.simplified();
    if (plain.endsWith(QLatin1Char(':')))
        plain.chop(1);
    return plain.trimmed();
}

// The toolkit's own name for these is their current item: they need one of their own (a tab
// bar's tabs are read each by its caption).
bool NeedsOwnName(const QWidget* widget) {
    return qobject_cast<const QComboBox*>(widget) || qobject_cast<const QTabBar*>(widget);
}

// Fields whose name the toolkit takes from their buddy label, so that it follows the label.
bool ReadsBuddy(const QWidget* widget) {
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QAbstractSlider*>(widget);
}

// The label made the widget's buddy, if any.
QLabel* BuddyLabel(QWidget* widget) {
    for (QWidget* parent = widget->parentWidget(); parent; parent = parent->parentWidget()) {
        for (QLabel* label : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
            if (label->buddy() == widget)
                return label;
        if (parent->isWindow())
            break;
    }
    return nullptr;
}

// The layout, inside `layout`, that holds the widget itself; null when none does.
QLayout* LayoutHolding(QLayout* layout, QWidget* widget) {
    if (layout->indexOf(widget) >= 0)
        return layout;
    for (int item = 0; item < layout->count(); ++item)
        if (QLayout* inner = layout->itemAt(item)->layout())
            if (QLayout* holding = LayoutHolding(inner, widget))
                return holding;
    return nullptr;
}

// The label that stands just before the widget in its row: the widget before it in a row of
// widgets (also before the small group it leads, a field with its arrows), or the cell to its
// left in a grid.
QLabel* LabelBefore(QWidget* widget) {
    QWidget* parent = widget->parentWidget();
    QLayout* current = parent && parent->layout() ? LayoutHolding(parent->layout(), widget) : nullptr;
    int index = current ? current->indexOf(widget) : -1;
    while (current) {
        if (auto* grid = qobject_cast<QGridLayout*>(current)) {
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
            QLayoutItem* left = column > 0 ? grid->itemAtPosition(row, column - 1) : nullptr;
            return left ? qobject_cast<QLabel*>(left->widget()) : nullptr;
        }
        auto* box = qobject_cast<QBoxLayout*>(current);
        if (!box || (box->direction() != QBoxLayout::LeftToRight && box->direction() != QBoxLayout::RightToLeft))
            return nullptr;
        for (int item = index - 1; item >= 0; --item) {
            if (QWidget* before = box->itemAt(item)->widget())
                return qobject_cast<QLabel*>(before);
            if (box->itemAt(item)->layout())
                return nullptr;
        }
        // First in its group: the label may stand before the group, a nested row or a plain
        // widget that only holds the row.
        if (auto* outer = qobject_cast<QLayout*>(current->parent())) {
            index = outer->indexOf(current);
            current = outer;
            continue;
        }
        QWidget* holder = current->parentWidget();
        QWidget* above = holder ? holder->parentWidget() : nullptr;
        if (!above || !above->layout() || holder->metaObject() != &QWidget::staticMetaObject)
            return nullptr;
        current = LayoutHolding(above->layout(), holder);
        index = current ? current->indexOf(holder) : -1;
    }
    return nullptr;
}

// The innermost titled frame around the widget, inside the window.
QString FrameTitle(const QWidget* widget) {
    for (const QWidget* parent = widget->parentWidget(); parent && !parent->isWindow(); parent = parent->parentWidget())
        if (auto* frame = qobject_cast<const QGroupBox*>(parent); frame && !Readable(frame->title()).isEmpty())
            return Readable(frame->title());
    return {};
}

// Where the widget sits: its frame, and the page of a tab set or else the window.
QString Context(const QWidget* widget) {
    QStringList parts;
    if (const QString frame = FrameTitle(widget); !frame.isEmpty())
        parts << frame;
    QString place;
    for (const QWidget* child = widget; child && child->parentWidget() && place.isEmpty();
         child = child->parentWidget()) {
        const QWidget* parent = child->parentWidget();
        if (auto* pages = qobject_cast<const QStackedWidget*>(parent))
            if (auto* tabs = qobject_cast<const QTabWidget*>(pages->parentWidget())) {
                const int index = tabs->indexOf(const_cast<QWidget*>(child));
                if (index >= 0)
                    place = Readable(tabs->tabText(index)) + QStringLiteral(" page");
            }
        if (parent->isWindow() && place.isEmpty())
            place = Readable(parent->windowTitle());
    }
    if (!place.isEmpty() && !parts.contains(place))
        parts << place;
    return parts.join(QStringLiteral(", "));
}

void SetDerivedName(QWidget* widget, const QString& name) {
    widget->setAccessibleName(name);
    widget->setProperty(DerivedNameProperty, true);
}

// The name of a control that has none yet; empty when nothing names it.
QString DerivedName(QWidget* widget, bool& fromToolTip) {
    fromToolTip = false;
    QLabel* label = BuddyLabel(widget);
    if (!label) {
        label = LabelBefore(widget);
        // The toolkit looks for a buddy among the field's siblings only.
        if (label && !Readable(label->text()).isEmpty() && ReadsBuddy(widget) && !label->buddy() &&
            label->parentWidget() == widget->parentWidget()) {
            label->setBuddy(widget); // the toolkit reads the label's text, as it is now
            return {};
        }
    }
    if (label && !Readable(label->text()).isEmpty())
        return Readable(label->text());
    if (const QString tip = Readable(widget->toolTip()); !tip.isEmpty()) {
        fromToolTip = true;
        return tip;
    }
    if (auto* field = qobject_cast<QLineEdit*>(widget); field && !field->placeholderText().isEmpty())
        return Readable(field->placeholderText());
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit())
        if (!combo->lineEdit()->placeholderText().isEmpty())
            return Readable(combo->lineEdit()->placeholderText());
    return FrameTitle(widget);
}

// The toolkit names a field without a buddy by the title of the frame it sits in (with the
// frame's mark): no name of its own.
bool NamedByItsFrame(QWidget* widget) {
    auto* frame = qobject_cast<QGroupBox*>(widget->parentWidget());
    return frame && widget->accessibleName().isEmpty() && !BuddyLabel(widget) &&
           Readable(ReadName(widget)) == Readable(frame->title());
}

void NameControl(QWidget* widget) {
    const bool derivedBefore = widget->property(DerivedNameProperty).toBool();
    if (derivedBefore)
        widget->setAccessibleName(QString());
    bool fromToolTip = false;
    if (ReadName(widget).isEmpty() || NamedByItsFrame(widget)) {
        const QString name = DerivedName(widget, fromToolTip);
        if (!name.isEmpty())
            SetDerivedName(widget, name);
    }
    // The field of an editable list is read on its own: it reads as the list does.
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit())
        combo->lineEdit()->setAccessibleName(combo->accessibleName());
    if (widget->property(DerivedDescriptionProperty).toBool())
        widget->setAccessibleDescription(QString());
    if (widget->accessibleDescription().isEmpty() && (fromToolTip || widget->toolTip().isEmpty())) {
        // A list that cannot be typed into is read by its current item (Qt 6.4 on the
        // accessibility bus): its description starts with its name.
        const QString context = Context(widget);
        auto* list = qobject_cast<QComboBox*>(widget);
        const bool readByItem = list && !list->isEditable() && !list->accessibleName().isEmpty();
        widget->setAccessibleDescription(readByItem ? list->accessibleName() + QStringLiteral(", ") + context
                                                    : context);
        widget->setProperty(DerivedDescriptionProperty, true);
    }
}

} // namespace

bool IsControl(const QWidget* widget, const QWidget* scope) {
    if (qobject_cast<const QScrollBar*>(widget) || qobject_cast<const QTabWidget*>(widget) ||
        qobject_cast<const QStackedWidget*>(widget))
        return false;
    for (const QWidget* parent = widget->parentWidget(); parent && parent != scope; parent = parent->parentWidget())
        if (qobject_cast<const QComboBox*>(parent) || qobject_cast<const QAbstractSpinBox*>(parent) ||
            qobject_cast<const QTabBar*>(parent) || qobject_cast<const QAbstractItemView*>(parent) ||
            qobject_cast<const QMenuBar*>(parent))
            return false; // a part the toolkit builds inside a control
    if (auto* area = qobject_cast<const QAbstractScrollArea*>(widget->parentWidget());
        area && area->viewport() == widget)
        return false;
    if (auto* frame = qobject_cast<const QGroupBox*>(widget))
        return frame->isCheckable();
    if (qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
        qobject_cast<const QAbstractSpinBox*>(widget) || qobject_cast<const QComboBox*>(widget) ||
        qobject_cast<const QAbstractSlider*>(widget) || qobject_cast<const QAbstractItemView*>(widget) ||
        qobject_cast<const QTabBar*>(widget) || qobject_cast<const QPlainTextEdit*>(widget) ||
        qobject_cast<const QTextEdit*>(widget) || qobject_cast<const QProgressBar*>(widget))
        return true;
    if (qobject_cast<const QAbstractScrollArea*>(widget))
        return false; // a scrolled page: its controls are named, not the page
    return widget->focusPolicy() != Qt::NoFocus;
}

QString ReadName(QWidget* widget) {
    if (NeedsOwnName(widget))
        return widget->accessibleName().trimmed();
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name).trimmed() : QString();
}

QString ReadDescription(QWidget* widget) {
    if (qobject_cast<QTabBar*>(widget))
        return widget->accessibleDescription().trimmed();
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Description).trimmed() : QString();
}

void NameForScreenReaders(QWidget* scope) {
    for (QWidget* widget : scope->findChildren<QWidget*>())
        if (IsControl(widget, scope))
            NameControl(widget);
}

} // namespace vexa
