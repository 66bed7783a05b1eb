#ifndef VELDRA_VIEWRESERVOIR_H
#define VELDRA_VIEWRESERVOIR_H

#include <memory>

#include <QDialog>

#include "cell_array.h"
#include "layer_map.h"

#include <functional>

#include <QStringList>

// The maps of one quantity at several report times, such as the pressure maps of a run.
struct MapReports
{
    QStringList labels;                  // what each report is, for the user
    int shown = 0;                       // the report shown at opening: the view's source values
    std::function<CellArray(int)> load;  // the values of report n, or null when they cannot be read
};

namespace Ui {
class viewreservoir;
}

// Layer map of porosity or of a result array (tau, time, pressure), layer by layer; opens in
// linear colouring.
class viewreservoir : public QDialog
{
    Q_OBJECT

public:
    // Shows layer 1 of source.values (see LayerMapSource for the arrays, which are not copied
    // and must outlive the dialog).
    //   title       window title, already translated ("Porosity", "DV vs. Tau", ...)
    //   scaleLabel  text under the colour scale ("Porosity", "Tau (days^0.5)", ...)
    //   parent      the main window; the dialog is modeless, the caller shows it
    viewreservoir(const LayerMapSource &source, const QString &title, const QString &scaleLabel,
                  QWidget *parent = nullptr);
    ~viewreservoir() override;

    // Offers the reports in a slider that steps through them, keeping layer and colour range.
    void setReports(MapReports mapReports);

private slots:
    void on_LogButton_clicked();
    void on_Normal_clicked();
    void on_LevelsButton_clicked();
    void on_LayerSpin_valueChanged(int arg1);
    void on_RangeButton_clicked();
    void on_FitButton_clicked();
    void on_ResetViewButton_clicked();
    void on_SavePictureButton_clicked();
    void on_CopyButton_clicked();
    void on_ReportSlider_valueChanged(int value);

private:
    std::unique_ptr<Ui::viewreservoir> ui;
    std::unique_ptr<LayerMapView> view;
    MapReports reports;
    CellArray reportValues; // the values of the report shown, once another than the first
};

#endif // VELDRA_VIEWRESERVOIR_H
