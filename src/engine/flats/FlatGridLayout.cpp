#include "flats/FlatGridLayout.h"

#include "storage/IniFile.h"
#include "storage/ProgramFolder.h"

#include <algorithm>

namespace dalvira {

namespace {

const QString kSection = QLatin1String(kFlatGridLayoutSection);

} // namespace

QString flatGridLayoutPath()
{
    return GetPathPath() + QLatin1String(kFlatGridLayoutFile);
}

QList<GridColumnLayout> readFlatGridLayout(const QString &path,
                                           const QList<GridColumnLayout> &defaults)
{
    IniFile ini(path);
    ini.load();
    struct Placed
    {
        GridColumnLayout column;
        int defaultIndex;
    };
    QList<Placed> placed;
    for (int i = 0; i < defaults.size(); ++i) {
        GridColumnLayout c = defaults.at(i);
        c.position = i;
        const QString f = c.field;
        bool ok = false;
        const int position = ini.value(kSection, f + QLatin1Char('i')).trimmed().toInt(&ok);
        if (ok && position >= 0)
            c.position = position;
        const int width = ini.value(kSection, f + QLatin1Char('w')).trimmed().toInt(&ok);
        if (ok && width > 0)
            c.width = width;
        if (ini.contains(kSection, f + QLatin1Char('v')))
            c.visible =
                ini.value(kSection, f + QLatin1Char('v')).trimmed() == QLatin1String("True");
        placed.append({c, i});
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed &a, const Placed &b) {
        return a.column.position < b.column.position;
    });
    QList<GridColumnLayout> out;
    for (int i = 0; i < placed.size(); ++i) {
        GridColumnLayout c = placed.at(i).column;
        c.position = i;
        out.append(c);
    }
    return out;
}

Result writeFlatGridLayout(const QString &path, const QList<GridColumnLayout> &columns)
{
    IniFile ini(path);
    ini.load();
    for (int i = 0; i < columns.size(); ++i) {
        const GridColumnLayout &c = columns.at(i);
        ini.setValue(kSection, c.field + QLatin1Char('a'), c.field);
        ini.setValue(kSection, c.field + QLatin1Char('i'), QString::number(i));
        ini.setValue(kSection, c.field + QLatin1Char('w'), QString::number(c.width));
        ini.setValue(kSection, c.field + QLatin1Char('v'),
                     c.visible ? QStringLiteral("True") : QStringLiteral("False"));
    }
    return ini.save();
}

} // namespace dalvira
