#include "storage/IniFile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace dalvira {

namespace {

// Windows-1254 from 0x80 up; the bytes the code page leaves unassigned keep their value.
constexpr char16_t windows1254High[128] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x008E, 0x008F, // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178, // 98
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7, // A0
    0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF, // A8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7, // B0
    0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF, // B8
    0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7, // C0
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF, // C8
    0x011E, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7, // D0 Ğ
    0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x0130, 0x015E, 0x00DF, // D8 İ Ş
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7, // E0
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF, // E8
    0x011F, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7, // F0 ğ
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x0131, 0x015F, 0x00FF, // F8 ı ş
};

QString decodeWindows1254(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text.append(byte < 0x80 ? QChar(byte) : QChar(windows1254High[byte - 0x80]));
    }
    return text;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniFile::IniFile(const QString &path) : m_path(path) {}

QString IniFile::decode(const QByteArray &bytes)
{
    QByteArray content = bytes;
    if (content.startsWith("\xEF\xBB\xBF"))
        content.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(content);
    if (!utf8.hasError())
        return text;
    return decodeWindows1254(content);
}

bool IniFile::load()
{
    m_sections.clear();
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    parse(decode(file.readAll()));
    return true;
}

void IniFile::parse(const QString &text)
{
    m_sections.clear();
    m_sections.append(Section{});
    QString normalized = text;
    normalized.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalized.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = normalized.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the final line break
    for (const QString &line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            m_sections.append(Section{trimmed.mid(1, trimmed.size() - 2).trimmed(), {}});
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        const QString key = equals > 0 ? line.left(equals).trimmed() : QString();
        if (key.isEmpty() || key.startsWith(QLatin1Char(';')))
            m_sections.last().lines.append(Line{QString(), line});
        else
            m_sections.last().lines.append(Line{key, line.mid(equals + 1)});
    }
}

QString IniFile::toText() const
{
    QString text;
    for (const Section &section : m_sections) {
        if (!section.name.isEmpty() || &section != &m_sections.first())
            text += QLatin1Char('[') + section.name + QStringLiteral("]\n");
        for (const Line &line : section.lines) {
            if (line.key.isEmpty())
                text += line.value + QLatin1Char('\n');
            else
                text += line.key + QLatin1Char('=') + line.value + QLatin1Char('\n');
        }
    }
    return text;
}

Result IniFile::save() const
{
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(toText().toUtf8()) < 0 || !file.commit())
        return Result::failure(QStringLiteral("\"%1\" dosyası kaydedilemedi: %2")
                                   .arg(QDir::toNativeSeparators(m_path), file.errorString()));
    return Result::success();
}

IniFile::Section *IniFile::findSection(const QString &name)
{
    for (qsizetype i = 1; i < m_sections.size(); ++i) {
        if (sameName(m_sections[i].name, name))
            return &m_sections[i];
    }
    return nullptr;
}

const IniFile::Section *IniFile::findSection(const QString &name) const
{
    return const_cast<IniFile *>(this)->findSection(name);
}

bool IniFile::contains(const QString &section, const QString &key) const
{
    if (const Section *s = findSection(section)) {
        for (const Line &line : s->lines) {
            if (!line.key.isEmpty() && sameName(line.key, key))
                return true;
        }
    }
    return false;
}

QString IniFile::value(const QString &section, const QString &key,
                       const QString &defaultValue) const
{
    if (const Section *s = findSection(section)) {
        for (const Line &line : s->lines) {
            if (!line.key.isEmpty() && sameName(line.key, key))
                return line.value;
        }
    }
    return defaultValue;
}

void IniFile::setValue(const QString &section, const QString &key, const QString &rawValue)
{
    // A value is one line of the file.
    QString value = rawValue;
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (m_sections.isEmpty())
        m_sections.append(Section{});
    Section *s = findSection(section);
    if (!s) {
        m_sections.append(Section{section, {}});
        s = &m_sections.last();
    }
    for (Line &line : s->lines) {
        if (!line.key.isEmpty() && sameName(line.key, key)) {
            line.value = value;
            return;
        }
    }
    // New keys go after the section's last key, before its trailing blank lines.
    qsizetype at = s->lines.size();
    while (at > 0 && s->lines[at - 1].key.isEmpty() && s->lines[at - 1].value.trimmed().isEmpty())
        --at;
    s->lines.insert(at, Line{key, value});
}

void IniFile::remove(const QString &section, const QString &key)
{
    if (Section *s = findSection(section)) {
        s->lines.removeIf(
            [&](const Line &line) { return !line.key.isEmpty() && sameName(line.key, key); });
    }
}

void IniFile::removeSection(const QString &section)
{
    for (qsizetype i = m_sections.size() - 1; i >= 1; --i) {
        if (sameName(m_sections[i].name, section))
            m_sections.removeAt(i);
    }
}

QStringList IniFile::sections() const
{
    QStringList names;
    for (qsizetype i = 1; i < m_sections.size(); ++i)
        names << m_sections[i].name;
    return names;
}

QStringList IniFile::keys(const QString &section) const
{
    QStringList names;
    if (const Section *s = findSection(section)) {
        for (const Line &line : s->lines) {
            if (!line.key.isEmpty())
                names << line.key;
        }
    }
    return names;
}

} // namespace dalvira
