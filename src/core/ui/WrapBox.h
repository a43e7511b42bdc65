#pragma once

#include <QWidget>

#include <vector>

class QBoxLayout;

namespace vexa {

// Holds its widgets side by side where its width has room for all of them, and one under the
// other where it has not, so that a page on a small screen scrolls down rather than sideways. It
// asks only for the width of its widest part.
class WrapBox : public QWidget {
    Q_OBJECT
public:
    explicit WrapBox(QWidget* parent = nullptr);

    // The layout to fill; its direction follows the width.
    QBoxLayout* box() const { return box_; }
    // True while the parts stand side by side.
    bool sideBySide() const;

    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The smallest sizes of the parts shown.
    std::vector<QSize> partSizes() const;
    // The width the parts take side by side, at their smallest.
    int sideBySideWidth() const;

    QBoxLayout* box_;
};

} // namespace vexa
