#ifndef VELDRA_VIEWPERM_H
#define VELDRA_VIEWPERM_H

#include <memory>

#include <QDialog>

#include "layer_map.h"

namespace Ui {
class Viewperm;
}

// Layer map of a permeability array, layer by layer; opens in logarithmic colouring.
class Viewperm : public QDialog
{
    Q_OBJECT

public:
    // Shows layer 1 of source.values (see LayerMapSource for the arrays, which are not copied
    // and must outlive the dialog).
    //   title       window title, already translated ("PermX", ...)
    //   scaleLabel  text under the colour scale ("Permeability (mD)")
    //   parent      the main window; the dialog is modeless, the caller shows it
    Viewperm(const LayerMapSource &source, const QString &title, const QString &scaleLabel,
             QWidget *parent = nullptr);
    ~Viewperm() override;

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

private:
    std::unique_ptr<Ui::Viewperm> ui;
    std::unique_ptr<LayerMapView> view;
};

#endif // VELDRA_VIEWPERM_H
