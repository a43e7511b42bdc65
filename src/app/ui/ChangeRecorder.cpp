#include "app/ui/ChangeRecorder.h"

#include "app/ui/MainWindow.h"
#include "model/ConfigurationChange.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

namespace vexa {

namespace {

bool IsUndoKey(const QKeyEvent& key) {
    return key.keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Z);
}

bool IsRedoKey(const QKeyEvent& key) {
    return key.keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
           key.keyCombination() == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
}

// The text field that takes the keys sent to `watched` (an editable list passes them to its
// field); null when there is none.
QLineEdit* TextFieldOf(QObject* watched) {
    if (auto* list = qobject_cast<QComboBox*>(watched))
        return list->lineEdit();
    return qobject_cast<QLineEdit*>(watched);
}

// True when the text field holds an edit of its own that the key would take back or bring again.
bool FieldHasOwnStep(const QLineEdit& field, bool undo) {
    return !field.isReadOnly() && field.isModified() && (undo ? field.isUndoAvailable() : field.isRedoAvailable());
}

// The caption, without its mnemonic mark, of an action button ("Paste Pin", "Copy to All") that
// a release of the mouse or of Space clicks; empty for anything else. A dialog's own OK, Cancel
// or Yes (its button box) names no change.
std::string ClickedCaption(QObject* watched, const QEvent& event) {
    auto* button = qobject_cast<QPushButton*>(watched);
    if (!button || button->isCheckable() || qobject_cast<QDialogButtonBox*>(button->parent()))
        return {};
    const bool clicks =
        event.type() == QEvent::MouseButtonRelease ||
        (event.type() == QEvent::KeyRelease && static_cast<const QKeyEvent&>(event).key() == Qt::Key_Space);
    return clicks ? button->text().remove(QLatin1Char('&')).trimmed().toStdString() : std::string();
}

QString ActionText(const char* verb, const std::string& name) {
    QString text = QString::fromLatin1(verb);
    if (!name.empty())
        text += QLatin1Char(' ') + QString::fromStdString(name);
    return text;
}

} // namespace

ChangeRecorder::ChangeRecorder(MainWindow& window)
    : QObject(&window), window_(window), undo_(new QAction(this)), redo_(new QAction(this)) {
    undo_->setObjectName(QStringLiteral("ActionUndo"));
    redo_->setObjectName(QStringLiteral("ActionRedo"));
    undo_->setShortcut(QKeySequence(Qt::ControlModifier | Qt::Key_Z));
    redo_->setShortcuts({QKeySequence(Qt::ControlModifier | Qt::Key_Y),
                         QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z)});
    connect(undo_, &QAction::triggered, this, &ChangeRecorder::undo);
    connect(redo_, &QAction::triggered, this, &ChangeRecorder::redo);
    qApp->installEventFilter(this);
    reset();
}

void ChangeRecorder::reset() {
    history_.reset(windowState());
    updateActions();
}

bool ChangeRecorder::mayRecord() const {
    return !window_.busy() && !QApplication::activeModalWidget();
}

EditState ChangeRecorder::windowState() const {
    return EditState{window_.session().image, window_.currentFile()};
}

bool ChangeRecorder::record(const std::string& name) {
    if (!mayRecord())
        return false;
    const EditState state = windowState();
    // A change made by a button of the window is named by the button and the place it changed
    // ("Paste: Pin 7 configuration"), as an operation is.
    const std::string clicked = std::exchange(clickedCaption_, {});
    // Typing on in the same text field is one step, however many keys it takes.
    QLineEdit* field = name.empty() ? TextFieldOf(QApplication::focusWidget()) : nullptr;
    const bool typingOn = field && field == typedIn_;
    const bool recorded = history_.record(
        state,
        [&] {
            if (!name.empty())
                return name;
            const std::string what = DescribeChange(history_.now().image, state.image, window_.session().numberingBase);
            return clicked.empty() ? what : clicked + ": " + what;
        },
        typingOn);
    if (recorded)
        typedIn_ = field;
    updateActions();
    window_.updateTitle();
    return recorded;
}

bool ChangeRecorder::recordOperation(const std::string& caption) {
    if (!mayRecord())
        return false;
    const std::string what =
        DescribeChange(history_.now().image, window_.session().image, window_.session().numberingBase);
    return record(what.empty() || what == SeveralChanges ? caption : caption + ": " + what);
}

void ChangeRecorder::undo() {
    if (window_.busy())
        return;
    window_.commitAllViews(); // an edit still in a field is the latest change
    record();
    if (history_.canUndo())
        show(history_.undo(windowState()));
}

void ChangeRecorder::redo() {
    if (window_.busy())
        return;
    window_.commitAllViews();
    record();
    if (history_.canRedo())
        show(history_.redo(windowState()));
}

void ChangeRecorder::show(const EditState& state) {
    typedIn_ = nullptr; // typing after an undo or redo is a step of its own
    window_.session().image = state.image;
    window_.setCurrentFile(state.file);
    window_.refreshAllViews();
    updateActions();
    window_.updateTitle();
}

void ChangeRecorder::updateActions() {
    undo_->setText(ActionText("&Undo", history_.undoName()));
    redo_->setText(ActionText("&Redo", history_.redoName()));
    undo_->setEnabled(history_.canUndo());
    redo_->setEnabled(history_.canRedo());
}

void ChangeRecorder::recordLater() {
    if (recordPosted_)
        return;
    recordPosted_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            recordPosted_ = false;
            record();
        },
        Qt::QueuedConnection);
}

bool ChangeRecorder::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // A field without an edit of its own would swallow the key doing nothing: the window
        // takes it. The event stays unaccepted, so the Edit menu's shortcut runs.
        const auto& key = *static_cast<QKeyEvent*>(event);
        const QLineEdit* field = TextFieldOf(watched);
        if (field &&
            ((IsUndoKey(key) && !FieldHasOwnStep(*field, true)) || (IsRedoKey(key) && !FieldHasOwnStep(*field, false))))
            return true;
        break;
    }
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
        if (std::string caption = ClickedCaption(watched, *event); !caption.empty()) {
            clickedCaption_ = std::move(caption);
            recordLater();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            recordLater();
        }
        break;
    case QEvent::KeyPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        recordLater(); // once the event has done what it does
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vexa
