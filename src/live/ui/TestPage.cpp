#include "live/ui/TestPage.h"

#include "core/ui/NamedButton.h"
#include "live/ModuleCommands.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

namespace {

constexpr int MatrixButtonsPerColumn = 16;
constexpr int SetAspectButtons = 4;
constexpr int ToggleButton = 4;
constexpr int EightfoldButton = 5;

QString Indexed(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

QLineEdit* ByteField(const QString& name, QWidget* parent) {
    auto* field = new QLineEdit(QStringLiteral("0"), parent);
    field->setObjectName(name);
    field->setFixedWidth(48);
    return field;
}

std::string Text(const QLineEdit* field) {
    return field->text().toStdString();
}

} // namespace

TestPage::TestPage(Session& session, OperationRunner& runner, QWidget* parent)
    : QWidget(parent), session_(session), runner_(runner) {
    setObjectName(QStringLiteral("TestPage"));
    column_ = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(buildSetAspect());
    top->addWidget(buildLumo());
    top->addWidget(buildModuleCommands());
    top->addStretch();
    column_->addLayout(top);
    column_->addWidget(buildMatrix());
    column_->addStretch();
}

void TestPage::addSection(QWidget* section) {
    if (section)
        column_->insertWidget(column_->count() - 1, section);
}

void TestPage::run(const char* title, const Operation& operation) {
    runner_.runNow(title, operation);
}

QGroupBox* TestPage::buildSetAspect() {
    auto* box = new QGroupBox(QStringLiteral("Vexa Set Aspect"), this);
    auto* grid = new QGridLayout(box);
    const QStringList captions{"Vexa SA0",    "Vexa SA1",   "Vexa SA2",  "Vexa SA3",
                               "Vexa Toggle", "Vexa 8xSA0", "Vexa 8xSA1"};
    for (int i = 0; i < captions.size(); ++i) {
        QPushButton* button = NamedButton(Indexed("CommandVexaSetAspect", i), captions[i], box);
        grid->addWidget(button, i % 4, i / 4);
        connect(button, &QPushButton::clicked, this, [this, i] {
            const std::string output = Text(output_);
            if (i < SetAspectButtons)
                run("Vexa set aspect",
                    [output, i](Session& session) { return SendAspectToOutput(session, output, i); });
            else if (i == ToggleButton)
                run("Vexa toggle", [this, output](Session& session) { return toggle_.press(session, output); });
            else
                run("Vexa set aspect x 8",
                    [i](Session& session) { return SendAspectToEightOutputs(session, i == EightfoldButton ? 0 : 1); });
        });
    }
    output_ = ByteField(QStringLiteral("TextVexaSendAspectOutput"), box);
    grid->addWidget(new QLabel(QStringLiteral("Output"), box), 3, 1);
    grid->addWidget(output_, 3, 2);
    return box;
}

QGroupBox* TestPage::buildLumo() {
    auto* box = new QGroupBox(QStringLiteral("Lumo"), this);
    auto* grid = new QGridLayout(box);
    const QStringList captions{"Command", "Output", "Parameter"};
    for (int i = 0; i < captions.size(); ++i) {
        lumoFields_[static_cast<std::size_t>(i)] = ByteField(Indexed("TextLumoParameter", i), box);
        grid->addWidget(new QLabel(captions[i], box), 0, i);
        grid->addWidget(lumoFields_[static_cast<std::size_t>(i)], 1, i);
    }
    QPushButton* send = NamedButton(QStringLiteral("CommandSendLumo"), QStringLiteral("LumoSend"), box);
    grid->addWidget(send, 2, 0, 1, 3);
    connect(send, &QPushButton::clicked, this, [this] {
        const std::array<std::string, 3> texts{Text(lumoFields_[0]), Text(lumoFields_[1]), Text(lumoFields_[2])};
        run("Lumo command", [texts](Session& session) { return SendFreeLumoCommand(session, texts); });
    });
    return box;
}

QGroupBox* TestPage::buildModuleCommands() {
    auto* box = new QGroupBox(QStringLiteral("Module Commands"), this);
    auto* grid = new QGridLayout(box);
    struct Command {
        QString name;
        QString caption;
        bool (*send)(Session&, int);
        int module; // -1: the module address of the link
    };
    const std::array<Command, 7> commands{{
        {Indexed("CommandReset", 0), "Reset", SendModuleReset, -1},
        {Indexed("CommandReset", 1), "Reset 15", SendModuleReset, ModuleFifteen},
        {Indexed("Command_Clr", 0), "Clear All", SendClearAll, -1},
        {Indexed("Command_Clr", 1), "Clear All 0", SendClearAll, ModuleZero},
        {Indexed("Command_LT", 0), "Lamp Test", SendLampTest, -1},
        {Indexed("Command_LT", 1), "Lamp Test 0", SendLampTest, ModuleZero},
        {Indexed("Command_LT", 2), "Lamp Test 15", SendLampTest, ModuleFifteen},
    }};
    const std::array<std::pair<int, int>, 7> places{{{0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 0}, {2, 1}, {2, 2}}};
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const Command command = commands[i];
        QPushButton* button = NamedButton(command.name, command.caption, box);
        grid->addWidget(button, places[i].first, places[i].second);
        connect(button, &QPushButton::clicked, this, [this, command] {
            run(command.caption.toStdString().c_str(), [command](Session& session) {
                return command.send(session, command.module < 0 ? session.link.moduleAddress : command.module);
            });
        });
    }
    QPushButton* view = NamedButton(QStringLiteral("CommandSimulatorView"), QStringLiteral("Simulator View"), box);
    view->setToolTip(QStringLiteral("Shows the outputs of the simulated controller (port \"Simulator\")"));
    grid->addWidget(view, 3, 0, 1, 3);
    connect(view, &QPushButton::clicked, this, &TestPage::showSimulatorView);
    return box;
}

QGroupBox* TestPage::buildMatrix() {
    auto* box = new QGroupBox(QStringLiteral("Matrix Board"), this);
    auto* column = new QVBoxLayout(box);
    auto* checks = new QHBoxLayout;
    for (int i = 0; i < MatrixAddressCount; ++i) {
        auto* check = new QCheckBox(QStringLiteral("MB%1").arg(i), box);
        check->setObjectName(Indexed("ChkMatrix", i));
        matrixBoxes_[static_cast<std::size_t>(i)] = check;
        checks->addWidget(check);
    }
    checks->addStretch();
    column->addLayout(checks);
    auto* grid = new QGridLayout;
    for (int n = 0; n < MatrixAspectCount; ++n) {
        const int row = n % MatrixButtonsPerColumn;
        const int place = (n / MatrixButtonsPerColumn) * 2;
        QPushButton* button = NamedButton(Indexed("CmdSetMatrix", n), QStringLiteral("MB-%1").arg(n), box);
        grid->addWidget(button, row, place);
        if (n < static_cast<int>(MatrixLegendTexts.size())) {
            auto* legend = new QLabel(QLatin1String(MatrixLegendTexts[static_cast<std::size_t>(n)]), box);
            legend->setObjectName(Indexed("LblMatrix", n));
            grid->addWidget(legend, row, place + 1);
        }
        connect(button, &QPushButton::clicked, this, [this, n] {
            std::array<bool, MatrixAddressCount> checked{};
            for (std::size_t i = 0; i < checked.size(); ++i)
                checked[i] = matrixBoxes_[i]->isChecked();
            run("Matrix board", [checked, n](Session& session) { return SendMatrixAspect(session, checked, n); });
        });
    }
    grid->setColumnStretch(4, 1);
    column->addLayout(grid);
    return box;
}

void TestPage::showSimulatorView() {
    emit simulatorViewRequested();
}

} // namespace vexa
