#include "rateapproximation.h"

#include <QMessageBox>

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
    setWindowTitle(tr("Rate Approximation"));
}

RateApproximation::~RateApproximation() = default;

void RateApproximation::on_PlotButton_clicked()
{
    const QString data = ui->DataCombo->currentText();
    if (data == "Production Rate")
        curve->draw(time, rate, "Production Rate (Mscf/D)", RATE_HEADROOM);
    else if (data == "Cumulative Production")
        curve->draw(time, cumulative, "Cumulative Production (Mscf)", RATE_HEADROOM);
    else
        QMessageBox::critical(this, tr("Error!"), "Please select appropriate data to plot");
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
