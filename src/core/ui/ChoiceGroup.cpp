#include "core/ui/ChoiceGroup.h"

namespace vexa {

ChoiceGroup::ChoiceGroup(QObject* parent) : QButtonGroup(parent) {
    // A button is pressed before its click checks it, by mouse, key or click() alike.
    connect(this, &QButtonGroup::idPressed, this, [this] { before_ = checkedId(); });
    connect(this, &QButtonGroup::idClicked, this, [this](int id) {
        if (id != before_)
            emit chosen(id);
    });
}

} // namespace vexa
