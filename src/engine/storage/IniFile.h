#pragma once

#include "common/Result.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace dalvira {

// A Windows-style settings file: "[Section]" lines, then "key=value" lines. A value is
// everything after the first "=" exactly as written, so commas, quotes, "=", ";" and Turkish
// letters come back as they were stored (QSettings would quote and escape them). Sections and
// keys are found case-insensitively, as Windows does; the first of duplicate keys counts.
// Other lines (comments, blank lines) are kept in place when the file is saved.
// Read as UTF-8, or as Windows-1254 when the bytes are not valid UTF-8 (files of the old
// program); saved as UTF-8, atomically.
class IniFile
{
public:
    explicit IniFile(const QString &path = {});

    // Reads the file; false (and empty) when it does not exist or cannot be read.
    bool load();
    // Writes the file; the old file stays whole if writing fails.
    Result save() const;

    const QString &path() const { return m_path; }
    void setPath(const QString &path) { m_path = path; }

    bool contains(const QString &section, const QString &key) const;
    QString value(const QString &section, const QString &key,
                  const QString &defaultValue = {}) const;
    // A line break inside value is stored as a blank: a value is one line of the file.
    void setValue(const QString &section, const QString &key, const QString &value);
    void remove(const QString &section, const QString &key);
    void removeSection(const QString &section);
    QStringList sections() const;
    QStringList keys(const QString &section) const;

    // The text as it would be saved.
    QString toText() const;
    // Replaces the contents with the parsed text.
    void parse(const QString &text);
    // The bytes as text: UTF-8 (a BOM is dropped), else Windows-1254.
    static QString decode(const QByteArray &bytes);

private:
    struct Line
    {
        QString key;   // empty for a line that is not key=value
        QString value; // the value, or the whole line when key is empty
    };
    struct Section
    {
        QString name; // empty for the lines before the first section
        QList<Line> lines;
    };

    Section *findSection(const QString &name);
    const Section *findSection(const QString &name) const;

    QString m_path;
    QList<Section> m_sections;
};

} // namespace dalvira
