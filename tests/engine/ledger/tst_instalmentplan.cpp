#include "ledger/InstalmentPlan.h"

#include <QtTest>

using namespace dalvira;

Q_DECLARE_METATYPE(QList<QDate>)

class InstalmentPlanTest : public QObject
{
    Q_OBJECT

private slots:
    void plan_data();
    void plan();
    void refusals_data();
    void refusals();
};

void InstalmentPlanTest::plan_data()
{
    QTest::addColumn<double>("total");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("step");
    QTest::addColumn<bool>("monthEnd");
    QTest::addColumn<double>("amount");
    QTest::addColumn<QList<QDate>>("dates");

    QTest::newRow("1000 in 3 from 31.01.2024, leap February")
        << 1000.0 << QDate(2024, 1, 31) << 3 << 1 << false << 333.33
        << QList<QDate>{{2024, 1, 31}, {2024, 2, 29}, {2024, 3, 31}};
    QTest::newRow("31st keeps coming back after short months")
        << 400.0 << QDate(2023, 1, 31) << 4 << 1 << false << 100.0
        << QList<QDate>{{2023, 1, 31}, {2023, 2, 28}, {2023, 3, 31}, {2023, 4, 30}};
    QTest::newRow("month-end box moves the first date too")
        << 300.0 << QDate(2023, 1, 15) << 3 << 1 << true << 100.0
        << QList<QDate>{{2023, 1, 31}, {2023, 2, 28}, {2023, 3, 31}};
    QTest::newRow("step 2 across December")
        << 100.0 << QDate(2023, 10, 15) << 3 << 2 << false << 33.33
        << QList<QDate>{{2023, 10, 15}, {2023, 12, 15}, {2024, 2, 15}};
    QTest::newRow("step 2 across December on the 30th")
        << 90.0 << QDate(2023, 11, 30) << 3 << 2 << false << 30.0
        << QList<QDate>{{2023, 11, 30}, {2024, 1, 30}, {2024, 3, 30}};
    QTest::newRow("step 12, month-end, over the leap day")
        << 20.0 << QDate(2023, 2, 10) << 2 << 12 << true << 10.0
        << QList<QDate>{{2023, 2, 28}, {2024, 2, 29}};
    QTest::newRow("halves round to even") << 0.25 << QDate(2024, 5, 1) << 2 << 1 << false << 0.12
                                          << QList<QDate>{{2024, 5, 1}, {2024, 6, 1}};
    QTest::newRow("count above 12 is held at 12")
        << 1200.0 << QDate(2024, 1, 1) << 20 << 1 << false << 100.0
        << QList<QDate>{{2024, 1, 1}, {2024, 2, 1},  {2024, 3, 1},  {2024, 4, 1},
                        {2024, 5, 1}, {2024, 6, 1},  {2024, 7, 1},  {2024, 8, 1},
                        {2024, 9, 1}, {2024, 10, 1}, {2024, 11, 1}, {2024, 12, 1}};
}

void InstalmentPlanTest::plan()
{
    QFETCH(double, total);
    QFETCH(QDate, start);
    QFETCH(int, count);
    QFETCH(int, step);
    QFETCH(bool, monthEnd);
    QFETCH(double, amount);
    QFETCH(QList<QDate>, dates);

    QList<Instalment> plan;
    const Result r = buildInstalmentPlan({total, start, count, step, monthEnd}, plan);
    QVERIFY2(r.ok(), qPrintable(r.message()));
    QCOMPARE(plan.size(), dates.size());
    for (int i = 0; i < plan.size(); ++i) {
        QCOMPARE(plan.at(i).date, dates.at(i));
        QCOMPARE(plan.at(i).amount, amount);
    }
}

void InstalmentPlanTest::refusals_data()
{
    QTest::addColumn<double>("total");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QString>("message");
    QTest::newRow("no start date") << 100.0 << QDate() << "Başlama Tarihi Girmelisiniz!";
    QTest::newRow("start date is asked first") << 0.0 << QDate() << "Başlama Tarihi Girmelisiniz!";
    QTest::newRow("no total") << 0.0 << QDate(2024, 1, 1) << "İşlem Tutarı Girmelisiniz!";
    QTest::newRow("under a kuruş") << 0.004 << QDate(2024, 1, 1) << "İşlem Tutarı Girmelisiniz!";
}

void InstalmentPlanTest::refusals()
{
    QFETCH(double, total);
    QFETCH(QDate, start);
    QFETCH(QString, message);
    QList<Instalment> plan{{QDate(2020, 1, 1), 5.0}};
    const Result r = buildInstalmentPlan({total, start, 3, 1, false}, plan);
    QVERIFY(!r.ok());
    QCOMPARE(r.message(), message);
    QVERIFY(plan.isEmpty());
}

QTEST_GUILESS_MAIN(InstalmentPlanTest)
#include "tst_instalmentplan.moc"
