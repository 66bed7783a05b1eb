#ifndef VELDRA_RATEAPPROXIMATION_H
#define VELDRA_RATEAPPROXIMATION_H

#include <memory>

#include <QDialog>
#include <QVector>

#include "curve_plot.h"
#include "observed_production.h"
#include "produced_fluid.h"

namespace Ui {
class RateApproximation;
}

// Production rate or cumulative production against time, chosen in the dialog, with the
// measured production beside it; nothing is drawn until "Plot".
class RateApproximation : public QDialog
{
    Q_OBJECT

public:
    // Copies the first pointCount entries of time (days), rate and cumulative; each array
    // holds at least pointCount values (the main window's 1000-slot series will do). A
    // negative pointCount counts as 0. The window title is "Rate Approximation"; parent is
    // the main window; the dialog is modeless, the caller shows it.
    RateApproximation(int pointCount, const double *time, const double *rate,
                      const double *cumulative, QWidget *parent = nullptr);
    ~RateApproximation() override;

    // The fluid whose units label the y axis (gas, Mscf/D and Mscf, until told otherwise).
    void setProducedFluid(ProducedFluid fluid);

public slots:
    // Draws the measured rates or volumes beside the curve shown (and with every later one)
    // and shows the rate misfit under the plot; an empty one takes them away.
    void setObserved(const ObservedProduction &production);

private slots:
    void on_PlotButton_clicked();
    void on_xLogRadio_clicked();
    void on_yLogRadio_clicked();
    void on_RangeButton_clicked();
    void on_SavePictureButton_clicked();
    void on_CopyButton_clicked();
    void on_ExportDataButton_clicked();

private:
    void showMisfit();

    std::unique_ptr<Ui::RateApproximation> ui;
    std::unique_ptr<CurvePlot> curve;
    QVector<double> time;
    QVector<double> rate;
    QVector<double> cumulative;
    ProducedFluid fluid = ProducedFluid::Gas;
    ObservedProduction observed;
    bool drawn = false;
};

#endif // VELDRA_RATEAPPROXIMATION_H
