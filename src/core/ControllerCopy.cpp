#include "core/ControllerCopy.h"

namespace vexa {

const std::vector<int>* ControllerCopy::find(const HeldKey& key) const {
    const auto found = values_.find(key);
    return found == values_.end() ? nullptr : &found->second;
}

void ControllerCopy::hold(const HeldKey& key, std::vector<int> values) {
    values_[key] = std::move(values);
    ++revision_;
}

void ControllerCopy::forget(const HeldKey& key) {
    if (values_.erase(key) > 0)
        ++revision_;
}

void ControllerCopy::forgetAll() {
    if (values_.empty())
        return;
    values_.clear();
    ++revision_;
}

void ControllerCopy::follow(const LinkIdentity& identity) {
    if (identity == identity_)
        return;
    identity_ = identity;
    forgetAll();
}

} // namespace vexa
