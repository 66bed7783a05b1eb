#ifndef VELDRA_CURVE_PLOT_H
#define VELDRA_CURVE_PLOT_H

#include <QMetaObject>
#include <QPen>
#include <QString>
#include <QVector>

#include <vector>

class QComboBox;
class QCustomPlot;
class QLineEdit;
class QWidget;

// The controls of a curve plot dialog that the curve plot reads and writes.
struct CurvePlotForm
{
    QCustomPlot *plot = nullptr;
    QLineEdit *xMinTxt = nullptr;
    QLineEdit *xMaxTxt = nullptr;
    QLineEdit *yMinTxt = nullptr;
    QLineEdit *yMaxTxt = nullptr;
    QComboBox *lineWidthCombo = nullptr;
    QComboBox *lineColorCombo = nullptr;
    QComboBox *lineStyleCombo = nullptr;
};

// Points of one curve: x and y of one length.
struct CurvePoints
{
    QVector<double> x;
    QVector<double> y;
};

// The first count values of series (count below 0 counts as 0); series holds at least count.
QVector<double> copySeries(const double *series, int count);

// Upper end of an axis that starts at 0: the largest value plus headroom, and 1 where that
// comes out 0 (or where there are no values at all), so that the range never collapses.
double axisTop(const QVector<double> &values, double headroom);

// One production curve against time with typed axis ranges, log axes and a chosen pen, and the
// measured points beside it: what the rate and bottom-hole-pressure dialogs share. The range
// fields always show the ranges in use; Enter in one of them applies the four; the plot can be
// dragged and zoomed with the mouse.
class CurvePlot
{
public:
    explicit CurvePlot(const CurvePlotForm &form);
    ~CurvePlot();

    // Draws forecast (x: days, increasing) as the plot's first graph and the measured points,
    // those with a value, as the second ("Observed"), with a legend when there are both.
    // Labels the axes "Time (Days)" and yLabel and sets the ranges to 0 ... last day and
    // 0 ... axisTop(all values, yHeadroom). Replots.
    void draw(const CurvePoints &forecast, const CurvePoints &observed, const QString &yLabel, double yHeadroom);
    // Switches the bottom (Qt::Horizontal) or left (Qt::Vertical) axis to a base-10
    // logarithmic or a linear scale. A log axis that would start at 0 or below starts at the
    // decade below the smallest positive value drawn on it. Replots.
    void setLogarithmic(Qt::Orientation axis, bool logarithmic);
    // Takes the ranges from the four fields (text that is no number is 0). Replots.
    void applyRanges();
    // "Set": applyRanges, and gives the curve the pen chosen in the three combo boxes; before
    // the first draw the pen is kept for it. Replots.
    void applySettings();
    // Writes what is drawn as CSV to path, whole or not at all: a header line "Curve", the x
    // and the y label, then one line per point of each curve. Returns an empty text on
    // success, else what went wrong.
    QString exportData(const QString &path) const;

private:
    void showRanges();

    CurvePlotForm form;
    QPen curvePen;
    bool penChosen = false;
    bool validatorsSet = false;
    std::vector<QMetaObject::Connection> connections;
};

// Asks where to export the curves of plot as CSV and writes them; a failure is reported in a
// message box, cancelling writes nothing.
void exportCurveDataAs(const CurvePlot &curve, QWidget *parent);

#endif // VELDRA_CURVE_PLOT_H
