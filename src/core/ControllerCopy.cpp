#include "core/ControllerCopy.h"

namespace vexa {

const std::vector<int>* ControllerCopy::find(const HeldKey& key) const {
    const auto found = values_.find(key);
    return found == values_.end() ? nullptr : &found->second.values;
}

void ControllerCopy::hold(const HeldKey& key, std::vector<int> values, bool confirmed) {
    values_[key] = Held{std::move(values), confirmed};
    ++revision_;
}

bool ControllerCopy::confirmed(const HeldKey& key) const {
    const auto found = values_.find(key);
    return found != values_.end() && found->second.confirmed;
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

bool ControllerCopy::contradictedBy(const ControllerCopy& other) const {
    for (const auto& [key, held] : other.values_) {
        const auto mine = values_.find(key);
        if (held.confirmed && mine != values_.end() && mine->second.values != held.values)
            return true;
    }
    return false;
}

} // namespace vexa
