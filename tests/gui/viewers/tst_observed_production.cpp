// The observed production file: columns found by their names, separators, dates, the faults
// named by line; and the misfit of a rate forecast against it.

#include <cmath>

#include <QTemporaryDir>
#include <QtTest>

#include "observed_production.h"
#include "rate_misfit.h"

namespace {

QString writeFile(const QTemporaryDir &dir, const QByteArray &text)
{
    const QString path = dir.filePath("observed.csv");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(text);
    return path;
}

// NaN compares unequal to itself; these compare it as a value.
QString valuesText(const QVector<double> &values)
{
    QStringList texts;
    for (double value : values)
        texts << (std::isnan(value) ? QString("-") : QString::number(value));
    return texts.join(' ');
}

} // namespace

class ObservedProductionTest : public QObject
{
    Q_OBJECT

private slots:
    void readsColumnsByName_data();
    void readsColumnsByName();
    void namesTheLinesItCannotRead_data();
    void namesTheLinesItCannotRead();
    void listsTenFaultsAndCountsTheRest();
    void misfitOfRates_data();
    void misfitOfRates();
};

void ObservedProductionTest::readsColumnsByName_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("days");
    QTest::addColumn<QString>("rates");
    QTest::addColumn<QString>("cumulatives");
    QTest::addColumn<QString>("pressures");
    QTest::newRow("commas, every column") << QByteArray("Day,Gas Rate (Mscf/d),Cum Gas,BHP (psia)\n"
                                                        "30,1200,36000,1000\n60,1000.5,66000,950\n")
                                          << "30 60" << "1200 1000.5" << "36000 66000" << "1000 950";
    QTest::newRow("semicolons, decimal commas, no BHP")
        << QByteArray("\xEF\xBB\xBFtime;oil rate;cumulative\r\n1,5;300,25;450\r\n\r\n3;280;1010\r\n")
        << "1.5 3" << "300.25 280" << "450 1010" << "- -";
    QTest::newRow("tabs, dates, other columns, a gap")
        << QByteArray("Date\tWell\tRate\tPwf\n2024-01-01\tP1\t500\t\n2024-01-31\tP1\t\t900\n2024-03-01\tP1\t450\t880\n")
        << "0 30 60" << "500 - 450" << "- - -" << "- 900 880";
    QTest::newRow("quoted names, European dates")
        << QByteArray("\"Date\",\"Rate\"\n\"31.12.2023\",\"10\"\n\"01.01.2024\",\"9\"\n") << "0 1" << "10 9"
        << "- -" << "- -";
}

void ObservedProductionTest::readsColumnsByName()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, days);
    QFETCH(QString, rates);
    QFETCH(QString, cumulatives);
    QFETCH(QString, pressures);
    QTemporaryDir dir;
    QStringList errors;
    const ObservedProduction observed = readObservedProduction(writeFile(dir, text), errors);
    QCOMPARE(errors, QStringList());
    QCOMPARE(observed.fileName, QString("observed.csv"));
    QCOMPARE(valuesText(observed.day), days);
    QCOMPARE(valuesText(observed.rate), rates);
    QCOMPARE(valuesText(observed.cumulative), cumulatives);
    QCOMPARE(valuesText(observed.bhp), pressures);
}

void ObservedProductionTest::namesTheLinesItCannotRead_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("errors");
    QTest::newRow("empty") << QByteArray("\n\n") << QStringList{
        "observed.csv is empty: it needs a header line and rows of data."};
    QTest::newRow("header only") << QByteArray("day,rate\n") << QStringList{
        "observed.csv holds a header but no rows of data."};
    QTest::newRow("no rate column") << QByteArray("day,bhp\n1,2\n") << QStringList{
        "Line 1: the header names no rate column (\"day,bhp\")."};
    QTest::newRow("no time column") << QByteArray("rate,bhp\n1,2\n") << QStringList{
        "Line 1: the header names no day or date column (\"rate,bhp\")."};
    QTest::newRow("two rate columns") << QByteArray("day,gas rate,oil rate\n1,2,3\n") << QStringList{
        "Line 1: the header names two rate columns, \"gas rate\" and \"oil rate\"."};
    QTest::newRow("bad values") << QByteArray("day,rate,cum\n1,100,100\nten,90,190\n3,8O,270\n-4,1,1\n5,70\n")
                                << QStringList{"Line 3: the day \"ten\" is not a number.",
                                               "Line 4: the rate \"8O\" is not a number.",
                                               "Line 5: the day -4 is before the start of production."};
    QTest::newRow("bad dates") << QByteArray("date,rate\n2024-02-01,5\n2024-02-30,4\n2024-01-15,3\n")
                               << QStringList{"Line 3: the date \"2024-02-30\" is not a date such as 2024-03-31.",
                                              "Line 4: the date 2024-01-15 is before the first row's 2024-02-01."};
}

void ObservedProductionTest::namesTheLinesItCannotRead()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, errors);
    QTemporaryDir dir;
    QStringList found;
    const ObservedProduction observed = readObservedProduction(writeFile(dir, text), found);
    QCOMPARE(found, errors);
    QVERIFY(observed.isEmpty());
}

void ObservedProductionTest::listsTenFaultsAndCountsTheRest()
{
    QByteArray text("day,rate\n");
    for (int n = 0; n < 25; ++n)
        text += "x,1\n";
    QTemporaryDir dir;
    QStringList errors;
    readObservedProduction(writeFile(dir, text), errors);
    QCOMPARE(errors.size(), 11);
    QCOMPARE(errors.first(), QString("Line 2: the day \"x\" is not a number."));
    QCOMPARE(errors.last(), QString("... and 15 more lines that cannot be read."));

    readObservedProduction(dir.filePath("absent.csv"), errors);
    QCOMPARE(errors.size(), 1);
    QVERIFY(errors.first().startsWith("absent.csv cannot be opened: "));
}

void ObservedProductionTest::misfitOfRates_data()
{
    QTest::addColumn<QVector<double>>("observedDay");
    QTest::addColumn<QVector<double>>("observedRate");
    QTest::addColumn<double>("rms");
    QTest::addColumn<int>("pointCount");
    // The forecast runs from 1000 at day 10 to 500 at day 30.
    QTest::newRow("on the points") << QVector<double>{10, 30} << QVector<double>{1000, 500} << 0.0 << 2;
    QTest::newRow("between points, 10 % and 20 % off")
        << QVector<double>{20, 30} << QVector<double>{750 / 1.1, 500 / 1.2} << std::sqrt((0.01 + 0.04) / 2) << 2;
    QTest::newRow("outside, unmeasured and zero left out")
        << QVector<double>{5, 20, 25, 40} << QVector<double>{900, std::nan(""), 0, 100} << 0.0 << 0;
}

void ObservedProductionTest::misfitOfRates()
{
    QFETCH(QVector<double>, observedDay);
    QFETCH(QVector<double>, observedRate);
    QFETCH(double, rms);
    QFETCH(int, pointCount);
    const RateMisfit misfit = rateMisfit({10, 20, 30}, {1000, 750, 500}, observedDay, observedRate);
    QCOMPARE(misfit.pointCount, pointCount);
    QVERIFY2(std::abs(misfit.rms - rms) < 1e-12, qPrintable(QString::number(misfit.rms)));
}

QTEST_MAIN(ObservedProductionTest)
#include "tst_observed_production.moc"
