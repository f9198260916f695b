#include "storage/TurkishCollation.h"

#include "common/TextHelpers.h"

#include <QString>
#include <sqlite3.h>

namespace dalvira {

namespace {

// q, w and x are not Turkish letters but appear in names; they keep their Latin places.
constexpr char16_t alphabet[] = u"abcçdefgğhıijklmnoöpqrsştuüvwxyz";
constexpr int alphabetSize = int(sizeof alphabet / sizeof alphabet[0]) - 1;

constexpr char32_t rankLettersFrom = 0x200; // above every ASCII code
constexpr char32_t rankOthersFrom = 0x1000; // above every letter of the alphabet

char32_t foldTurkish(char32_t c)
{
    switch (c) {
    case U'I':
        return U'ı';
    case U'İ':
        return U'i';
    case U'Ç':
        return U'ç';
    case U'Ğ':
        return U'ğ';
    case U'Ö':
        return U'ö';
    case U'Ş':
        return U'ş';
    case U'Ü':
        return U'ü';
    case U'Â':
    case U'â':
        return U'a';
    case U'Î':
    case U'î':
        return U'i';
    case U'Û':
    case U'û':
        return U'u';
    default:
        break;
    }
    if (c >= U'A' && c <= U'Z')
        return c + 32;
    return QChar::toLower(c);
}

char32_t rank(char32_t c)
{
    const char32_t folded = foldTurkish(c);
    for (int i = 0; i < alphabetSize; ++i) {
        if (alphabet[i] == folded)
            return rankLettersFrom + char32_t(i);
    }
    if (folded < 0x80)
        return folded;
    return rankOthersFrom + folded;
}

// The next code point of a UTF-16 text, surrogate pairs joined; a lone surrogate stands for
// itself.
char32_t nextCodePoint(QStringView text, qsizetype &i)
{
    const char16_t c = text[i++].unicode();
    if (QChar::isHighSurrogate(c) && i < text.size() && QChar::isLowSurrogate(text[i].unicode()))
        return QChar::surrogateToUcs4(c, text[i++].unicode());
    return c;
}

QString textArgument(sqlite3_value *value)
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_value_text(value));
    return QString::fromUtf8(bytes, sqlite3_value_bytes(value));
}

int collate(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    return compareTurkish(QString::fromUtf8(static_cast<const char *>(a), lengthA),
                          QString::fromUtf8(static_cast<const char *>(b), lengthB));
}

void trlower(sqlite3_context *context, int, sqlite3_value **args)
{
    if (sqlite3_value_type(args[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const QByteArray lowered = turkishLower(textArgument(args[0])).toUtf8();
    sqlite3_result_text(context, lowered.constData(), int(lowered.size()), SQLITE_TRANSIENT);
}

void trcontains(sqlite3_context *context, int, sqlite3_value **args)
{
    if (sqlite3_value_type(args[0]) == SQLITE_NULL) {
        sqlite3_result_int(context, 0);
        return;
    }
    const QString needle = sqlite3_value_type(args[1]) == SQLITE_NULL
                               ? QString()
                               : turkishLower(textArgument(args[1]));
    const QString haystack = turkishLower(textArgument(args[0]));
    sqlite3_result_int(context, haystack.contains(needle) ? 1 : 0);
}

} // namespace

int compareTurkish(QStringView a, QStringView b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t ra = rank(nextCodePoint(a, i));
        const char32_t rb = rank(nextCodePoint(b, j));
        if (ra != rb)
            return ra < rb ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

bool registerTurkishFunctions(sqlite3 *db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    return sqlite3_create_collation_v2(db, "TURKISH", SQLITE_UTF8, nullptr, collate, nullptr) ==
               SQLITE_OK &&
           sqlite3_create_function_v2(db, "trlower", 1, flags, nullptr, trlower, nullptr, nullptr,
                                      nullptr) == SQLITE_OK &&
           sqlite3_create_function_v2(db, "trcontains", 2, flags, nullptr, trcontains, nullptr,
                                      nullptr, nullptr) == SQLITE_OK;
}

} // namespace dalvira
