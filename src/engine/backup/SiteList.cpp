#include "backup/SiteList.h"

#include "common/TextHelpers.h"
#include "storage/Sql.h"
#include "storage/Storage.h"

#include <QSqlRecord>

namespace dalvira::sitelist {

QList<SiteRecord> load(Storage &storage, Column column, Direction direction)
{
    // Both parts come from fixed texts, never from the user.
    const QString order = QLatin1String(column == Column::Code ? "firma_kodu" : "firma_unvani_1");
    const QString dir = QLatin1String(direction == Direction::Descending ? "DESC" : "ASC");
    QSqlQuery q = exec(storage.genel(), QStringLiteral("SELECT * FROM firmabilgi ORDER BY ") +
                                            order + QStringLiteral(" COLLATE TURKISH ") + dir +
                                            QStringLiteral(", firma_ind"));
    QList<SiteRecord> rows;
    while (q.next()) {
        SiteRecord r;
        const QSqlRecord rec = q.record();
        for (int i = 0; i < rec.count(); ++i) {
            if (rec.fieldName(i) == QLatin1String("firma_ind"))
                r.key = q.value(i).toLongLong();
            else
                r.values.insert(rec.fieldName(i), q.value(i));
        }
        rows.append(r);
    }
    return rows;
}

int findNext(const QList<SiteRecord> &rows, int current, const QString &text)
{
    const int count = int(rows.size());
    if (count == 0)
        return -1;
    const QString needle = turkishLower(text);
    int row = (current < 0 || current >= count - 1) ? 0 : current + 1;
    // Once round the list plus one row, so the current row itself is found last.
    for (int steps = 0; steps <= count; ++steps) {
        if (turkishLower(rows[row].name()).contains(needle))
            return row;
        row = (row + 1) % count;
    }
    return -1;
}

} // namespace dalvira::sitelist
