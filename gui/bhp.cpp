#include "bhp.h"

#include "dialog_keys.h"
#include "plot_picture.h"
#include "ui_bhp.h"

namespace {

// Room above the largest pressure, so that the curve's start is not drawn on the frame.
constexpr double BHP_HEADROOM = 200.0;

const char BHP_LABEL[] = "Bottomhole Pressure (psia)";

} // namespace

BHP::BHP(int pointCount, const double *time, const double *bottomHolePressure, QWidget *parent)
    : QDialog(parent),
      ui(std::make_unique<Ui::BHP>()),
      time(copySeries(time, pointCount)),
      bottomHolePressure(copySeries(bottomHolePressure, pointCount))
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
                   | Qt::WindowCloseButtonHint);
    curve = std::make_unique<CurvePlot>(CurvePlotForm{ui->widget, ui->xMinTxt, ui->xMaxTxt,
                                                      ui->yMinTxt, ui->yMaxTxt, ui->LinWidCombo,
                                                      ui->LinColCombo, ui->LinStyleCombo});
    keepEnterInFields(this);
    curve->draw({this->time, this->bottomHolePressure}, {}, BHP_LABEL, BHP_HEADROOM);
    setWindowTitle(tr("BottomHole Pressure"));
}

BHP::~BHP() = default;

void BHP::setObserved(const ObservedProduction &production)
{
    curve->draw({time, bottomHolePressure}, {production.day, production.bhp}, BHP_LABEL, BHP_HEADROOM);
}

void BHP::on_xLogRadio_clicked()
{
    curve->setLogarithmic(Qt::Horizontal, ui->xLogRadio->isChecked());
}

void BHP::on_yLogRadio_clicked()
{
    curve->setLogarithmic(Qt::Vertical, ui->yLogRadio->isChecked());
}

void BHP::on_RangeButton_clicked()
{
    curve->applySettings();
}

void BHP::on_SavePictureButton_clicked()
{
    savePlotPictureAs(ui->widget, this);
}

void BHP::on_CopyButton_clicked()
{
    copyPlotPicture(ui->widget);
}

void BHP::on_ExportDataButton_clicked()
{
    exportCurveDataAs(*curve, this);
}
