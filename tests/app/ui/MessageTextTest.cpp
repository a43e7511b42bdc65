#include "app/ui/MainWindow.h"

#include "app/ui/QtPrompter.h"
#include "app/ui/VerificationWindow.h"

#include "ui/WindowBench.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace vexa {
namespace {

// Text shows as typed: messages (with the paths in them) are UTF-8; configuration texts are
// Latin-1 bytes, converted where they are put into a message or a report.
TEST(MessageText, APathWithNonAsciiLettersShowsAsTyped) {
    // The path reaches the message as the file dialog gave it.
    test::WindowBench bench;
    const std::string path = "/nonexistent/M\xC3\xBCller/yard.dat"; // "Müller" in UTF-8
    bench.dialogs.names = {path};
    bench.find<QPushButton>("CommandLoad")->click();
    ASSERT_EQ(bench.prompter.messages.size(), 1u);
    EXPECT_NE(bench.prompter.last().find(path), std::string::npos) << bench.prompter.last();

    // The message box shows it as typed.
    QString shown;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    poll.start(10);
    QtPrompter prompter;
    prompter.ask(MessageKind::OkError, bench.prompter.last());
    EXPECT_TRUE(shown.contains(QStringLiteral("/nonexistent/Müller/yard.dat"))) << shown.toStdString();
}

TEST(MessageText, ALatin1IdStringShowsAsTypedInTheVerificationReport) {
    test::WindowBench bench({SimulatorPortName});
    MainWindow& window = *bench.window;
    window.session().image.module.idString = "Gare \xC9st"; // as a data file holds it: Latin-1
    QComboBox* ports = bench.find<QComboBox>("ComboPort");
    ports->setCurrentIndex(0);
    emit ports->activated(0);
    window.queueCommand("VerifyAll");
    window.dispatchPending();
    auto* report = window.findChild<VerificationWindow*>(QStringLiteral("frmVexaVerification"));
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->reportText().contains(QStringLiteral("VexaConfig = <Gare Ést>")))
        << report->reportText().toStdString();
}

} // namespace
} // namespace vexa
