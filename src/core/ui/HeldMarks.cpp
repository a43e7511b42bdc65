#include "core/ui/HeldMarks.h"

#include "core/ui/Mnemonics.h"

#include <QGroupBox>
#include <QStyle>
#include <QVariant>
#include <QWidget>

namespace vexa {

namespace {

constexpr const char* MarkProperty = "heldMark";

const char* PropertyValue(HeldState state) {
    switch (state) {
    case HeldState::Changed:
        return "changed";
    case HeldState::Unknown:
        return "unknown";
    case HeldState::Same:
        break;
    }
    return "same";
}

} // namespace

QString HeldStateText(HeldState state) {
    switch (state) {
    case HeldState::Changed:
        return QStringLiteral("Changed: differs from what the controller holds (written by Write Changes)");
    case HeldState::Unknown:
        return QStringLiteral("Not known of the controller: never read or written since it was connected "
                              "(written by Write Changes)");
    case HeldState::Same:
        break;
    }
    return QStringLiteral("Same as the controller");
}

QString HeldMarksLegend() {
    return QString::fromUtf8(ChangedMark) + QStringLiteral("bold: changed since the last read or write\n") +
           QString::fromUtf8(UnknownMark) + QStringLiteral("italic: not known of the controller\n") +
           QStringLiteral("plain: same as the controller");
}

QString MarkedCaption(const QString& caption, HeldState state) {
    switch (state) {
    case HeldState::Changed:
        return QString::fromUtf8(ChangedMark) + caption;
    case HeldState::Unknown:
        return QString::fromUtf8(UnknownMark) + caption;
    case HeldState::Same:
        break;
    }
    return caption;
}

void MarkHeldState(QWidget* widget, HeldState state) {
    const QString value = QLatin1String(PropertyValue(state));
    if (widget->property(MarkProperty).toString() == value)
        return;
    widget->setProperty(MarkProperty, value);
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
    widget->update();
}

HeldState MarkedHeldState(const QWidget* widget) {
    const QString value = widget->property(MarkProperty).toString();
    if (value == QLatin1String("changed"))
        return HeldState::Changed;
    return value == QLatin1String("same") ? HeldState::Same : HeldState::Unknown;
}

// The tints are light on every palette, so they bring a dark text of their own: the light text of
// a dark theme would not stand out on them.
QString HeldMarkStyleRules() {
    return QStringLiteral("*[heldMark=\"changed\"] { font-weight: bold; background-color: #ffe9a8; color: #202020; }\n"
                          "*[heldMark=\"unknown\"] { font-style: italic; }\n");
}

void MarkHeldFrame(QGroupBox* frame, const QString& caption, HeldState state) {
    frame->setTitle(WithMnemonicOf(frame->title(), MarkedCaption(caption, state)));
    MarkHeldState(frame, state);
}

} // namespace vexa
