#include "app/ui/HelpWindows.h"

#include "core/Release.h"
#include "core/ui/AccessibleNames.h"
#include "core/ui/Mnemonics.h"

#include <QAbstractTextDocumentLayout>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <map>

namespace vexa {

namespace {

// Widest a picture of the README is shown, so that the text beside it stays readable.
constexpr int WidestPicture = 860;

// Shows pictures no wider than WidestPicture.
class ReadMeBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

protected:
    QVariant loadResource(int type, const QUrl& name) override {
        if (type != QTextDocument::ImageResource)
            return QTextBrowser::loadResource(type, name);
        QImage picture(source().resolved(name).toLocalFile());
        if (picture.isNull())
            return QTextBrowser::loadResource(type, name);
        if (picture.width() > WidestPicture)
            picture = picture.scaledToWidth(WidestPicture, Qt::SmoothTransformation);
        return picture;
    }
};

// A window of the main window that is made once and raised again.
template <typename Make> QDialog* OneWindow(QWidget* parent, const char* name, Make&& make) {
    if (auto* shown = parent->findChild<QDialog*>(QString::fromLatin1(name))) {
        shown->show();
        shown->raise();
        shown->activateWindow();
        return shown;
    }
    auto* dialog = new QDialog(parent);
    dialog->setObjectName(QString::fromLatin1(name));
    auto* layout = new QVBoxLayout(dialog);
    make(*dialog, *layout);
    NameForScreenReaders(dialog);
    dialog->show();
    return dialog;
}

QString Plain(const QString& caption) {
    QString text = caption;
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

QString Row(const QString& keys, const QString& what) {
    return QStringLiteral("<tr><td style='padding-right:18px'><b>%1</b></td><td>%2</td></tr>")
        .arg(keys.toHtmlEscaped(), what.toHtmlEscaped());
}

QString ShortcutsText(QWidget* window) {
    QString html = QStringLiteral("<h3>Menus</h3><table>");
    if (auto* main = qobject_cast<QMainWindow*>(window))
        for (QAction* menu : main->menuBar()->actions()) {
            html += Row(QStringLiteral("Alt+") + MnemonicOf(menu->text()).toUpper(), Plain(menu->text()));
            if (menu->menu())
                for (QAction* action : menu->menu()->actions())
                    if (!action->shortcuts().isEmpty()) {
                        QStringList keys;
                        for (const QKeySequence& key : action->shortcuts())
                            keys << key.toString(QKeySequence::NativeText);
                        html += Row(keys.join(QStringLiteral(", ")), Plain(action->text()));
                    }
        }
    html += QStringLiteral("</table><h3>Everywhere in the window</h3><table>");
    html += Row(QStringLiteral("Tab, Shift+Tab"), QStringLiteral("next or previous control"));
    html += Row(QStringLiteral("Ctrl+Tab, Ctrl+Shift+Tab"), QStringLiteral("next or previous tab"));
    html +=
        Row(QStringLiteral("Alt+letter"), QStringLiteral("the button, field, tab or menu whose letter is underlined"));
    html += Row(QStringLiteral("Space"), QStringLiteral("presses the focused button; with Shift, Ctrl or Alt as a "
                                                        "click with that key held"));
    html += Row(QStringLiteral("Enter"), QStringLiteral("takes the value typed into a field"));
    html += Row(QStringLiteral("Space on a label"), QStringLiteral("what a click or double-click on it does "
                                                                   "(the edit dialogs, the time calculator)"));
    html += Row(QStringLiteral("F4 in a field"), QStringLiteral("what a double-click on it does (the help tool, "
                                                                "the live value)"));
    html += Row(QStringLiteral("Esc"), QStringLiteral("stops the running operation"));
    html += QStringLiteral("</table><h3>Buttons, fields and tabs of the page shown</h3><table>");
    std::map<QString, QStringList> letters;
    for (QPushButton* button : window->findChildren<QPushButton*>())
        if (button->isVisibleTo(window) && !MnemonicOf(button->text()).isNull())
            letters[MnemonicOf(button->text()).toUpper()] << Plain(button->text());
    for (QLabel* label : window->findChildren<QLabel*>())
        if (label->buddy() && label->isVisibleTo(window) && !MnemonicOf(label->text()).isNull())
            letters[MnemonicOf(label->text()).toUpper()] << Plain(label->text()) + QStringLiteral(" (field)");
    for (QTabBar* bar : window->findChildren<QTabBar*>())
        if (bar->isVisibleTo(window))
            for (int i = 0; i < bar->count(); ++i)
                if (!MnemonicOf(bar->tabText(i)).isNull())
                    letters[MnemonicOf(bar->tabText(i)).toUpper()] << Plain(bar->tabText(i)) + QStringLiteral(" (tab)");
    for (const auto& [letter, captions] : letters)
        html += Row(QStringLiteral("Alt+") + letter, captions.join(QStringLiteral(", ")));
    return html + QStringLiteral("</table>");
}

} // namespace

QString ReadMePath(const QString& programFolder) {
    const QDir folder(programFolder);
    for (const QString& candidate : {folder.filePath(QStringLiteral("README.md")),
                                     folder.filePath(QStringLiteral("../share/doc/vexaconfig/README.md"))})
        if (QFileInfo(candidate).isFile())
            return QFileInfo(candidate).canonicalFilePath();
    return {};
}

void ShowReadMe(QWidget* parent, const QString& programFolder) {
    const QString path = ReadMePath(programFolder);
    if (path.isEmpty()) {
        QMessageBox::information(parent, QStringLiteral("Read Me"),
                                 QStringLiteral("The README is not installed beside the program (%1).")
                                     .arg(QDir::toNativeSeparators(programFolder)));
        return;
    }
    OneWindow(parent, "frmReadMe", [&path](QDialog& dialog, QVBoxLayout& layout) {
        dialog.setWindowTitle(QStringLiteral("Read Me \u2013 Vexa Config"));
        auto* browser = new ReadMeBrowser(&dialog);
        browser->setObjectName(QStringLiteral("txtReadMe"));
        browser->setOpenExternalLinks(true);
        browser->setSource(QUrl::fromLocalFile(path), QTextDocument::MarkdownResource);
        layout.addWidget(browser);
        dialog.resize(WidestPicture + 80, 640);
        // The modeller's part comes first to the eye, not the build commands above it; the
        // scroll waits for the dialog's first layout.
        QTimer::singleShot(0, browser, [browser] {
            const QTextBlock heading = browser->document()->find(QStringLiteral("For the modeller")).block();
            if (heading.isValid())
                browser->verticalScrollBar()->setValue(
                    qRound(browser->document()->documentLayout()->blockBoundingRect(heading).top()));
        });
    });
}

void ShowKeyboardShortcuts(QWidget* window) {
    QDialog* dialog = OneWindow(window, "frmKeyboardShortcuts", [](QDialog& shown, QVBoxLayout& layout) {
        shown.setWindowTitle(QStringLiteral("Keyboard Shortcuts \u2013 Vexa Config"));
        auto* text = new QTextBrowser(&shown);
        text->setObjectName(QStringLiteral("txtKeyboardShortcuts"));
        text->setAccessibleName(QStringLiteral("Keyboard shortcuts"));
        layout.addWidget(text);
        shown.resize(620, 640);
    });
    // The letters of the page shown now.
    dialog->findChild<QTextBrowser*>(QStringLiteral("txtKeyboardShortcuts"))->setHtml(ShortcutsText(window));
}

void ShowAbout(QWidget* parent) {
    auto* box = new QMessageBox(parent);
    box->setObjectName(QStringLiteral("frmAbout"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(QStringLiteral("About Vexa Config"));
    box->setIconPixmap(parent->windowIcon().pixmap(64, 64));
    box->setTextFormat(Qt::RichText);
    box->setText(QStringLiteral("<h3>Vexa Config</h3><p>%1</p>"
                                "<p>Reads, edits, writes and verifies the configuration of a Vexa controller.</p>"
                                "<p>Qt %2 (built with Qt %3)</p>"
                                "<p>Licence: %4. This program comes with no warranty.</p>")
                     .arg(QString::fromLatin1(ReleaseText), QString::fromLatin1(qVersion()),
                          QStringLiteral(QT_VERSION_STR), QString::fromLatin1(LicenceText)));
    box->setModal(false);
    box->show();
}

} // namespace vexa
