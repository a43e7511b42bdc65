#include "sim/ui/SimulatorView.h"

#include "sim/Simulator.h"
#include "sim/SimulatorPort.h"

#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace vexa {

namespace {

constexpr int Columns = 8;
constexpr int CellWidth = 104;
constexpr int CellHeight = 92;
constexpr int RefreshMs = 100;
constexpr double ArmSwingDegrees = 80; // a position of +-64 turns the arm this far from upright
constexpr double FullLevel = 31;

QString KindText(SimOutputKind kind) {
    switch (kind) {
    case SimOutputKind::Servo:
        return QStringLiteral("Servo");
    case SimOutputKind::Pwm:
        return QStringLiteral("PWM");
    case SimOutputKind::Input:
        return QStringLiteral("Input");
    default:
        return QStringLiteral("Output");
    }
}

void DrawServo(QPainter& painter, const QRect& area, const SimOutputView& output) {
    const QPointF pivot(area.center().x(), area.bottom() - 4);
    const double radius = area.height() - 10;
    const double angle = (output.value / 64.0) * ArmSwingDegrees * M_PI / 180.0;
    painter.setPen(QPen(Qt::lightGray, 1, Qt::DotLine));
    painter.drawArc(QRectF(pivot.x() - radius, pivot.y() - radius, 2 * radius, 2 * radius), 10 * 16, 160 * 16);
    painter.setPen(QPen(output.moving ? QColor(200, 120, 0) : QColor(40, 40, 160), 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(pivot, QPointF(pivot.x() + radius * std::sin(angle), pivot.y() - radius * std::cos(angle)));
    painter.drawText(area, Qt::AlignRight | Qt::AlignTop, QString::number(output.value));
}

void DrawLamp(QPainter& painter, const QRect& area, const SimOutputView& output) {
    const double brightness = output.lampTest ? 1.0 : std::clamp(output.value / FullLevel, 0.0, 1.0);
    const QColor lit = output.lampTest ? QColor(255, 250, 140) : QColor(255, 200, 0);
    const QColor dark(60, 60, 60);
    const auto mix = [&](int a, int b) { return static_cast<int>(a + (b - a) * brightness); };
    const QColor colour(mix(dark.red(), lit.red()), mix(dark.green(), lit.green()), mix(dark.blue(), lit.blue()));
    const int size = std::min(area.height(), area.width() / 2) - 4;
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(colour);
    painter.drawEllipse(QRect(area.left() + 4, area.top() + (area.height() - size) / 2, size, size));
    painter.setBrush(Qt::NoBrush);
    const QRect bar(area.left() + size + 12, area.bottom() - 10, area.width() - size - 16, 8);
    painter.drawRect(bar);
    painter.fillRect(QRect(bar.left(), bar.top(), static_cast<int>(bar.width() * brightness), bar.height()), colour);
    painter.drawText(QRect(bar.left(), area.top(), bar.width(), area.height() - 12), Qt::AlignCenter,
                     output.lampTest ? QStringLiteral("LT") : QString::number(output.value));
}

} // namespace

OutputsDisplay::OutputsDisplay(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SimulatorOutputs"));
    setMinimumSize(sizeHint());
}

QSize OutputsDisplay::sizeHint() const {
    return {Columns * CellWidth, (PinCount / Columns) * CellHeight};
}

void OutputsDisplay::setOutputs(const std::array<SimOutputView, PinCount>& outputs, int numberingBase) {
    outputs_ = outputs;
    numberingBase_ = numberingBase;
    update();
}

void OutputsDisplay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int pin = 0; pin < PinCount; ++pin) {
        const SimOutputView& output = outputs_[static_cast<std::size_t>(pin)];
        const QRect cell((pin % Columns) * CellWidth, (pin / Columns) * CellHeight, CellWidth - 4, CellHeight - 4);
        painter.setPen(Qt::gray);
        painter.setBrush(palette().base());
        painter.drawRoundedRect(cell, 4, 4);
        painter.setPen(palette().text().color());
        const QString aspect = output.aspect < 0 ? QString() : QStringLiteral("  A%1").arg(output.aspect);
        painter.drawText(cell.adjusted(4, 2, -4, 0), Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("%1 %2%3").arg(pin + numberingBase_).arg(KindText(output.kind), aspect));
        const QRect body = cell.adjusted(6, 22, -6, -4);
        if (output.kind == SimOutputKind::Servo)
            DrawServo(painter, body, output);
        else if (output.kind != SimOutputKind::Input)
            DrawLamp(painter, body, output);
    }
}

SimulatorView::SimulatorView(Session& session, QWidget* parent) : QWidget(parent, Qt::Window), session_(session) {
    setObjectName(QStringLiteral("frmSimulatorView"));
    setWindowTitle(QStringLiteral("Simulated Controller"));
    display_ = new OutputsDisplay(this);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("lblSimulatorStatus"));
    auto* column = new QVBoxLayout(this);
    column->addWidget(status_);
    column->addWidget(display_, 1);
    timer_ = new QTimer(this);
    timer_->setInterval(RefreshMs);
    connect(timer_, &QTimer::timeout, this, &SimulatorView::refresh);
    refresh();
}

void SimulatorView::refresh() {
    if (session_.operationRunning)
        return; // the port is the running operation's; the next look after it shows what it did
    const std::shared_ptr<Simulator> simulator = SimulatorBehind(session_.port.port.get());
    if (!simulator) {
        status_->setText(QStringLiteral("Choose the port \"Simulator\" or \"Simulator (Corvan)\" to see the "
                                        "simulated controller here."));
        display_->setOutputs({}, session_.numberingBase);
        return;
    }
    if (CorvanInterfaceBehind(session_.port.port.get()))
        status_->setText(QStringLiteral("Simulated controller behind a simulated Corvan interface"));
    else
        status_->setText(QStringLiteral("Simulated controller, module address %1")
                             .arg(simulator->moduleAddress() + session_.numberingBase));
    display_->setOutputs(simulator->outputs(), session_.numberingBase);
}

void SimulatorView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
    timer_->start();
}

void SimulatorView::hideEvent(QHideEvent* event) {
    timer_->stop();
    QWidget::hideEvent(event);
}

} // namespace vexa
