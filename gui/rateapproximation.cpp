#include "rateapproximation.h"

#include <QMessageBox>

#include "dialog_keys.h"
#include "plot_picture.h"
#include "rate_misfit.h"
#include "ui_rateapproximation.h"

namespace {

// Room above the largest value, so that the curve's peak is not drawn on the frame.
constexpr double RATE_HEADROOM = 1.0;

} // namespace

RateApproximation::RateApproximation(int pointCount, const double *time, const double *rate,
                                     const double *cumulative, QWidget *parent)
    : QDialog(parent),
      ui(std::make_unique<Ui::RateApproximation>()),
      time(copySeries(time, pointCount)),
      rate(copySeries(rate, pointCount)),
      cumulative(copySeries(cumulative, pointCount))
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
                   | Qt::WindowCloseButtonHint);
    curve = std::make_unique<CurvePlot>(CurvePlotForm{ui->widget, ui->xMinTxt, ui->xMaxTxt,
                                                      ui->yMinTxt, ui->yMaxTxt, ui->LinWidCombo,
                                                      ui->LinColCombo, ui->LinStyleCombo});
    keepEnterInFields(this);
    setWindowTitle(tr("Rate Approximation"));
}

RateApproximation::~RateApproximation() = default;

void RateApproximation::setProducedFluid(ProducedFluid producedFluid)
{
    fluid = producedFluid;
}

void RateApproximation::setObserved(const ObservedProduction &production)
{
    observed = production;
    showMisfit();
    if (drawn)
        on_PlotButton_clicked();
}

void RateApproximation::on_PlotButton_clicked()
{
    const bool gas = fluid == ProducedFluid::Gas;
    const QString data = ui->DataCombo->currentText();
    if (data == "Production Rate")
        curve->draw({time, rate}, {observed.day, observed.rate},
                    gas ? "Production Rate (Mscf/D)" : "Production Rate (STB/D)", RATE_HEADROOM);
    else if (data == "Cumulative Production")
        curve->draw({time, cumulative}, {observed.day, observed.cumulative},
                    gas ? "Cumulative Production (Mscf)" : "Cumulative Production (STB)", RATE_HEADROOM);
    else {
        QMessageBox::critical(this, tr("Error!"), "Please select appropriate data to plot");
        return;
    }
    drawn = true;
}

void RateApproximation::on_xLogRadio_clicked()
{
    curve->setLogarithmic(Qt::Horizontal, ui->xLogRadio->isChecked());
}

void RateApproximation::on_yLogRadio_clicked()
{
    curve->setLogarithmic(Qt::Vertical, ui->yLogRadio->isChecked());
}

void RateApproximation::on_RangeButton_clicked()
{
    curve->applySettings();
}

void RateApproximation::on_SavePictureButton_clicked()
{
    savePlotPictureAs(ui->widget, this);
}

void RateApproximation::on_CopyButton_clicked()
{
    copyPlotPicture(ui->widget);
}

void RateApproximation::on_ExportDataButton_clicked()
{
    exportCurveDataAs(*curve, this);
}

void RateApproximation::showMisfit()
{
    if (observed.isEmpty()) {
        ui->misfitLabel->clear();
        return;
    }
    const RateMisfit misfit = rateMisfit(time, rate, observed.day, observed.rate);
    if (misfit.pointCount == 0)
        ui->misfitLabel->setText(tr("Rate misfit: no measured rate of %1 lies within the forecast's days.")
                                     .arg(observed.fileName));
    else
        ui->misfitLabel->setText(tr("Rate misfit: %1 % (root mean square of the relative differences from "
                                    "%2 measured rates of %3)")
                                     .arg(100.0 * misfit.rms, 0, 'f', 1)
                                     .arg(misfit.pointCount)
                                     .arg(observed.fileName));
}
