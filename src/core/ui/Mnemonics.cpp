#include "core/ui/Mnemonics.h"

#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QWidget>

#include <functional>
#include <vector>

namespace vexa {

namespace {

bool Eligible(QChar c) {
    return c.isLetterOrNumber() && c.unicode() < 128;
}

// A caption of a control, to read and to replace.
struct Caption {
    QString text;
    std::function<void(const QString&)> set;
    bool frame = false; // a frame's title: it only leads into the frame
};

// The captions of the push buttons, tabs, labels of a field (with a buddy) and frames with a title
// (not those with a check box, which a mnemonic would tick) inside `scope`, in the order the
// controls were made.
std::vector<Caption> CaptionsIn(QWidget* scope) {
    std::vector<Caption> captions;
    for (QWidget* widget : scope->findChildren<QWidget*>()) {
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            captions.push_back({button->text(), [button](const QString& text) { button->setText(text); }, false});
        } else if (auto* frame = qobject_cast<QGroupBox*>(widget); frame && !frame->isCheckable()) {
            captions.push_back({frame->title(), [frame](const QString& text) { frame->setTitle(text); }, true});
        } else if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy()) {
            captions.push_back({label->text(), [label](const QString& text) { label->setText(text); }, false});
        } else if (auto* bar = qobject_cast<QTabBar*>(widget)) {
            for (int i = 0; i < bar->count(); ++i)
                captions.push_back(
                    {bar->tabText(i), [bar, i](const QString& text) { bar->setTabText(i, text); }, false});
        }
    }
    return captions;
}

} // namespace

QChar MnemonicOf(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] != QLatin1Char('&'))
            return caption[i + 1].toLower();
        ++i; // "&&" is an ampersand
    }
    return {};
}

QString WithMnemonic(const QString& caption, QSet<QChar>& taken, bool wordStartsOnly) {
    if (caption.contains(QLatin1Char('&')))
        return caption;
    const auto freeAt = [&](qsizetype i) { return Eligible(caption[i]) && !taken.contains(caption[i].toLower()); };
    qsizetype chosen = -1;
    for (qsizetype i = 0; i < caption.size() && chosen < 0; ++i)
        if ((i == 0 || caption[i - 1].isSpace()) && freeAt(i))
            chosen = i;
    for (qsizetype i = 0; i < caption.size() && chosen < 0 && !wordStartsOnly; ++i)
        if (freeAt(i))
            chosen = i;
    if (chosen < 0)
        return caption;
    taken.insert(caption[chosen].toLower());
    return caption.left(chosen) + QLatin1Char('&') + caption.mid(chosen);
}

QString WithMnemonicOf(const QString& shown, const QString& caption) {
    const QChar letter = MnemonicOf(shown);
    const qsizetype at = letter.isNull() ? -1 : caption.indexOf(letter, 0, Qt::CaseInsensitive);
    return at < 0 || caption.contains(QLatin1Char('&')) ? caption
                                                        : caption.left(at) + QLatin1Char('&') + caption.mid(at);
}

void GiveMnemonics(QWidget* scope, QSet<QChar>& taken) {
    std::vector<Caption> captions = CaptionsIn(scope);
    QHash<QString, int> count;
    for (const Caption& caption : captions) {
        ++count[caption.text];
        if (const QChar c = MnemonicOf(caption.text); !c.isNull())
            taken.insert(c);
    }
    // Buttons and tabs first: they act; a frame's letter only leads to its controls.
    for (bool frames : {false, true})
        for (bool wordStartsOnly : {true, false})
            for (Caption& caption : captions) {
                if (caption.frame != frames || caption.text.isEmpty() || count.value(caption.text) > 1)
                    continue;
                const QString given = WithMnemonic(caption.text, taken, wordStartsOnly);
                if (given != caption.text) {
                    caption.set(given);
                    caption.text = given;
                }
            }
}

} // namespace vexa
