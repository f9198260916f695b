#pragma once

#include <QByteArray>
#include <QString>

namespace dalvira {

// The plain text of an RTF document, simply: groups of fonts, colours, styles, pictures and
// document information are dropped, \par and \line break lines, \'hh is read as Windows
// Turkish (1254) and \uN as Unicode; every other control word is ignored.
QString rtfToPlainText(const QByteArray &rtf);

} // namespace dalvira
