// The curve plot dialogs: curve, axis limits and fields, the error for "Select Data", the
// range fields' validator, log axes and the pen of "Set".

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <qcustomplot.h>

#include "bhp.h"
#include "rateapproximation.h"
#include "screenshot.h"

namespace {

// The main window's fixed series capacity.
constexpr int SERIES_CAPACITY = 1000;

// A production history of pointCount points, 10 days apart, in 1000-slot blocks as the main
// window holds it: the rate falls from its first value, the pressure from its first.
struct TestSeries
{
    TestSeries(int pointCount, double firstRate, double firstPressure) : pointCount(pointCount)
    {
        for (int n = 0; n < pointCount; ++n) {
            time[n] = 10.0 * (n + 1);
            rate[n] = firstRate - n;
            cumulative[n] = 100.0 * (n + 1);
            bhp[n] = firstPressure - 2.0 * n;
        }
    }

    int pointCount;
    double time[SERIES_CAPACITY] = {};
    double rate[SERIES_CAPACITY] = {};
    double cumulative[SERIES_CAPACITY] = {};
    double bhp[SERIES_CAPACITY] = {};
};

QCustomPlot *plotOf(QDialog *dialog)
{
    return dialog->findChild<QCustomPlot *>("widget");
}

QString fieldText(QDialog *dialog, const char *name)
{
    return dialog->findChild<QLineEdit *>(name)->text();
}

void choose(QDialog *dialog, const char *comboName, const QString &text)
{
    auto *combo = dialog->findChild<QComboBox *>(comboName);
    combo->setCurrentIndex(combo->findText(text));
    QVERIFY(combo->currentText() == text);
}

void plotData(RateApproximation &dialog, const QString &data)
{
    choose(&dialog, "DataCombo", data);
    dialog.findChild<QPushButton *>("PlotButton")->click();
}

// Closes the message box that the next modal loop shows and keeps its title and text.
struct MessageBoxCatcher
{
    void arm()
    {
        QTimer::singleShot(0, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                title = box->windowTitle();
                text = box->text();
                icon = box->icon();
                box->close();
            }
        });
    }
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

} // namespace

class CurvePlotDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void rateDialogDrawsChosenSeries_data();
    void rateDialogDrawsChosenSeries();
    void selectDataShowsErrorAndDrawsNothing();
    void bhpDialogDrawsAtOpening();
    void emptySeriesGivesUnitAxes();
    void rangeFieldsRefuseBadTextAfterFirstPlot();
    void logAxesFollowTheirButtons();
    void enterAppliesTypedRanges();
    void unitsFollowTheProducedFluid_data();
    void unitsFollowTheProducedFluid();
    void observedPointsBesideTheForecast();
    void exportsWhatIsDrawn();
    void setAppliesRangesAndPen_data();
    void setAppliesRangesAndPen();
    void penChosenBeforePlotIsUsedByIt();
    void savesScreenshots();
};

void CurvePlotDialogTest::rateDialogDrawsChosenSeries_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<double>("firstRate");
    QTest::addColumn<QString>("yLabel");
    QTest::addColumn<double>("yTop");
    QTest::addColumn<QString>("yTopText");
    QTest::newRow("rate peaking at 1500") << "Production Rate" << 1500.0
                                          << "Production Rate (Mscf/D)" << 1501.0 << "1501";
    QTest::newRow("rate peaking at -1") << "Production Rate" << -1.0
                                        << "Production Rate (Mscf/D)" << 1.0 << "1";
    QTest::newRow("cumulative") << "Cumulative Production" << 1500.0
                                << "Cumulative Production (Mscf)" << 2001.0 << "2001";
}

void CurvePlotDialogTest::rateDialogDrawsChosenSeries()
{
    QFETCH(QString, data);
    QFETCH(double, firstRate);
    QFETCH(QString, yLabel);
    QFETCH(double, yTop);
    QFETCH(QString, yTopText);
    const TestSeries series(20, firstRate, 4800);
    RateApproximation dialog(series.pointCount, series.time, series.rate, series.cumulative);
    plotData(dialog, data);

    QCustomPlot *plot = plotOf(&dialog);
    QCOMPARE(plot->graph(0)->dataCount(), 20);
    QVERIFY(!plot->graph(1)->visible()); // no measurements to show
    QCOMPARE(plot->graph(0)->data()->at(3)->key, 40.0);
    QCOMPARE(plot->xAxis->label(), QString("Time (Days)"));
    QCOMPARE(plot->yAxis->label(), yLabel);
    QCOMPARE(plot->xAxis->range(), QCPRange(0, 200));
    QCOMPARE(plot->yAxis->range(), QCPRange(0, yTop));
    QCOMPARE(plot->yAxis2->range(), QCPRange(0, yTop));
    QCOMPARE(fieldText(&dialog, "xMinTxt"), QString("0"));
    QCOMPARE(fieldText(&dialog, "xMaxTxt"), QString("200"));
    QCOMPARE(fieldText(&dialog, "yMinTxt"), QString("0"));
    QCOMPARE(fieldText(&dialog, "yMaxTxt"), yTopText);
}

void CurvePlotDialogTest::selectDataShowsErrorAndDrawsNothing()
{
    const TestSeries series(5, 1500, 4800);
    RateApproximation dialog(series.pointCount, series.time, series.rate, series.cumulative);
    QCOMPARE(dialog.windowTitle(), QString("Rate Approximation"));
    MessageBoxCatcher catcher;
    catcher.arm();
    dialog.findChild<QPushButton *>("PlotButton")->click();
    QCOMPARE(catcher.title, QString("Error!"));
    QCOMPARE(catcher.text, QString("Please select appropriate data to plot"));
    QCOMPARE(catcher.icon, QMessageBox::Critical);
    QCOMPARE(plotOf(&dialog)->graphCount(), 0);
    QCOMPARE(fieldText(&dialog, "yMaxTxt"), QString());
}

void CurvePlotDialogTest::bhpDialogDrawsAtOpening()
{
    const TestSeries series(30, 1500, 4800);
    BHP dialog(series.pointCount, series.time, series.bhp);
    QCOMPARE(dialog.windowTitle(), QString("BottomHole Pressure"));
    QCustomPlot *plot = plotOf(&dialog);
    QCOMPARE(plot->graph(0)->dataCount(), 30);
    QCOMPARE(plot->yAxis->label(), QString("Bottomhole Pressure (psia)"));
    QCOMPARE(plot->xAxis->range(), QCPRange(0, 300));
    QCOMPARE(plot->yAxis->range(), QCPRange(0, 5000));
    QCOMPARE(fieldText(&dialog, "yMaxTxt"), QString("5000"));
}

void CurvePlotDialogTest::emptySeriesGivesUnitAxes()
{
    const TestSeries series(0, 0, 0);
    BHP pressure(-3, series.time, series.bhp);
    QCOMPARE(plotOf(&pressure)->graph(0)->dataCount(), 0);
    QCOMPARE(plotOf(&pressure)->xAxis->range(), QCPRange(0, 1));
    QCOMPARE(plotOf(&pressure)->yAxis->range(), QCPRange(0, 1));

    RateApproximation rate(0, series.time, series.rate, series.cumulative);
    plotData(rate, "Production Rate");
    QCOMPARE(plotOf(&rate)->xAxis->range(), QCPRange(0, 1));
    QCOMPARE(fieldText(&rate, "yMaxTxt"), QString("1"));
}

void CurvePlotDialogTest::rangeFieldsRefuseBadTextAfterFirstPlot()
{
    const TestSeries series(5, 1500, 4800);
    RateApproximation dialog(series.pointCount, series.time, series.rate, series.cumulative);
    auto *field = dialog.findChild<QLineEdit *>("xMinTxt");
    QTest::keyClicks(field, "-5a");
    QCOMPARE(field->text(), QString("-5a"));

    plotData(dialog, "Production Rate");
    field->clear();
    QTest::keyClicks(field, "-5a");
    QCOMPARE(field->text(), QString("5"));
}

void CurvePlotDialogTest::logAxesFollowTheirButtons()
{
    const TestSeries series(5, 1500, 4800);
    BHP dialog(series.pointCount, series.time, series.bhp);
    QCustomPlot *plot = plotOf(&dialog);
    auto *xLog = dialog.findChild<QCheckBox *>("xLogRadio");
    auto *yLog = dialog.findChild<QCheckBox *>("yLogRadio");

    // A log axis starts at the decade below its smallest value, and its fields say so.
    xLog->click();
    QCOMPARE(plot->xAxis->scaleType(), QCPAxis::stLogarithmic);
    QVERIFY(qSharedPointerDynamicCast<QCPAxisTickerLog>(plot->xAxis->ticker()));
    QCOMPARE(plot->xAxis->range(), QCPRange(10, 50));
    QCOMPARE(fieldText(&dialog, "xMinTxt"), QString("10"));
    QCOMPARE(plot->yAxis->scaleType(), QCPAxis::stLinear);

    // The two boxes are independent.
    yLog->click();
    QVERIFY(xLog->isChecked());
    QCOMPARE(plot->yAxis->scaleType(), QCPAxis::stLogarithmic);
    QCOMPARE(plot->yAxis->range(), QCPRange(1000, 5000));
    QCOMPARE(fieldText(&dialog, "yMinTxt"), QString("1000"));
    xLog->click();
    QCOMPARE(plot->xAxis->scaleType(), QCPAxis::stLinear);
    QCOMPARE(plot->yAxis->scaleType(), QCPAxis::stLogarithmic);
    QVERIFY(!qSharedPointerDynamicCast<QCPAxisTickerLog>(plot->xAxis->ticker()));

    // A typed 0 on a log axis shows the lower end the axis really takes.
    dialog.findChild<QLineEdit *>("yMinTxt")->setText("0");
    QTest::keyClick(dialog.findChild<QLineEdit *>("yMinTxt"), Qt::Key_Return);
    QVERIFY(plot->yAxis->range().lower > 0.0);
    QCOMPARE(fieldText(&dialog, "yMinTxt"), QString::number(plot->yAxis->range().lower, 'g', 6));
}

void CurvePlotDialogTest::enterAppliesTypedRanges()
{
    const TestSeries series(5, 1500, 4800);
    RateApproximation dialog(series.pointCount, series.time, series.rate, series.cumulative);
    plotData(dialog, "Production Rate");
    QCustomPlot *plot = plotOf(&dialog);
    QVERIFY(plot->interactions().testFlag(QCP::iRangeDrag));
    QVERIFY(plot->interactions().testFlag(QCP::iRangeZoom));
    const QPen pen = plot->graph(0)->pen();
    auto *xMax = dialog.findChild<QLineEdit *>("xMaxTxt");
    xMax->setText("25");
    QTest::keyClick(xMax, Qt::Key_Return);
    QCOMPARE(plot->xAxis->range(), QCPRange(0, 25));
    QCOMPARE(xMax->text(), QString("25"));
    // Enter pressed no button: the curve was not drawn again, the pen not set.
    QCOMPARE(plot->graph(0)->pen(), pen);

    // Dragging or zooming shows in the fields.
    plot->xAxis->setRange(5, 15);
    QCOMPARE(fieldText(&dialog, "xMinTxt"), QString("5"));
    QCOMPARE(fieldText(&dialog, "xMaxTxt"), QString("15"));
}

void CurvePlotDialogTest::unitsFollowTheProducedFluid_data()
{
    QTest::addColumn<int>("fluid");
    QTest::addColumn<QString>("rateLabel");
    QTest::addColumn<QString>("cumulativeLabel");
    QTest::newRow("gas") << int(ProducedFluid::Gas) << "Production Rate (Mscf/D)" << "Cumulative Production (Mscf)";
    QTest::newRow("oil") << int(ProducedFluid::Oil) << "Production Rate (STB/D)" << "Cumulative Production (STB)";
}

void CurvePlotDialogTest::unitsFollowTheProducedFluid()
{
    QFETCH(int, fluid);
    QFETCH(QString, rateLabel);
    QFETCH(QString, cumulativeLabel);
    const TestSeries series(5, 1500, 4800);
    RateApproximation dialog(series.pointCount, series.time, series.rate, series.cumulative);
    dialog.setProducedFluid(ProducedFluid(fluid));
    plotData(dialog, "Production Rate");
    QCOMPARE(plotOf(&dialog)->yAxis->label(), rateLabel);
    plotData(dialog, "Cumulative Production");
    QCOMPARE(plotOf(&dialog)->yAxis->label(), cumulativeLabel);
}

void CurvePlotDialogTest::observedPointsBesideTheForecast()
{
    const TestSeries series(5, 1500, 4800); // rates 1500 ... 1496 at days 10 ... 50
    ObservedProduction observed;
    observed.fileName = "field.csv";
    observed.day = {20, 35, 60};
    observed.rate = {1499 / 1.1, std::nan(""), 1400};
    observed.cumulative = {150, 330, 600};
    observed.bhp = {4700, 4650, std::nan("")};

    RateApproximation rate(series.pointCount, series.time, series.rate, series.cumulative);
    auto *misfit = rate.findChild<QLabel *>("misfitLabel");
    QVERIFY(misfit->text().isEmpty());
    plotData(rate, "Production Rate");
    QCustomPlot *plot = plotOf(&rate);
    QVERIFY(!plot->legend->visible());
    rate.setObserved(observed);
    // Only the day within the forecast's days counts: 10 % off.
    QCOMPARE(misfit->text(),
             QString("Rate misfit: 10.0 % (root mean square of the relative differences from 1 measured rates of "
                     "field.csv)"));
    QCOMPARE(plot->graph(1)->dataCount(), 2);
    QCOMPARE(plot->graph(1)->data()->at(1)->value, 1400.0);
    QVERIFY(plot->legend->visible());
    QCOMPARE(plot->xAxis->range(), QCPRange(0, 50));
    plotData(rate, "Cumulative Production");
    QCOMPARE(plot->graph(1)->dataCount(), 3);
    QCOMPARE(plot->yAxis->range(), QCPRange(0, 601));

    BHP pressure(series.pointCount, series.time, series.bhp);
    pressure.setObserved(observed);
    QCOMPARE(plotOf(&pressure)->graph(1)->dataCount(), 2);
    QVERIFY(plotOf(&pressure)->legend->visible());
    pressure.setObserved(ObservedProduction());
    QVERIFY(!plotOf(&pressure)->graph(1)->visible());
    QVERIFY(!plotOf(&pressure)->legend->visible());
}

void CurvePlotDialogTest::exportsWhatIsDrawn()
{
    const TestSeries series(2, 1500, 4800);
    ObservedProduction observed;
    observed.fileName = "field.csv";
    observed.day = {15};
    observed.rate = {1400};
    observed.cumulative = {std::nan("")};
    observed.bhp = {std::nan("")};
    RateApproximation rate(series.pointCount, series.time, series.rate, series.cumulative);
    rate.setObserved(observed);
    plotData(rate, "Production Rate");
    QTemporaryDir dir;
    const QString path = dir.filePath("rate.csv");
    QTimer::singleShot(0, [path] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept();
    });
    rate.findChild<QPushButton *>("ExportDataButton")->click();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), QString("Curve,Time (Days),Production Rate (Mscf/D)\n"
                                                        "Forecast,10,1500\nForecast,20,1499\n"
                                                        "Observed,15,1400\n"));
}

void CurvePlotDialogTest::setAppliesRangesAndPen_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("color");
    QTest::addColumn<QString>("style");
    QTest::addColumn<int>("penWidth");
    QTest::addColumn<QColor>("penColor");
    QTest::addColumn<int>("penStyle");
    QTest::newRow("thinnest blue") << "0.5" << "Blue" << "Solid" << 0 << QColor(Qt::blue)
                                   << int(Qt::SolidLine);
    QTest::newRow("3 red dash") << "3" << "Red" << "Dash" << 3 << QColor(Qt::red)
                                << int(Qt::DashLine);
    QTest::newRow("5 magenta dot") << "5" << "Magenta" << "Dot" << 5 << QColor(Qt::magenta)
                                   << int(Qt::DotLine);
    QTest::newRow("1 cyan") << "1" << "Cyan" << "Solid" << 1 << QColor(Qt::cyan)
                            << int(Qt::SolidLine);
}

void CurvePlotDialogTest::setAppliesRangesAndPen()
{
    QFETCH(QString, width);
    QFETCH(QString, color);
    QFETCH(QString, style);
    QFETCH(int, penWidth);
    QFETCH(QColor, penColor);
    QFETCH(int, penStyle);
    const TestSeries series(5, 1500, 4800);
    BHP dialog(series.pointCount, series.time, series.bhp);
    dialog.findChild<QLineEdit *>("xMinTxt")->setText("5");
    dialog.findChild<QLineEdit *>("xMaxTxt")->setText("50.250");
    dialog.findChild<QLineEdit *>("yMinTxt")->setText("1000");
    dialog.findChild<QLineEdit *>("yMaxTxt")->setText("6000");
    choose(&dialog, "LinWidCombo", width);
    choose(&dialog, "LinColCombo", color);
    choose(&dialog, "LinStyleCombo", style);
    dialog.findChild<QPushButton *>("RangeButton")->click();

    QCustomPlot *plot = plotOf(&dialog);
    QCOMPARE(plot->xAxis->range(), QCPRange(5, 50.25));
    QCOMPARE(plot->xAxis2->range(), QCPRange(5, 50.25));
    QCOMPARE(plot->yAxis->range(), QCPRange(1000, 6000));
    QCOMPARE(fieldText(&dialog, "xMaxTxt"), QString("50.25"));
    const QPen pen = plot->graph(0)->pen();
    QCOMPARE(pen.width(), penWidth);
    QCOMPARE(pen.color(), penColor);
    QCOMPARE(int(pen.style()), penStyle);
}

void CurvePlotDialogTest::penChosenBeforePlotIsUsedByIt()
{
    const TestSeries series(5, 1500, 4800);
    RateApproximation dialog(series.pointCount, series.time, series.rate, series.cumulative);
    choose(&dialog, "LinColCombo", "Green");
    choose(&dialog, "LinWidCombo", "2");
    dialog.findChild<QPushButton *>("RangeButton")->click();
    QCOMPARE(plotOf(&dialog)->graphCount(), 0);

    plotData(dialog, "Cumulative Production");
    QCOMPARE(plotOf(&dialog)->graph(0)->pen().color(), QColor(Qt::green));
    QCOMPARE(plotOf(&dialog)->graph(0)->pen().width(), 2);
    // Plotting again keeps the pen and resets the ranges.
    plotData(dialog, "Production Rate");
    QCOMPARE(plotOf(&dialog)->graph(0)->pen().color(), QColor(Qt::green));
    QCOMPARE(plotOf(&dialog)->yAxis->range(), QCPRange(0, 1501));
}

void CurvePlotDialogTest::savesScreenshots()
{
    TestSeries series(100, 1500, 4800);
    for (int n = 0; n < series.pointCount; ++n) {
        series.rate[n] = 1500.0 / std::sqrt(1.0 + n);
        series.bhp[n] = 4800.0 - 2500.0 * (1.0 - std::exp(-n / 20.0));
    }
    RateApproximation rate(series.pointCount, series.time, series.rate, series.cumulative);
    plotData(rate, "Production Rate");
    rate.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rate));
    QVERIFY(saveScreenshot(&rate, "rateapproximation"));

    BHP pressure(series.pointCount, series.time, series.bhp);
    pressure.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pressure));
    QVERIFY(saveScreenshot(&pressure, "bhp"));
}

QTEST_MAIN(CurvePlotDialogTest)
#include "tst_curve_plot_dialogs.moc"
