#include "viewreservoir.h"

#include "dialog_keys.h"
#include "plot_picture.h"
#include "ui_viewreservoir.h"

viewreservoir::viewreservoir(const LayerMapSource &source, const QString &title,
                             const QString &scaleLabel, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::viewreservoir>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
                   | Qt::WindowCloseButtonHint);
    view = std::make_unique<LayerMapView>(
        LayerMapForm{ui->widget, ui->xMinTxt, ui->xMaxTxt, ui->statusLine}, source, scaleLabel);
    keepEnterInFields(this);
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
    view->applyTypedRange();
}

void viewreservoir::on_FitButton_clicked()
{
    view->fitToData();
}

void viewreservoir::on_ResetViewButton_clicked()
{
    view->resetView();
}

void viewreservoir::on_SavePictureButton_clicked()
{
    savePlotPictureAs(ui->widget, this);
}

void viewreservoir::on_CopyButton_clicked()
{
    copyPlotPicture(ui->widget);
}

void viewreservoir::setReports(MapReports mapReports)
{
    reports = std::move(mapReports);
    ui->ReportGroup->setVisible(!reports.labels.isEmpty());
    const QSignalBlocker quiet(ui->ReportSlider);
    ui->ReportSlider->setRange(0, std::max(int(reports.labels.size()) - 1, 0));
    ui->ReportSlider->setValue(reports.shown);
    ui->ReportLabel->setText(reports.labels.value(reports.shown));
}

void viewreservoir::on_ReportSlider_valueChanged(int value)
{
    CellArray values = reports.load ? reports.load(value) : nullptr;
    if (!values) {
        ui->ReportLabel->setText(tr("%1 cannot be read.").arg(reports.labels.value(value)));
        return;
    }
    reportValues = std::move(values);
    view->setValues(reportValues->data());
    ui->ReportLabel->setText(reports.labels.value(value));
}
