#pragma once

#include <QStringView>

struct sqlite3;

namespace dalvira {

// Compares two texts in Turkish alphabetical order (a b c ç d e f g ğ h ı i j k l m n o ö p
// q r s ş t u ü v w x y z), ignoring case the Turkish way (I/ı, İ/i are pairs) and the
// circumflex of â, î, û. Blanks, digits and ASCII punctuation sort before the letters, other
// characters after them, by code point. <0, 0 or >0.
int compareTurkish(QStringView a, QStringView b);

// Registers on one SQLite connection, for queries to use (the schema never does):
//   COLLATE TURKISH        compareTurkish, e.g. ORDER BY adi_soyadi COLLATE TURKISH
//   trlower(x)             turkishLower(x); NULL stays NULL
//   trcontains(h, n)       1 when turkishLower(n) occurs in turkishLower(h), else 0;
//                          a NULL h gives 0, a NULL or empty n matches every non-NULL h
// Returns false when SQLite refused one of them.
bool registerTurkishFunctions(sqlite3 *db);

} // namespace dalvira
