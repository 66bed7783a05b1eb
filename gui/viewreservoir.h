#ifndef VELDRA_VIEWRESERVOIR_H
#define VELDRA_VIEWRESERVOIR_H

#include <memory>

#include <QDialog>

#include "layer_map.h"

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

private slots:
    void on_LogButton_clicked();
    void on_Normal_clicked();
    void on_LevelsButton_clicked();
    void on_LayerSpin_valueChanged(int arg1);
    void on_RangeButton_clicked();

private:
    std::unique_ptr<Ui::viewreservoir> ui;
    std::unique_ptr<LayerMapView> view;
};

#endif // VELDRA_VIEWRESERVOIR_H
