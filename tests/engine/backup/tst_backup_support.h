#pragma once

// Hand-made zip archives for the refusal cases (entry names and contents no backup would
// write), and small file helpers.

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QPair>
#include <QString>

namespace dalvira::test {

inline quint32 crc32Of(const QByteArray &data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char ch : data) {
        crc ^= quint8(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A zip with stored (uncompressed) entries under exactly the names given.
inline bool writeStoredZip(const QString &path, const QList<QPair<QString, QByteArray>> &entries)
{
    QByteArray out, central;
    const auto le16 = [](QByteArray &b, quint16 v) {
        b.append(char(v & 0xff)).append(char(v >> 8));
    };
    const auto le32 = [&](QByteArray &b, quint32 v) {
        le16(b, quint16(v & 0xffff));
        le16(b, quint16(v >> 16));
    };
    for (const auto &[name, data] : entries) {
        const QByteArray n = name.toUtf8();
        const quint32 crc = crc32Of(data);
        const quint32 offset = quint32(out.size());
        le32(out, 0x04034b50);
        le16(out, 20), le16(out, 0), le16(out, 0), le16(out, 0), le16(out, 0x21);
        le32(out, crc), le32(out, quint32(data.size())), le32(out, quint32(data.size()));
        le16(out, quint16(n.size())), le16(out, 0);
        out.append(n).append(data);
        le32(central, 0x02014b50);
        le16(central, 20), le16(central, 20), le16(central, 0), le16(central, 0);
        le16(central, 0), le16(central, 0x21);
        le32(central, crc), le32(central, quint32(data.size())),
            le32(central, quint32(data.size()));
        le16(central, quint16(n.size())), le16(central, 0), le16(central, 0), le16(central, 0);
        le16(central, 0), le32(central, 0), le32(central, offset);
        central.append(n);
    }
    const quint32 centralOffset = quint32(out.size());
    out.append(central);
    le32(out, 0x06054b50);
    le16(out, 0), le16(out, 0), le16(out, quint16(entries.size())),
        le16(out, quint16(entries.size()));
    le32(out, quint32(central.size())), le32(out, centralOffset), le16(out, 0);
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(out) == out.size();
}

inline QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace dalvira::test
