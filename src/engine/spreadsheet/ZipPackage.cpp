#include "ZipPackage.h"

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

namespace dalvira::sheetio {

ZipPackage::ZipPackage(const QString &path) : m_zip(std::make_unique<QuaZip>(path))
{
    m_open = m_zip->open(QuaZip::mdUnzip);
    if (m_open) {
        const QStringList names = m_zip->getFileNameList();
        for (const QString &name : names)
            m_names.append(name.toLower());
    }
}

ZipPackage::~ZipPackage()
{
    if (m_open)
        m_zip->close();
}

bool ZipPackage::contains(const QString &name) const
{
    return m_names.contains(name.toLower());
}

ZipPackage::PartStatus ZipPackage::parseXml(const QString &name,
                                            const std::function<bool(QXmlStreamReader &)> &parse)
{
    if (!m_open || !m_zip->setCurrentFile(name, QuaZip::csInsensitive))
        return PartStatus::Missing;
    QuaZipFile file(m_zip.get());
    if (!file.open(QIODevice::ReadOnly))
        return PartStatus::Damaged;
    QXmlStreamReader xml(&file);
    if (!parse(xml)) {
        file.close();
        return PartStatus::Ok;
    }
    if (xml.hasError())
        return PartStatus::Damaged;
    // The checksum is only compared once every byte has been unpacked.
    char buffer[16384];
    while (file.read(buffer, sizeof buffer) > 0) {
    }
    file.close();
    return file.getZipError() == UNZ_OK ? PartStatus::Ok : PartStatus::Damaged;
}

ZipPackage::PartStatus ZipPackage::readSmall(const QString &name, QByteArray &data, qint64 maxBytes)
{
    data.clear();
    if (!m_open || !m_zip->setCurrentFile(name, QuaZip::csInsensitive))
        return PartStatus::Missing;
    QuaZipFile file(m_zip.get());
    if (!file.open(QIODevice::ReadOnly))
        return PartStatus::Damaged;
    char buffer[16384];
    qint64 got = 0;
    while (data.size() < maxBytes &&
           (got = file.read(buffer, qMin<qint64>(sizeof buffer, maxBytes - data.size()))) > 0)
        data.append(buffer, got);
    const bool whole = file.atEnd();
    file.close();
    if (!whole)
        return PartStatus::Ok; // cut short on purpose; the checksum cannot be judged
    return file.getZipError() == UNZ_OK ? PartStatus::Ok : PartStatus::Damaged;
}

QString resolvePartPath(const QString &sourcePart, const QString &target)
{
    QString joined;
    if (target.startsWith(QLatin1Char('/'))) {
        joined = target.mid(1);
    } else {
        const qsizetype slash = sourcePart.lastIndexOf(QLatin1Char('/'));
        joined = (slash >= 0 ? sourcePart.left(slash + 1) : QString()) + target;
    }
    QStringList parts;
    for (const QString &segment : joined.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (segment == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (segment != QLatin1String(".")) {
            parts.append(segment);
        }
    }
    return parts.join(QLatin1Char('/'));
}

} // namespace dalvira::sheetio
