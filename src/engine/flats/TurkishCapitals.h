#pragma once

#include <QChar>
#include <QString>

namespace dalvira {

// "İlk Harf Büyük": the Turkish capital of a typed letter (a-h, j-z to A-H, J-Z; i to İ,
// ı to I, ç ğ ö ü ş to Ç Ğ Ö Ü Ş); any other character comes back unchanged.
QChar turkishCapital(QChar letter);

// True when a letter typed at cursor in text starts a word: at the start of the field or
// right after a blank.
bool startsWord(const QString &text, int cursor);

// The text a keystroke inserts at cursor, with the first letter of a word turned into its
// Turkish capital.
QString capitalizedInput(const QString &text, int cursor, const QString &typed);

} // namespace dalvira
