#include "curve_plot.h"

#include <algorithm>
#include <cmath>

#include <QComboBox>
#include <QDir>
#include <QDoubleValidator>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QSaveFile>
#include <qcustomplot.h>

#include "axis_scale.h"

namespace {

// What the range fields accept once a curve is drawn: non-negative numbers, 5 decimals.
constexpr double FIELD_BOTTOM = 0.0;
constexpr double FIELD_TOP = 9999999999.0;
constexpr int FIELD_DECIMALS = 5;

// Size in pixels of a measured point.
constexpr double OBSERVED_POINT_SIZE = 6.0;

// Digits of the numbers in an exported file: those of the result files.
constexpr int EXPORT_DIGITS = 10;

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

// The points of curve that have a value.
CurvePoints measured(const CurvePoints &curve)
{
    CurvePoints points;
    for (int n = 0; n < curve.x.size(); ++n)
        if (!std::isnan(curve.y[n])) {
            points.x << curve.x[n];
            points.y << curve.y[n];
        }
    return points;
}

// A CSV field: quoted when it holds a separator or a quote.
QString csvField(QString text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')))
        return text;
    return QLatin1Char('"') + text.replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
}

// The smallest positive value of the graphs on axis, or 0 when there is none.
double smallestPositive(QCustomPlot *plot, QCPAxis *axis)
{
    double smallest = 0.0;
    for (int g = 0; g < plot->graphCount(); ++g) {
        QCPGraph *graph = plot->graph(g);
        const bool onKeys = graph->keyAxis() == axis;
        if (!onKeys && graph->valueAxis() != axis)
            continue;
        for (const QCPGraphData &point : *graph->data()) {
            const double value = onKeys ? point.key : point.value;
            if (value > 0.0 && (smallest == 0.0 || value < smallest))
                smallest = value;
        }
    }
    return smallest;
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

CurvePlot::CurvePlot(const CurvePlotForm &form) : form(form)
{
    QCustomPlot *plot = form.plot;
    plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    // Top and right axes that follow bottom and left; the fields follow the ranges in use.
    plot->xAxis2->setVisible(true);
    plot->xAxis2->setTickLabels(false);
    plot->yAxis2->setVisible(true);
    plot->yAxis2->setTickLabels(false);
    QObject::connect(plot->xAxis, SIGNAL(rangeChanged(QCPRange)), plot->xAxis2, SLOT(setRange(QCPRange)));
    QObject::connect(plot->yAxis, SIGNAL(rangeChanged(QCPRange)), plot->yAxis2, SLOT(setRange(QCPRange)));
    for (QCPAxis *axis : {plot->xAxis, plot->yAxis})
        connections.push_back(QObject::connect(axis, QOverload<const QCPRange &>::of(&QCPAxis::rangeChanged),
                                               [this] { showRanges(); }));
    for (QLineEdit *field : {form.xMinTxt, form.xMaxTxt, form.yMinTxt, form.yMaxTxt})
        connections.push_back(QObject::connect(field, &QLineEdit::returnPressed, [this] { applyRanges(); }));
}

CurvePlot::~CurvePlot()
{
    // The plot and the fields outlive the curve inside their dialog.
    for (const QMetaObject::Connection &connection : connections)
        QObject::disconnect(connection);
}

void CurvePlot::draw(const CurvePoints &forecast, const CurvePoints &observed, const QString &yLabel,
                     double yHeadroom)
{
    QCustomPlot *plot = form.plot;
    const CurvePoints measuredPoints = measured(observed);
    // (1) Limits: the last time and the largest value with some headroom above the curve.
    const double xTop = nonZeroTop(forecast.x.isEmpty() ? 0.0 : forecast.x.last());
    const double yTop = axisTop(forecast.y + measuredPoints.y, yHeadroom);

    // (2) Once: field validators.
    if (!validatorsSet) {
        for (QLineEdit *field : {form.xMinTxt, form.xMaxTxt, form.yMinTxt, form.yMaxTxt})
            field->setValidator(new QDoubleValidator(FIELD_BOTTOM, FIELD_TOP, FIELD_DECIMALS, field));
        validatorsSet = true;
    }

    // (3) The curve; a new graph takes a pen chosen with "Set" before it existed. The
    // measured points beside it, and a legend to tell the two apart.
    if (plot->graphCount() == 0) {
        plot->addGraph()->setName(QObject::tr("Forecast"));
        if (penChosen)
            plot->graph(0)->setPen(curvePen);
        QCPGraph *points = plot->addGraph();
        points->setName(QObject::tr("Observed"));
        points->setLineStyle(QCPGraph::lsNone);
        points->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, Qt::black, OBSERVED_POINT_SIZE));
    }
    plot->graph(0)->setData(forecast.x, forecast.y);
    plot->graph(1)->setData(measuredPoints.x, measuredPoints.y);
    const bool withObserved = !measuredPoints.x.isEmpty();
    plot->graph(1)->setVisible(withObserved);
    if (withObserved)
        plot->graph(1)->addToLegend();
    else
        plot->graph(1)->removeFromLegend();
    plot->legend->setVisible(withObserved);

    // (4) Labels and ranges; the fields follow.
    plot->xAxis->setLabel("Time (Days)");
    plot->yAxis->setLabel(yLabel);
    plot->xAxis->setRange(0.0, xTop);
    plot->yAxis->setRange(0.0, yTop);
    showRanges();
    plot->replot();
}

void CurvePlot::setLogarithmic(Qt::Orientation axis, bool logarithmic)
{
    QCustomPlot *plot = form.plot;
    // The mirroring top or right axis goes along, so that the ticks of the box match.
    const bool horizontal = axis == Qt::Horizontal;
    QCPAxis *main = horizontal ? plot->xAxis : plot->yAxis;
    // The range before the switch: a log axis puts a lower end of 0 at a thousandth of the upper.
    const QCPRange range = main->range();
    for (QCPAxis *each : {main, horizontal ? plot->xAxis2 : plot->yAxis2})
        setAxisScale(each, logarithmic);
    const double smallest = smallestPositive(plot, main);
    if (logarithmic && range.lower <= 0.0 && smallest > 0.0 && smallest < range.upper)
        main->setRange(std::pow(10.0, std::floor(std::log10(smallest))), range.upper);
    showRanges();
    plot->replot();
}

void CurvePlot::applyRanges()
{
    // All four read before either axis changes, as a change rewrites the fields.
    QCustomPlot *plot = form.plot;
    const QCPRange x(form.xMinTxt->text().toDouble(), form.xMaxTxt->text().toDouble());
    const QCPRange y(form.yMinTxt->text().toDouble(), form.yMaxTxt->text().toDouble());
    plot->xAxis->setRange(x);
    plot->yAxis->setRange(y);
    showRanges();
    plot->replot();
}

void CurvePlot::applySettings()
{
    // (1) Ranges as typed, written back as the numbers in use.
    applyRanges();

    // (2) The pen: whole pixels, so "0.5" is width 0, the thinnest cosmetic line.
    curvePen.setWidth(form.lineWidthCombo->currentText().toInt());
    curvePen.setColor(lineColor(form.lineColorCombo->currentText()));
    curvePen.setStyle(lineStyle(form.lineStyleCombo->currentText()));
    penChosen = true;
    if (form.plot->graphCount() > 0)
        form.plot->graph(0)->setPen(curvePen);
    form.plot->replot();
}

QString CurvePlot::exportData(const QString &path) const
{
    QCustomPlot *plot = form.plot;
    QString text = QStringLiteral("Curve,%1,%2\n").arg(csvField(plot->xAxis->label()), csvField(plot->yAxis->label()));
    for (int g = 0; g < plot->graphCount(); ++g) {
        QCPGraph *graph = plot->graph(g);
        if (!graph->visible())
            continue;
        for (const QCPGraphData &point : *graph->data())
            text += QStringLiteral("%1,%2,%3\n")
                        .arg(csvField(graph->name()), QString::number(point.key, 'g', EXPORT_DIGITS),
                             QString::number(point.value, 'g', EXPORT_DIGITS));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text) || file.write(text.toUtf8()) < 0 || !file.commit())
        return QStringLiteral("%1 cannot be written: %2").arg(QDir::toNativeSeparators(path), file.errorString());
    return QString();
}

void CurvePlot::showRanges()
{
    const QCPRange x = form.plot->xAxis->range();
    const QCPRange y = form.plot->yAxis->range();
    form.xMinTxt->setText(fieldText(x.lower));
    form.xMaxTxt->setText(fieldText(x.upper));
    form.yMinTxt->setText(fieldText(y.lower));
    form.yMaxTxt->setText(fieldText(y.upper));
}

void exportCurveDataAs(const CurvePlot &curve, QWidget *parent)
{
    QString path = QFileDialog::getSaveFileName(parent, QObject::tr("Export Data"), QString(),
                                                QObject::tr("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    const QString failure = curve.exportData(path);
    if (!failure.isEmpty())
        QMessageBox::critical(parent, QObject::tr("Error!"), failure);
}
