// The three kinds of data file are copies of the templates the build makes from schema/*.sql,
// and the program never creates a table, so a column missing or misspelt in a template would
// only show up when a screen first touches it. These checks hold the templates against the
// column lists of tst_schema_columns.h, written from the documented data model rather than
// from the scripts.
#include "TestSupport.h"
#include "tst_schema_columns.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

namespace {

using namespace dalvira::test::schema;

// "DALV": marks a file as one of ours.
constexpr qint64 kApplicationId = 1145130070;

struct Column
{
    QString name;
    QString declaredType;
    bool key = false;
};

QList<Column> parseColumns(const QString &text)
{
    static const QStringList kinds = {QStringLiteral("key"),  QStringLiteral("INTEGER"),
                                      QStringLiteral("REAL"), QStringLiteral("TEXT"),
                                      QStringLiteral("DATE"), QStringLiteral("BLOB")};
    QList<Column> columns;
    QString kind;
    for (const QString &word :
         text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
        if (kinds.contains(word)) {
            kind = word;
            continue;
        }
        Column column;
        column.name = word;
        column.key = kind == QLatin1String("key");
        column.declaredType = column.key                      ? QStringLiteral("INTEGER")
                              : kind == QLatin1String("DATE") ? QStringLiteral("TEXT")
                                                              : kind;
        columns.append(column);
    }
    return columns;
}

QString templatePath(const QString &file)
{
    return dalvira::test::builtProgramFolder() + QLatin1Char('/') + file;
}

// One connection per check, removed again when the check ends.
class Connection
{
public:
    Connection(const QString &path, bool readOnly)
        : m_name(QStringLiteral("schema-check-%1").arg(++s_counter))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        if (readOnly)
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        // Opening a missing file read-write would quietly create an empty one.
        m_open = QFileInfo::exists(path) && db.open();
    }
    ~Connection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    bool isOpen() const { return m_open; }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

    // The rows of a statement, each row's values joined by "|".
    QStringList rows(const QString &sql, const QVariantList &values = {}) const
    {
        QSqlQuery query(db());
        query.prepare(sql);
        for (const QVariant &value : values)
            query.addBindValue(value);
        QStringList result;
        if (!query.exec()) {
            result.append(QStringLiteral("error: ") + query.lastError().text());
            return result;
        }
        while (query.next()) {
            QStringList fields;
            for (int i = 0; i < query.record().count(); ++i)
                fields.append(query.value(i).isNull() ? QStringLiteral("<null>")
                                                      : query.value(i).toString());
            result.append(fields.join(QLatin1Char('|')));
        }
        return result;
    }

    QVariant value(const QString &sql, const QVariantList &values = {}) const
    {
        QSqlQuery query(db());
        query.prepare(sql);
        for (const QVariant &bound : values)
            query.addBindValue(bound);
        if (!query.exec() || !query.next())
            return {};
        return query.value(0);
    }

private:
    static inline int s_counter = 0;
    QString m_name;
    bool m_open = false;
};

QStringList userTables(const Connection &connection)
{
    return connection.rows(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                          "AND name NOT LIKE 'sqlite!_%' ESCAPE '!' "
                                          "ORDER BY name"));
}

// Everything that makes up a file's schema, in a stable order.
QStringList schemaOf(const Connection &connection)
{
    QStringList schema = connection.rows(
        QStringLiteral("SELECT type, name, tbl_name, sql FROM sqlite_master ORDER BY type, name"));
    schema.append(QStringLiteral("application_id=") +
                  connection.value(QStringLiteral("PRAGMA application_id")).toString());
    schema.append(QStringLiteral("user_version=") +
                  connection.value(QStringLiteral("PRAGMA user_version")).toString());
    return schema;
}

} // namespace

class tst_Schema : public QObject
{
    Q_OBJECT

private slots:
    void tables_data();
    void tables();
    void columns_data();
    void columns();
    void fileHeader_data();
    void fileHeader();
    void anaDataCopiesMatchTemplates_data();
    void anaDataCopiesMatchTemplates();
    void siteInformationSameInBothFiles();
    void keysAreNeverReused_data();
    void keysAreNeverReused();
    void columnDefaults_data();
    void columnDefaults();
    void indexes_data();
    void indexes();
};

void tst_Schema::tables_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("expected");
    for (const TemplateFile &file : templateFiles()) {
        QStringList names;
        for (const TableColumns &table : file.tables)
            names.append(QString::fromLatin1(table.table));
        names.sort();
        QTest::newRow(qPrintable(file.file)) << file.file << names;
    }
}

void tst_Schema::tables()
{
    QFETCH(QString, file);
    QFETCH(QStringList, expected);
    const Connection connection(templatePath(file), true);
    QVERIFY2(connection.isOpen(), qPrintable(templatePath(file)));
    QCOMPARE(userTables(connection), expected);
}

void tst_Schema::columns_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("columns");
    for (const TemplateFile &file : templateFiles()) {
        for (const TableColumns &table : file.tables) {
            QTest::addRow("%s %s", qPrintable(file.file), table.table)
                << file.file << QString::fromLatin1(table.table)
                << QString::fromLatin1(table.columns);
        }
    }
}

void tst_Schema::columns()
{
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(QString, columns);
    const Connection connection(templatePath(file), true);
    QVERIFY2(connection.isOpen(), qPrintable(templatePath(file)));

    QStringList actual =
        connection.rows(QStringLiteral("SELECT name, type, pk FROM pragma_table_info(?)"), {table});
    QVERIFY2(!actual.isEmpty(), qPrintable(table + QStringLiteral(" is missing")));

    // Report every difference at once: a misspelt name shows as one missing and one extra.
    QStringList problems;
    for (const Column &column : parseColumns(columns)) {
        const QString wanted = QStringLiteral("%1|%2|%3")
                                   .arg(column.name, column.declaredType, column.key ? "1" : "0");
        const qsizetype found = actual.indexOf(wanted);
        if (found >= 0) {
            actual.removeAt(found);
            continue;
        }
        const auto sameName = std::find_if(actual.cbegin(), actual.cend(), [&](const QString &row) {
            return row.section(QLatin1Char('|'), 0, 0) == column.name;
        });
        if (sameName == actual.cend()) {
            problems.append(QStringLiteral("missing ") + wanted);
        } else {
            problems.append(
                QStringLiteral("%1 is %2, expected %3").arg(column.name, *sameName, wanted));
            actual.erase(sameName);
        }
    }
    for (const QString &extra : actual)
        problems.append(QStringLiteral("unexpected ") + extra);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
}

void tst_Schema::fileHeader_data()
{
    QTest::addColumn<QString>("file");
    for (const QString &file : {kGenel, kSite, kKasa, QStringLiteral("AnaData/SiteAna.mdb"),
                                QStringLiteral("AnaData/Kasa.mdb")})
        QTest::newRow(qPrintable(file)) << file;
}

void tst_Schema::fileHeader()
{
    QFETCH(QString, file);
    const Connection connection(templatePath(file), true);
    QVERIFY2(connection.isOpen(), qPrintable(templatePath(file)));
    QCOMPARE(connection.value(QStringLiteral("PRAGMA application_id")).toLongLong(),
             kApplicationId);
    // Writes to the data and cash files commit together through an attached file, which
    // is atomic only with a rollback journal.
    QCOMPARE(connection.value(QStringLiteral("PRAGMA journal_mode")).toString(),
             QStringLiteral("delete"));
    // A collation only this program registers would make the files unreadable elsewhere.
    QCOMPARE(connection
                 .value(QStringLiteral("SELECT count(*) FROM sqlite_master "
                                       "WHERE upper(sql) LIKE '%COLLATE%'"))
                 .toInt(),
             0);
}

void tst_Schema::anaDataCopiesMatchTemplates_data()
{
    QTest::addColumn<QString>("copy");
    QTest::addColumn<QString>("original");
    QTest::newRow("SiteAna") << QStringLiteral("AnaData/SiteAna.mdb") << kSite;
    QTest::newRow("Kasa") << QStringLiteral("AnaData/Kasa.mdb") << kKasa;
}

void tst_Schema::anaDataCopiesMatchTemplates()
{
    QFETCH(QString, copy);
    QFETCH(QString, original);
    const Connection copyConnection(templatePath(copy), true);
    const Connection originalConnection(templatePath(original), true);
    QVERIFY2(copyConnection.isOpen(), qPrintable(templatePath(copy)));
    QVERIFY2(originalConnection.isOpen(), qPrintable(templatePath(original)));
    const QStringList schema = schemaOf(originalConnection);
    QVERIFY(schema.size() > 2);
    QCOMPARE(schemaOf(copyConnection), schema);
}

void tst_Schema::siteInformationSameInBothFiles()
{
    // Site information is copied column by column between the general file and the site's
    // own file, so the two tables must agree in every column.
    const Connection genel(templatePath(kGenel), true);
    const Connection site(templatePath(kSite), true);
    QVERIFY(genel.isOpen());
    QVERIFY(site.isOpen());
    const QString sql = QStringLiteral("SELECT * FROM pragma_table_info('firmabilgi')");
    const QStringList columns = genel.rows(sql);
    QVERIFY(!columns.isEmpty());
    QCOMPARE(site.rows(sql), columns);
}

void tst_Schema::keysAreNeverReused_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("key");
    for (const TemplateFile &file : templateFiles()) {
        for (const TableColumns &table : file.tables) {
            for (const Column &column : parseColumns(QString::fromLatin1(table.columns))) {
                if (column.key)
                    QTest::addRow("%s %s", qPrintable(file.file), table.table)
                        << file.file << QString::fromLatin1(table.table) << column.name;
            }
        }
    }
}

void tst_Schema::keysAreNeverReused()
{
    // A reused key would let a stale link (a cash row's ledger key, a batch number) point
    // at a newer, unrelated row: delete the newest row, add another, the key must move on.
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(QString, key);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("copy.mdb"));
    QVERIFY(QFile::copy(templatePath(file), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    const Connection connection(path, false);
    QVERIFY(connection.isOpen());

    QSqlQuery query(connection.db());
    // Table names come from the list above, never from input.
    const QString insert = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table);
    QVERIFY2(query.exec(insert), qPrintable(query.lastError().text()));
    const qint64 first = query.lastInsertId().toLongLong();
    query.prepare(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(table, key));
    query.addBindValue(first);
    QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
    QCOMPARE(query.numRowsAffected(), 1);
    QVERIFY2(query.exec(insert), qPrintable(query.lastError().text()));
    const qint64 second = query.lastInsertId().toLongLong();
    QVERIFY2(second > first, qPrintable(QStringLiteral("%1 reused key %2").arg(table).arg(first)));
    query.finish();
}

void tst_Schema::columnDefaults_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("expected");
    // An empty faiz_id drops out of both "faiz_id = 2" and "faiz_id <> 2" sums.
    QTest::newRow("movement is not interest")
        << kSite << QStringLiteral("sicilcarihar") << QStringLiteral("faiz_id") << QVariant(0);
    QTest::newRow("movement currency")
        << kSite << QStringLiteral("sicilcarihar") << QStringLiteral("para_cinsi")
        << QVariant(QStringLiteral("TL"));
    QTest::newRow("cash movement goes to the book")
        << kKasa << QStringLiteral("nakit") << QStringLiteral("isletme_var")
        << QVariant(QStringLiteral("E"));
}

void tst_Schema::columnDefaults()
{
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(QVariant, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("copy.mdb"));
    QVERIFY(QFile::copy(templatePath(file), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    const Connection connection(path, false);
    QVERIFY(connection.isOpen());

    {
        QSqlQuery query(connection.db());
        QVERIFY2(query.exec(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)),
                 qPrintable(query.lastError().text()));
    }
    const QVariant stored =
        connection.value(QStringLiteral("SELECT %1 FROM %2").arg(column, table));
    QVERIFY(!stored.isNull());
    QCOMPARE(stored.toString(), expected.toString());
}

void tst_Schema::indexes_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("index");
    QTest::addColumn<QStringList>("columns");

    const auto add = [](const QString &file, const char *table, const char *index,
                        const QStringList &columns) {
        QTest::addRow("%s", index)
            << file << QString::fromLatin1(table) << QString::fromLatin1(index) << columns;
    };
    add(kGenel, "firmabilgi", "firmabilgi_firma_kodu", {"firma_kodu"});
    add(kSite, "siciltablo", "siciltablo_sicil_kodu", {"sicil_kodu"});
    add(kSite, "sicilcarihar", "sicilcarihar_sicil_kodu_islem_tarihi",
        {"sicil_kodu", "islem_tarihi"});
    add(kSite, "sicilcarihar", "sicilcarihar_islem_tarihi", {"islem_tarihi"});
    add(kSite, "sicilcarihar", "sicilcarihar_adi_soyadi", {"adi_soyadi"});
    add(kSite, "sicilcarihar", "sicilcarihar_aidat1id", {"aidat1id"});
    add(kSite, "sicilcarihar", "sicilcarihar_nakitid", {"nakitid"});
    add(kSite, "sicilcarihar", "sicilcarihar_bankaid", {"bankaid"});
    add(kSite, "sicilcarihar", "sicilcarihar_isletmegelirid", {"isletmegelirid"});
    add(kSite, "aiadataktar", "tarih", {"tarih"});
    add(kSite, "bulunmayan", "bulunmayan_bankaid", {"bankaid"});
    add(kSite, "isletgelir", "isletgelir_islem_tarihi", {"islem_tarihi"});
    add(kSite, "isletgelir", "isletgelir_mahsupid", {"mahsupid"});
    add(kSite, "isletgelir", "isletgelir_sicilhareketid", {"sicilhareketid"});
    add(kSite, "isletgelir", "isletgelir_bankaid", {"bankaid"});
    add(kSite, "isletgider", "isletgider_islem_tarihi", {"islem_tarihi"});
    add(kSite, "isletgider", "isletgider_mahsupid", {"mahsupid"});
    add(kSite, "isletgider", "isletgider_sicilhareketid", {"sicilhareketid"});
    add(kSite, "isletgider", "isletgider_bankaid", {"bankaid"});
    add(kSite, "stoktur", "stoktur_stokkodu", {"stokkodu"});
    add(kSite, "firma", "firma_firma_kodu", {"firma_kodu"});
    add(kKasa, "nakit", "nakit_islem_tarihi", {"islem_tarihi"});
    add(kKasa, "nakit", "nakit_aidat_id", {"aidat_id"});
    add(kKasa, "nakit", "nakit_isletme_id", {"isletme_id"});
    add(kKasa, "resimnakit", "resimnakit_nakidid", {"nakidid"});
    add(kKasa, "carihareket", "carihareket_cari_kodu_islem_tarihi", {"cari_kodu", "islem_tarihi"});
    add(kKasa, "carihareket", "carihareket_nakit_id", {"nakit_id"});
    add(kKasa, "carihareket", "carihareket_bosint1", {"bosint1"});
    add(kKasa, "carihareket", "carihareket_bosint2", {"bosint2"});
}

void tst_Schema::indexes()
{
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(QString, index);
    QFETCH(QStringList, columns);
    const Connection connection(templatePath(file), true);
    QVERIFY2(connection.isOpen(), qPrintable(templatePath(file)));

    // Flat numbers and firm codes are checked for duplicates by the program, and the quick
    // flat grid may store two flats with one number, so no index here may be unique.
    QCOMPARE(connection.rows(QStringLiteral("SELECT \"unique\" FROM pragma_index_list(?) "
                                            "WHERE name = ?"),
                             {table, index}),
             QStringList{QStringLiteral("0")});
    QCOMPARE(connection.rows(QStringLiteral("SELECT name FROM pragma_index_info(?) "
                                            "ORDER BY seqno"),
                             {index}),
             columns);
}

QTEST_GUILESS_MAIN(tst_Schema)
#include "tst_schema.moc"
