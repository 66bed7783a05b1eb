#include "viewperm.h"

#include "dialog_keys.h"
#include "plot_picture.h"
#include "ui_viewperm.h"

Viewperm::Viewperm(const LayerMapSource &source, const QString &title, const QString &scaleLabel,
                   QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::Viewperm>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
                   | Qt::WindowCloseButtonHint);
    view = std::make_unique<LayerMapView>(
        LayerMapForm{ui->widget, ui->xMinTxt, ui->xMaxTxt, ui->statusLine}, source, scaleLabel);
    keepEnterInFields(this);
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
    view->applyTypedRange();
}

void Viewperm::on_FitButton_clicked()
{
    view->fitToData();
}

void Viewperm::on_ResetViewButton_clicked()
{
    view->resetView();
}

void Viewperm::on_SavePictureButton_clicked()
{
    savePlotPictureAs(ui->widget, this);
}

void Viewperm::on_CopyButton_clicked()
{
    copyPlotPicture(ui->widget);
}
