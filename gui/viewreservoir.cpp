#include "viewreservoir.h"

#include "ui_viewreservoir.h"

viewreservoir::viewreservoir(const LayerMapSource &source, const QString &title,
                             const QString &scaleLabel, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::viewreservoir>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
                   | Qt::WindowCloseButtonHint);
    view = std::make_unique<LayerMapView>(ui->widget, source, scaleLabel);
    setUpLayerSpin(ui->LayerSpin, source.nz);
    setWindowTitle(title);
}

viewreservoir::~viewreservoir() = default;

void viewreservoir::on_LogButton_clicked()
{
    view->setLogarithmic(true);
}

void viewreservoir::on_Normal_clicked()
{
    view->setLogarithmic(false);
}

void viewreservoir::on_LevelsButton_clicked()
{
    view->setLevelCount(ui->LevelSpin->value());
}

void viewreservoir::on_LayerSpin_valueChanged(int arg1)
{
    view->showLayer(arg1);
}

void viewreservoir::on_RangeButton_clicked()
{
    view->setDataRange(ui->xMinTxt->text(), ui->xMaxTxt->text());
}
