#include "cash/ListFileText.h"

#include <QSaveFile>
#include <QStringDecoder>

namespace dalvira {

namespace {

// Windows-1254 from 0x80 to 0x9F; 0 marks the bytes the code page leaves undefined.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0,      0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0,      0x0178};

char16_t windows1254Char(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F) {
        const char16_t mapped = kHighControls[byte - 0x80];
        return mapped ? mapped : char16_t(byte);
    }
    switch (byte) { // where 1254 differs from Latin-1 above 0x9F: the Turkish letters
    case 0xD0:
        return u'Ğ';
    case 0xDD:
        return u'İ';
    case 0xDE:
        return u'Ş';
    case 0xF0:
        return u'ğ';
    case 0xFD:
        return u'ı';
    case 0xFE:
        return u'ş';
    default:
        return char16_t(byte);
    }
}

} // namespace

QString decodeWindows1254(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes)
        text.append(QChar(windows1254Char(static_cast<unsigned char>(c))));
    return text;
}

QString decodeListFileText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (text.startsWith(QChar(0xFEFF)))
            return text.mid(1);
        return text;
    }
    return decodeWindows1254(bytes);
}

QStringList listFileEntries(const QString &text)
{
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList entries;
    for (const QString &line : normalised.split(QLatin1Char('\n'))) {
        if (!line.isEmpty())
            entries.append(line);
    }
    return entries;
}

QByteArray encodeListFile(const QStringList &entries)
{
    QByteArray bytes;
    for (const QString &entry : entries) {
        bytes.append(entry.toUtf8());
        bytes.append("\r\n");
    }
    return bytes;
}

Result writeListFile(const QString &path, const QStringList &entries)
{
    QSaveFile file(path);
    const auto failed = [&] {
        return Result::failure(
            QStringLiteral("\"%1\" dosyasına yazılamadı: %2").arg(path, file.errorString()));
    };
    if (!file.open(QIODevice::WriteOnly))
        return failed();
    const QByteArray bytes = encodeListFile(entries);
    if (file.write(bytes) != bytes.size())
        return failed();
    if (!file.commit())
        return failed();
    return Result::success();
}

} // namespace dalvira
