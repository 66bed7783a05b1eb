#include "curve_plot.h"

#include <algorithm>

#include <QComboBox>
#include <QDoubleValidator>
#include <QLineEdit>
#include <qcustomplot.h>

#include "axis_scale.h"

namespace {

// What the range fields accept once a curve is drawn: non-negative numbers, 5 decimals.
constexpr double FIELD_BOTTOM = 0.0;
constexpr double FIELD_TOP = 9999999999.0;
constexpr int FIELD_DECIMALS = 5;

// How a limit is written into its field.
QString fieldText(double value)
{
    return QString::number(value, 'g', 6);
}

// A top of 0 would collapse the axis 0 ... top to a point.
double nonZeroTop(double top)
{
    return top == 0.0 ? 1.0 : top;
}

QColor lineColor(const QString &name)
{
    static const QHash<QString, QColor> colors = {
        {"Blue", Qt::blue},   {"Red", Qt::red},   {"Green", Qt::green},
        {"Black", Qt::black}, {"Cyan", Qt::cyan}, {"Magenta", Qt::magenta},
    };
    return colors.value(name, Qt::blue);
}

Qt::PenStyle lineStyle(const QString &name)
{
    static const QHash<QString, Qt::PenStyle> styles = {
        {"Solid", Qt::SolidLine}, {"Dash", Qt::DashLine}, {"Dot", Qt::DotLine},
    };
    return styles.value(name, Qt::SolidLine);
}

} // namespace

QVector<double> copySeries(const double *series, int count)
{
    if (count <= 0)
        return {};
    return QVector<double>(series, series + count);
}

double axisTop(const QVector<double> &values, double headroom)
{
    if (values.isEmpty())
        return 1.0;
    return nonZeroTop(*std::max_element(values.begin(), values.end()) + headroom);
}

CurvePlot::CurvePlot(const CurvePlotForm &form) : form(form) {}

void CurvePlot::draw(const QVector<double> &time, const QVector<double> &value,
                     const QString &yLabel, double yHeadroom)
{
    QCustomPlot *plot = form.plot;
    // (1) Limits: the last time and the largest value with some headroom above the curve.
    const double xTop = nonZeroTop(time.isEmpty() ? 0.0 : time.last());
    const double yTop = axisTop(value, yHeadroom);

    // (2) Once: field validators, and top and right axes that follow bottom and left.
    if (!axesSetUp) {
        for (QLineEdit *field : {form.xMinTxt, form.xMaxTxt, form.yMinTxt, form.yMaxTxt})
            field->setValidator(
                new QDoubleValidator(FIELD_BOTTOM, FIELD_TOP, FIELD_DECIMALS, field));
        plot->xAxis2->setVisible(true);
        plot->xAxis2->setTickLabels(false);
        plot->yAxis2->setVisible(true);
        plot->yAxis2->setTickLabels(false);
        QObject::connect(plot->xAxis, SIGNAL(rangeChanged(QCPRange)), plot->xAxis2,
                         SLOT(setRange(QCPRange)));
        QObject::connect(plot->yAxis, SIGNAL(rangeChanged(QCPRange)), plot->yAxis2,
                         SLOT(setRange(QCPRange)));
        axesSetUp = true;
    }

    // (3) The curve; a new graph takes a pen chosen with "Set" before it existed.
    if (plot->graphCount() == 0) {
        plot->addGraph();
        if (penChosen)
            plot->graph(0)->setPen(curvePen);
    }
    plot->graph(0)->setData(time, value);

    // (4) Labels, ranges and the fields that show them.
    plot->xAxis->setLabel("Time (Days)");
    plot->yAxis->setLabel(yLabel);
    plot->xAxis->setRange(0.0, xTop);
    plot->yAxis->setRange(0.0, yTop);
    form.xMinTxt->setText(fieldText(0.0));
    form.xMaxTxt->setText(fieldText(xTop));
    form.yMinTxt->setText(fieldText(0.0));
    form.yMaxTxt->setText(fieldText(yTop));
    plot->replot();
}

void CurvePlot::setLogarithmic(Qt::Orientation axis, bool logarithmic)
{
    QCustomPlot *plot = form.plot;
    // The mirroring top or right axis goes along, so that the ticks of the box match.
    const bool horizontal = axis == Qt::Horizontal;
    for (QCPAxis *each : {horizontal ? plot->xAxis : plot->yAxis,
                          horizontal ? plot->xAxis2 : plot->yAxis2})
        setAxisScale(each, logarithmic);
    plot->replot();
}

void CurvePlot::applySettings()
{
    QCustomPlot *plot = form.plot;
    // (1) Ranges as typed, written back as numbers.
    const double xMin = form.xMinTxt->text().toDouble();
    const double xMax = form.xMaxTxt->text().toDouble();
    const double yMin = form.yMinTxt->text().toDouble();
    const double yMax = form.yMaxTxt->text().toDouble();
    plot->xAxis->setRange(xMin, xMax);
    plot->yAxis->setRange(yMin, yMax);
    form.xMinTxt->setText(fieldText(xMin));
    form.xMaxTxt->setText(fieldText(xMax));
    form.yMinTxt->setText(fieldText(yMin));
    form.yMaxTxt->setText(fieldText(yMax));

    // (2) The pen: whole pixels, so "0.5" is width 0, the thinnest cosmetic line.
    curvePen.setWidth(form.lineWidthCombo->currentText().toInt());
    curvePen.setColor(lineColor(form.lineColorCombo->currentText()));
    curvePen.setStyle(lineStyle(form.lineStyleCombo->currentText()));
    penChosen = true;
    if (plot->graphCount() > 0)
        plot->graph(0)->setPen(curvePen);
    plot->replot();
}
