#pragma once

#include <QLineEdit>

namespace vexa {

// A number field of a page. Its rule runs only for an edit: the user changed the text and then
// pressed Enter or left the field. Focus, a click, Tab, or Enter on an unchanged text store
// nothing, so a value shown from a file stays as it is, even outside the field's range, until
// the user types another one. Text the page sets is what the field shows; typing it again is no
// edit. Leaving by switching to another window (or a popup) does not count: the field still
// holds the focus within this window.
class CommitLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CommitLineEdit(const QString& name, QWidget* parent = nullptr);

    // The user typed a text other than the one the page showed (or, with retyping commits on,
    // typed at all).
    bool hasEdit() const;
    // Typing the shown text again counts as an edit too: each entry of the module address
    // resynchronises the link, which is how a user recovers it after a controller reset.
    void setRetypingCommits(bool on) { retypingCommits_ = on; }
    // Emits commitRequested when the field holds an edit; afterwards its text counts as shown.
    void commitEdit();

signals:
    // The field holds an edit that its rule should now take.
    void commitRequested();
    // A double-click, or F4 (what a double-click does, from the keyboard).
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString shown_; // the text the page set last
    bool retypingCommits_ = false;
};

} // namespace vexa
