#pragma once

#include <QChar>
#include <QSet>
#include <QString>

class QWidget;

namespace vexa {

// The mnemonic of a caption (the character after a single '&'), in lower case; a null QChar
// when it has none.
QChar MnemonicOf(const QString& caption);

// The caption with a mnemonic that is not in `taken`: the first character of a word where one
// is free, else (unless `wordStartsOnly`) the first free letter or digit of the caption. The one
// chosen is added to `taken`. A caption that has one already keeps it; one whose characters are
// all taken stays without.
QString WithMnemonic(const QString& caption, QSet<QChar>& taken, bool wordStartsOnly = false);

// `caption` with the mnemonic that `shown` (the same control's caption as shown now) has, at the
// first place the character stands; `caption` as it is when `shown` has none. For captions that
// change (a mark before a frame's title) and keep their Alt+letter.
QString WithMnemonicOf(const QString& shown, const QString& caption);

// Gives the push buttons, the tabs, the labels of fields (those with a buddy) and the titled frames
// inside `scope` (shown or hidden) mnemonics that clash neither with `taken` nor with each other:
// buttons, tabs and labels before frames, the start of a word before any free character of it. A
// caption that stands more than once in `scope` gets none (Tab reaches those buttons from their
// frame's letter), and when the characters run out some stay without. The letters used, given before or now, are added
// to `taken`.
void GiveMnemonics(QWidget* scope, QSet<QChar>& taken);

} // namespace vexa
