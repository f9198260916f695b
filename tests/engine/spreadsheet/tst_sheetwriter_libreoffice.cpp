#include "tst_sheetwriter_libreoffice.h"

#include "spreadsheet/SheetWriter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <QXmlStreamReader>

namespace sheettest {

namespace {

const char kProfileSettings[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="OOXMLRecalcMode" oor:op="fuse"><value>0</value></prop></item>
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="ODFRecalcMode" oor:op="fuse"><value>0</value></prop></item>
<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooSetupSystemLocale" oor:op="fuse"><value>tr-TR</value></prop></item>
</oor:items>
)";

double lengthInCm(QStringView length)
{
    if (length.endsWith(QLatin1String("cm")))
        return length.chopped(2).toDouble();
    if (length.endsWith(QLatin1String("in")))
        return length.chopped(2).toDouble() * 2.54;
    if (length.endsWith(QLatin1String("mm")))
        return length.chopped(2).toDouble() / 10.0;
    return 0;
}

} // namespace

QString sofficeProgram()
{
    return QStandardPaths::findExecutable(QStringLiteral("soffice"));
}

bool convertWithLibreOffice(const QString &file, const QString &filter, const QString &outDir,
                            QString *error)
{
    QTemporaryDir profile;
    QDir(profile.path()).mkpath(QStringLiteral("user"));
    QFile settings(profile.filePath(QStringLiteral("user/registrymodifications.xcu")));
    if (!settings.open(QIODevice::WriteOnly) || settings.write(kProfileSettings) < 0) {
        *error = QStringLiteral("profile not written");
        return false;
    }
    settings.close();

    QProcess soffice;
    soffice.setProcessChannelMode(QProcess::MergedChannels);
    soffice.start(
        sofficeProgram(),
        {QStringLiteral("--headless"), QStringLiteral("--norestore"),
         QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile.path()).toString(),
         QStringLiteral("--convert-to"), filter, QStringLiteral("--outdir"), outDir, file});
    if (!soffice.waitForFinished(240000)) {
        soffice.kill();
        soffice.waitForFinished();
        *error = QStringLiteral("soffice did not finish");
        return false;
    }
    if (soffice.exitStatus() != QProcess::NormalExit || soffice.exitCode() != 0) {
        *error = QString::fromLocal8Bit(soffice.readAll());
        return false;
    }
    return true;
}

bool readFlatSheet(const QString &fodsPath, FlatSheet &sheet, QString *error)
{
    QFile file(fodsPath);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    struct CellStyle
    {
        bool bold = false;
        double fontSize = 0;
        QString dataStyle;
        QString parent;
    };
    QHash<QString, CellStyle> cellStyles;
    QHash<QString, std::pair<int, bool>> numberStyles; // decimals, grouping
    QHash<QString, double> columnStyleWidths;
    QList<std::pair<QString, QString>> cellStyleOf; // address, style name
    QList<QString> columnStyles;

    QXmlStreamReader xml(&file);
    QString currentStyle;
    QString currentNumberStyle;
    bool inFirstTable = false;
    bool tableDone = false;
    int row = 0;
    int column = 0;
    while (!xml.atEnd() && !xml.hasError()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("table") &&
            inFirstTable) {
            inFirstTable = false;
            tableDone = true;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        const QStringView name = xml.name();
        if (name == QLatin1String("style") && xml.prefix() == QLatin1String("style")) {
            currentStyle = a.value(QLatin1String("style:name")).toString();
            if (a.value(QLatin1String("style:family")) == QLatin1String("table-cell")) {
                CellStyle &s = cellStyles[currentStyle];
                s.dataStyle = a.value(QLatin1String("style:data-style-name")).toString();
                s.parent = a.value(QLatin1String("style:parent-style-name")).toString();
            }
        } else if (name == QLatin1String("text-properties") && cellStyles.contains(currentStyle)) {
            CellStyle &s = cellStyles[currentStyle];
            if (a.hasAttribute(QLatin1String("fo:font-weight")))
                s.bold = a.value(QLatin1String("fo:font-weight")) == QLatin1String("bold");
            if (a.hasAttribute(QLatin1String("fo:font-size")))
                s.fontSize = a.value(QLatin1String("fo:font-size")).chopped(2).toDouble();
        } else if (name == QLatin1String("table-column-properties")) {
            columnStyleWidths.insert(currentStyle,
                                     lengthInCm(a.value(QLatin1String("style:column-width"))));
        } else if (name == QLatin1String("number-style")) {
            currentNumberStyle = a.value(QLatin1String("style:name")).toString();
        } else if (name == QLatin1String("number") && xml.prefix() == QLatin1String("number")) {
            numberStyles.insert(
                currentNumberStyle,
                {a.value(QLatin1String("number:decimal-places")).toInt(),
                 a.value(QLatin1String("number:grouping")) == QLatin1String("true")});
        } else if (name == QLatin1String("table") && xml.prefix() == QLatin1String("table") &&
                   !tableDone) {
            inFirstTable = true;
        } else if (inFirstTable && name == QLatin1String("table-column")) {
            const int repeat =
                qMax(1, a.value(QLatin1String("table:number-columns-repeated")).toInt());
            for (int i = 0; i < repeat && columnStyles.size() < 64; ++i)
                columnStyles.append(a.value(QLatin1String("table:style-name")).toString());
        } else if (inFirstTable && name == QLatin1String("table-row")) {
            ++row;
            column = 0;
        } else if (inFirstTable && (name == QLatin1String("table-cell") ||
                                    name == QLatin1String("covered-table-cell"))) {
            const int repeat =
                qMax(1, a.value(QLatin1String("table:number-columns-repeated")).toInt());
            const QString style = a.value(QLatin1String("table:style-name")).toString();
            for (int i = 0; i < repeat && column < 64; ++i) {
                ++column;
                cellStyleOf.append({dalvira::SheetWriter::cellName(row, column), style});
            }
            if (repeat > 1 && column >= 64)
                column += repeat;
        }
    }
    if (xml.hasError()) {
        *error = xml.errorString();
        return false;
    }
    for (const auto &[address, styleName] : cellStyleOf) {
        ShownCell shown;
        QString name = styleName;
        // Parent styles give what the automatic style leaves out.
        for (int depth = 0; depth < 5 && cellStyles.contains(name); ++depth) {
            const CellStyle &s = cellStyles.value(name);
            shown.bold = shown.bold || s.bold;
            if (shown.fontSize == 0)
                shown.fontSize = s.fontSize;
            if (shown.decimals < 0 && numberStyles.contains(s.dataStyle)) {
                shown.decimals = numberStyles.value(s.dataStyle).first;
                shown.grouping = numberStyles.value(s.dataStyle).second;
            }
            name = s.parent;
        }
        sheet.cells.insert(address, shown);
    }
    for (int i = 0; i < columnStyles.size(); ++i)
        sheet.columnWidthsCm.insert(i + 1, columnStyleWidths.value(columnStyles.at(i)));
    return true;
}

} // namespace sheettest
