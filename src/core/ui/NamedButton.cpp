#include "core/ui/NamedButton.h"

#include <QPushButton>

namespace vexa {

QPushButton* NamedButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace vexa
