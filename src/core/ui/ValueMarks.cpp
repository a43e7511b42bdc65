#include "core/ui/ValueMarks.h"

#include <QCheckBox>
#include <QVariant>

namespace vexa {

namespace {

// The field's own tooltip, kept while the mark's tooltip stands in for it.
constexpr const char* OwnToolTipProperty = "vexaOwnToolTip";
// A light tint with a dark text of its own, readable on a dark theme too.
const QString UnsendableStyle = QStringLiteral("background-color: #ffc8c8; color: #202020;");

} // namespace

void ShowKnownCheck(QCheckBox* box, std::optional<bool> value) {
    box->setTristate(!value.has_value());
    if (value)
        box->setCheckState(*value ? Qt::Checked : Qt::Unchecked);
    else
        box->setCheckState(Qt::PartiallyChecked);
}

void MarkUnsendable(QWidget* field, const std::string& problem) {
    const QVariant own = field->property(OwnToolTipProperty);
    if (problem.empty()) {
        if (own.isValid()) {
            field->setToolTip(own.toString());
            field->setProperty(OwnToolTipProperty, QVariant());
            field->setStyleSheet(QString());
        }
        return;
    }
    if (!own.isValid())
        field->setProperty(OwnToolTipProperty, field->toolTip());
    field->setToolTip(QString::fromStdString(problem));
    field->setStyleSheet(UnsendableStyle);
}

} // namespace vexa
