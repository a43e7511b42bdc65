#include "module/ui/SettingsFrame.h"

#include "core/OperationRunner.h"
#include "core/ui/CommitLineEdit.h"
#include "core/ui/HeldMarks.h"
#include "core/ui/NamedButton.h"
#include "core/ui/UpDownControl.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace vexa {

NumberEntry MakeNumberEntry(const char* fieldName, const char* arrowsName, QWidget* parent) {
    NumberEntry entry;
    entry.field = new CommitLineEdit(QString::fromLatin1(fieldName), parent);
    entry.field->setMaxLength(8);
    entry.field->setFixedWidth(entry.field->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    entry.arrows = new UpDownControl(parent);
    entry.arrows->setObjectName(QString::fromLatin1(arrowsName));
    entry.arrows->setField(entry.field);
    entry.pair = new QHBoxLayout;
    entry.pair->setSpacing(0);
    entry.pair->addWidget(entry.field);
    entry.pair->addWidget(entry.arrows);
    return entry;
}

void ShowNumber(NumberEntry& entry, int shown, int arrowValue, int lowest, int highest) {
    entry.field->setText(QString::number(shown));
    entry.arrows->setRange(lowest, highest);
    entry.arrows->setValue(arrowValue);
}

SettingsFrame::SettingsFrame(const char* caption, const char* name, Session& session, OperationRunner& runner,
                             QWidget* parent)
    : QGroupBox(QString::fromLatin1(caption), parent), session_(session), runner_(runner),
      caption_(QString::fromLatin1(caption)) {
    setObjectName(QString::fromLatin1(name));
}

void SettingsFrame::showHeldMarks() {
    if (!block_)
        return;
    MarkHeldFrame(this, caption_, SettingBlockState(session_, *block_));
}

QPushButton* SettingsFrame::operationButton(const char* caption, const char* name, bool (*operation)(Session&)) {
    QPushButton* button = NamedButton(QString::fromLatin1(name), QString::fromLatin1(caption), this);
    const std::string title = caption;
    connect(button, &QPushButton::clicked, this, [this, title, operation] { runner_.runNow(title, operation); });
    return button;
}

QHBoxLayout* SettingsFrame::buttonRow(QPushButton* read, QPushButton* write) {
    auto* row = new QHBoxLayout;
    row->addWidget(read);
    row->addWidget(write);
    row->addStretch(1);
    return row;
}

void SettingsFrame::change(const std::function<void()>& apply, bool affectsPinPage) {
    apply();
    refreshFromSession();
    if (affectsPinPage)
        emit pinPageAffected();
}

} // namespace vexa
