#include "flats/TurkishCapitals.h"

namespace dalvira {

QChar turkishCapital(QChar letter)
{
    const char16_t c = letter.unicode();
    if (c >= u'a' && c <= u'z')
        return c == u'i' ? QChar(u'İ') : QChar(char16_t(c - u'a' + u'A'));
    switch (c) {
    case u'ı':
        return QChar(u'I');
    case u'ç':
        return QChar(u'Ç');
    case u'ğ':
        return QChar(u'Ğ');
    case u'ö':
        return QChar(u'Ö');
    case u'ü':
        return QChar(u'Ü');
    case u'ş':
        return QChar(u'Ş');
    default:
        return letter;
    }
}

bool startsWord(const QString &text, int cursor)
{
    return cursor <= 0 || (cursor <= text.size() && text.at(cursor - 1) == QLatin1Char(' '));
}

QString capitalizedInput(const QString &text, int cursor, const QString &typed)
{
    if (typed.size() != 1 || !startsWord(text, cursor))
        return typed;
    return QString(turkishCapital(typed.at(0)));
}

} // namespace dalvira
