#include "RtfText.h"

#include <QList>

namespace dalvira {

namespace {

// Windows-1254 differs from Latin-1 above 0x7f in these places (the Turkish letters and the
// typographic marks of 0x80-0x9f); the rest maps straight through.
QChar fromCp1254(uchar byte)
{
    switch (byte) {
    case 0xD0:
        return QChar(0x011E); // Ğ
    case 0xDD:
        return QChar(0x0130); // İ
    case 0xDE:
        return QChar(0x015E); // Ş
    case 0xF0:
        return QChar(0x011F); // ğ
    case 0xFD:
        return QChar(0x0131); // ı
    case 0xFE:
        return QChar(0x015F); // ş
    case 0x80:
        return QChar(0x20AC); // €
    case 0x91:
        return QChar(0x2018);
    case 0x92:
        return QChar(0x2019);
    case 0x93:
        return QChar(0x201C);
    case 0x94:
        return QChar(0x201D);
    case 0x96:
        return QChar(0x2013);
    case 0x97:
        return QChar(0x2014);
    default:
        return QChar(byte);
    }
}

bool isSkippedDestination(const QByteArray &word)
{
    static const QList<QByteArray> skipped = {
        "fonttbl", "colortbl",  "stylesheet",        "info",      "pict",     "header",
        "footer",  "listtable", "listoverridetable", "themedata", "datastore"};
    return skipped.contains(word);
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

QString rtfToPlainText(const QByteArray &rtf)
{
    QString out;
    // One flag per open group: whether its text is dropped.
    QList<bool> skip{false};
    int pendingFallback = 0; // characters after \uN that stand in for it
    const qsizetype n = rtf.size();
    qsizetype i = 0;
    auto emitChar = [&](QChar c) {
        if (skip.last())
            return;
        if (pendingFallback > 0) {
            --pendingFallback;
            return;
        }
        out += c;
    };
    while (i < n) {
        const char c = rtf.at(i);
        if (c == '{') {
            skip.append(skip.last());
            ++i;
        } else if (c == '}') {
            if (skip.size() > 1)
                skip.removeLast();
            ++i;
        } else if (c == '\\') {
            ++i;
            if (i >= n)
                break;
            const char next = rtf.at(i);
            if (next == '\'') {
                const int hi = i + 1 < n ? hexValue(rtf.at(i + 1)) : -1;
                const int lo = i + 2 < n ? hexValue(rtf.at(i + 2)) : -1;
                if (hi >= 0 && lo >= 0) {
                    emitChar(fromCp1254(uchar(hi * 16 + lo)));
                    i += 3;
                } else {
                    ++i;
                }
            } else if (next == '*') {
                // An optional destination this reader does not know.
                skip.last() = true;
                ++i;
            } else if ((next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z')) {
                qsizetype start = i;
                while (i < n && ((rtf.at(i) >= 'a' && rtf.at(i) <= 'z') ||
                                 (rtf.at(i) >= 'A' && rtf.at(i) <= 'Z')))
                    ++i;
                const QByteArray word = rtf.mid(start, i - start);
                start = i;
                if (i < n && (rtf.at(i) == '-' || (rtf.at(i) >= '0' && rtf.at(i) <= '9'))) {
                    ++i;
                    while (i < n && rtf.at(i) >= '0' && rtf.at(i) <= '9')
                        ++i;
                }
                const QByteArray param = rtf.mid(start, i - start);
                if (i < n && rtf.at(i) == ' ')
                    ++i; // the delimiter belongs to the control word
                if (isSkippedDestination(word)) {
                    skip.last() = true;
                } else if (word == "par" || word == "line") {
                    pendingFallback = 0;
                    emitChar(QLatin1Char('\n'));
                } else if (word == "tab") {
                    emitChar(QLatin1Char('\t'));
                } else if (word == "u" && !param.isEmpty()) {
                    int code = param.toInt();
                    if (code < 0)
                        code += 65536;
                    pendingFallback = 0;
                    emitChar(QChar(code));
                    pendingFallback = 1;
                }
            } else {
                // \\, \{ and \} are the characters themselves; other symbols are dropped.
                if (next == '\\' || next == '{' || next == '}')
                    emitChar(QLatin1Char(next));
                else if (next == '~')
                    emitChar(QChar(0x00A0));
                ++i;
            }
        } else if (c == '\r' || c == '\n') {
            ++i; // line ends in RTF source are not text
        } else {
            emitChar(fromCp1254(uchar(c)));
            ++i;
        }
    }
    return out.trimmed();
}

} // namespace dalvira
