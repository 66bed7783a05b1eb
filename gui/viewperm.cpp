#include "viewperm.h"

#include "ui_viewperm.h"

Viewperm::Viewperm(const LayerMapSource &source, const QString &title, const QString &scaleLabel,
                   QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::Viewperm>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
                   | Qt::WindowCloseButtonHint);
    view = std::make_unique<LayerMapView>(ui->widget, source, scaleLabel);
    setUpLayerSpin(ui->LayerSpin, source.nz);
    // Permeability spans decades: open in logarithmic colouring, as the checked Log10 says.
    emit ui->LogButton->clicked(true);
    setWindowTitle(title);
}

Viewperm::~Viewperm() = default;

void Viewperm::on_LogButton_clicked()
{
    view->setLogarithmic(true);
}

void Viewperm::on_Normal_clicked()
{
    view->setLogarithmic(false);
}

void Viewperm::on_LevelsButton_clicked()
{
    view->setLevelCount(ui->LevelSpin->value());
}

void Viewperm::on_LayerSpin_valueChanged(int arg1)
{
    view->showLayer(arg1);
}

void Viewperm::on_RangeButton_clicked()
{
    view->setDataRange(ui->xMinTxt->text(), ui->xMaxTxt->text());
}
