#pragma once

#include <QString>
#include <QStringList>
#include <QXmlStreamReader>
#include <functional>
#include <memory>

class QuaZip;

namespace dalvira::sheetio {

// Read access to the parts of a zip package (.xlsx, .ods). Parts are parsed as they are
// unpacked, so a large sheet is never held whole in memory.
class ZipPackage
{
public:
    explicit ZipPackage(const QString &path);
    ~ZipPackage();
    ZipPackage(const ZipPackage &) = delete;
    ZipPackage &operator=(const ZipPackage &) = delete;

    bool isOpen() const { return m_open; }
    bool contains(const QString &name) const;

    enum class PartStatus { Ok, Missing, Damaged };
    // Runs parse over the part's XML. Damaged when the part cannot be unpacked, its data
    // fail the checksum, or the XML is malformed (unless parse stopped early by returning
    // false, which is not an error).
    PartStatus parseXml(const QString &name, const std::function<bool(QXmlStreamReader &)> &parse);
    // The raw bytes of a small part, at most maxBytes of them.
    PartStatus readSmall(const QString &name, QByteArray &data, qint64 maxBytes = 1 << 20);

private:
    std::unique_ptr<QuaZip> m_zip;
    QStringList m_names;
    bool m_open = false;
};

// Joins a relationship target to the folder of the part that names it ("xl/" + "../x" etc).
QString resolvePartPath(const QString &sourcePart, const QString &target);

} // namespace dalvira::sheetio
