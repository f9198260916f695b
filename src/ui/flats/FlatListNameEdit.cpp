#include "flats/FlatListNameEdit.h"

#include <QKeyEvent>

namespace dalvira {

QString FlatListNameEdit::turkishCapital(QChar letter)
{
    switch (letter.unicode()) {
    case u'i':
        return QStringLiteral("İ");
    case u'ı':
        return QStringLiteral("I");
    case u'ç':
        return QStringLiteral("Ç");
    case u'ğ':
        return QStringLiteral("Ğ");
    case u'ö':
        return QStringLiteral("Ö");
    case u'ü':
        return QStringLiteral("Ü");
    case u'ş':
        return QStringLiteral("Ş");
    default:
        break;
    }
    if (letter >= QLatin1Char('a') && letter <= QLatin1Char('z'))
        return QString(letter.toUpper());
    return QString(letter);
}

void FlatListNameEdit::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    const int at = cursorPosition();
    const bool wordStart = at == 0 || text().at(at - 1) == QLatin1Char(' ');
    if (typed.size() == 1 && wordStart && !hasSelectedText()) {
        const QString capital = turkishCapital(typed.at(0));
        if (capital != typed) {
            QKeyEvent upper(event->type(), event->key(), event->modifiers(), capital,
                            event->isAutoRepeat(), ushort(event->count()));
            QLineEdit::keyPressEvent(&upper);
            event->setAccepted(upper.isAccepted());
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace dalvira
