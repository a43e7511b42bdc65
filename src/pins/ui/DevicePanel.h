#pragma once

#include "core/FileDialogs.h"
#include "core/Session.h"
#include "core/ui/SessionView.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace vexa {

class PressButton;

// The device library on the pin page: the list of loaded devices (`cboDevice`) with "Load
// Device", "Save Device" and "Reload DD", and the caption of the loaded library files.
class DevicePanel : public QWidget, public SessionView {
    Q_OBJECT
public:
    DevicePanel(Session& session, FileDialogs& dialogs, QWidget* parent = nullptr);

    // Shows the catalogue's names and caption; a name being typed is kept.
    void refreshFromSession() override;

signals:
    // Before a device is loaded or saved: every view writes its edit fields into the image.
    void commitRequested();
    // A device was loaded into the pins (or a save masked a servo's option bits): every view
    // shows the image again.
    void imageChanged();

private:
    void reload(Qt::KeyboardModifiers modifiers);
    void loadDevice();
    void saveDevice();

    Session& session_;
    FileDialogs& dialogs_;
    QComboBox* devices_ = nullptr;
    QLabel* caption_ = nullptr;
    PressButton* reload_ = nullptr;
    QPushButton* load_ = nullptr;
    QPushButton* save_ = nullptr;
};

} // namespace vexa
