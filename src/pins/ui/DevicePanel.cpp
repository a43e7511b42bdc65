#include "pins/ui/DevicePanel.h"

#include "core/OperationGuard.h"
#include "core/ui/NamedButton.h"
#include "core/ui/PressButton.h"
#include "files/DeviceLibraryActions.h"
#include "pins/ui/DescriptionValidator.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace vexa {

DevicePanel::DevicePanel(Session& session, FileDialogs& dialogs, QWidget* parent)
    : QWidget(parent), session_(session), dialogs_(dialogs) {
    setObjectName(QStringLiteral("DevicePanel"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);

    devices_ = new QComboBox(this);
    devices_->setObjectName(QStringLiteral("cboDevice"));
    devices_->setAccessibleName(QStringLiteral("Library device"));
    devices_->setEditable(true);
    devices_->setInsertPolicy(QComboBox::NoInsert);
    devices_->setMinimumContentsLength(14);
    devices_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    load_ = NamedButton("CommandPAspPreLoad", QStringLiteral("Load Device"), this);
    save_ = NamedButton("CommandSaveDevice", QStringLiteral("Save Device"), this);
    auto* label = new QLabel(QStringLiteral("Definitions Loaded:"), this);
    label->setObjectName(QStringLiteral("LblDDLabel"));
    caption_ = new QLabel(QString::fromLatin1(DeviceCatalogue::NoCaption), this);
    caption_->setObjectName(QStringLiteral("lblDDVersion"));
    // A long caption takes the room there is rather than widening the page.
    caption_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    reload_ = new PressButton(QStringLiteral("Reload DD"), this);
    reload_->setObjectName(QStringLiteral("CommandReloadDD"));
    reload_->setToolTip(QStringLiteral("Reload DD to load new file, Shift + Reload DD to append"));

    grid->addWidget(devices_, 0, 0, 1, 2);
    grid->addWidget(load_, 0, 2);
    grid->addWidget(save_, 0, 3);
    grid->addWidget(label, 1, 0);
    grid->addWidget(caption_, 1, 1, 1, 2);
    grid->addWidget(reload_, 1, 3);
    grid->setColumnStretch(1, 1);

    connect(reload_, &PressButton::leftPressed, this, &DevicePanel::reload);
    connect(load_, &QPushButton::clicked, this, &DevicePanel::loadDevice);
    connect(save_, &QPushButton::clicked, this, &DevicePanel::saveDevice);
    refreshFromSession();
}

void DevicePanel::refreshFromSession() {
    caption_->setText(ShownText(session_.devices.caption));
    QStringList names;
    for (const DeviceCatalogue::Entry& entry : session_.devices.entries)
        names << ShownText(entry.name);
    QStringList shown;
    for (int i = 0; i < devices_->count(); ++i)
        shown << devices_->itemText(i);
    if (names == shown)
        return;
    const QString typed = devices_->currentText();
    devices_->clear();
    devices_->addItems(names);
    devices_->setCurrentIndex(names.contains(typed) ? static_cast<int>(names.indexOf(typed)) : 0);
}

void DevicePanel::reload(Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers keys =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const bool append = keys == Qt::ShiftModifier;
    RunExclusive(session_, [this, append](Session& session) { return ReloadDeviceLibrary(session, dialogs_, append); });
    refreshFromSession();
}

void DevicePanel::loadDevice() {
    emit commitRequested();
    const std::string name = ImageText(devices_->currentText());
    const int entry = devices_->currentIndex();
    std::vector<int> usedPins;
    const bool loaded = RunExclusive(session_, [&name, &usedPins, entry](Session& session) {
        return LoadDeviceInto(session, name, session.image.currentPin, usedPins, entry);
    });
    if (!loaded)
        return;
    emit imageChanged();
    TellUsedPins(session_, usedPins);
}

void DevicePanel::saveDevice() {
    emit commitRequested();
    RunExclusive(session_, [this](Session& session) {
        return SaveDeviceWithDialog(session, dialogs_, session.image.currentPin);
    });
    emit imageChanged();
}

} // namespace vexa
