#pragma once

#include "core/Session.h"
#include "pins/PinComparison.h"
#include "pins/StepRules.h"

#include <QFrame>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;

namespace vexa {

class ClickableLabel;
class CommitLineEdit;
class EditGuard;
class PinPageDialogs;

// The frame of the nine step rows that edit the steps of the current aspect of the current
// pin, with their column headings and the help tools of the parameter boxes.
class StepRowsFrame : public QFrame {
    Q_OBJECT
public:
    StepRowsFrame(Session& session, EditGuard& guard, PinPageDialogs& dialogs, QWidget* parent = nullptr);

    // Shows rows 0 .. rows - 1; aspectDetails shows the "#" and "Instruction" headings.
    void setVisibleRows(int rows, bool aspectDetails);
    int visibleRows() const { return visibleRows_; }

    // Sets every shown row from the image and redraws it.
    void showSteps();
    // Applies the four parameter-field rules to every shown row.
    void commitRows();
    // Marks each field of each row by where it stands against the controller.
    void showHeldMarks(const std::array<StepFieldStates, StepCount>& states);

signals:
    void stepLabelClicked(int row);

private:
    struct Row {
        ClickableLabel* step = nullptr;
        QComboBox* instruction = nullptr;
        QCheckBox* fade = nullptr;
        std::array<CommitLineEdit*, StepParamCount> params{};
        ClickableLabel* time = nullptr;
    };

    void buildHeadings();
    void reserveHeadingRoom();
    void buildRow(int row);
    AspectStep* stepOf(int row);
    StepContext context() const;
    void showRowValues(int row);
    void redrawRow(int row);
    void commitParam(int row, int index);
    void chooseInstruction(int row, int listIndex);
    void openHelp(int row, StepHelpField field);

    Session& session_;
    EditGuard& guard_;
    PinPageDialogs& dialogs_;
    std::array<Row, StepCount> rows_{};
    QLabel* headStep_ = nullptr;
    QLabel* headInstruction_ = nullptr;
    QLabel* headFade_ = nullptr;
    std::array<QLabel*, StepParamCount> headParams_{};
    int visibleRows_ = 0;
};

} // namespace vexa
