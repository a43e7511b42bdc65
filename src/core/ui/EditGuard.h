#pragma once

namespace vexa {

// Counts the fills of a page in progress. While the page writes its own fields (or runs a
// commit), the change and focus signals those writes cause must not run the field rules again.
class EditGuard {
public:
    bool active() const { return depth_ > 0; }

    class Scope {
    public:
        explicit Scope(EditGuard& guard) : guard_(guard) { ++guard_.depth_; }
        ~Scope() { --guard_.depth_; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        EditGuard& guard_;
    };

private:
    int depth_ = 0;
};

} // namespace vexa
