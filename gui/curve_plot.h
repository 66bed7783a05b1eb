#ifndef VELDRA_CURVE_PLOT_H
#define VELDRA_CURVE_PLOT_H

#include <QPen>
#include <QString>
#include <QVector>

class QComboBox;
class QCustomPlot;
class QLineEdit;

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

// The first count values of series (count below 0 counts as 0); series holds at least count.
QVector<double> copySeries(const double *series, int count);

// Upper end of an axis that starts at 0: the largest value plus headroom, and 1 where that
// comes out 0 (or where there are no values at all), so that the range never collapses.
double axisTop(const QVector<double> &values, double headroom);

// One production curve against time with typed axis ranges, log axes and a chosen pen:
// what the rate and bottom-hole-pressure dialogs share.
class CurvePlot
{
public:
    explicit CurvePlot(const CurvePlotForm &form);

    // Draws value against time (days, increasing; both of one length) as the plot's first
    // graph, labels the axes "Time (Days)" and yLabel, sets the ranges to 0 ... last time and
    // 0 ... axisTop(value, yHeadroom) and writes them into the fields. Replots.
    void draw(const QVector<double> &time, const QVector<double> &value, const QString &yLabel,
              double yHeadroom);
    // Switches the bottom (Qt::Horizontal) or left (Qt::Vertical) axis to a base-10
    // logarithmic or a linear scale. Replots.
    void setLogarithmic(Qt::Orientation axis, bool logarithmic);
    // "Set": takes the ranges from the four fields (text that is no number is 0), writes them
    // back, and gives the curve the pen chosen in the three combo boxes; before the first
    // draw the pen is kept for it. Replots.
    void applySettings();

private:
    CurvePlotForm form;
    QPen curvePen;
    bool penChosen = false;
    bool axesSetUp = false;
};

#endif // VELDRA_CURVE_PLOT_H
