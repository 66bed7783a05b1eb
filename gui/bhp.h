#ifndef VELDRA_BHP_H
#define VELDRA_BHP_H

#include <memory>

#include <QDialog>
#include <QVector>

#include "curve_plot.h"
#include "observed_production.h"

namespace Ui {
class BHP;
}

// Bottom-hole pressure against time, drawn at opening, with the measured pressures beside it.
class BHP : public QDialog
{
    Q_OBJECT

public:
    // Copies the first pointCount entries of time (days) and bottomHolePressure (psia); each
    // array holds at least pointCount values (the main window's 1000-slot series will do). A
    // negative pointCount counts as 0. The window title is "BottomHole Pressure"; parent is
    // the main window; the dialog is modeless, the caller shows it.
    BHP(int pointCount, const double *time, const double *bottomHolePressure,
        QWidget *parent = nullptr);
    ~BHP() override;

public slots:
    // Draws the curve again with the measured pressures beside it; an empty one takes them away.
    void setObserved(const ObservedProduction &production);

private slots:
    void on_xLogRadio_clicked();
    void on_yLogRadio_clicked();
    void on_RangeButton_clicked();
    void on_SavePictureButton_clicked();
    void on_CopyButton_clicked();
    void on_ExportDataButton_clicked();

private:
    std::unique_ptr<Ui::BHP> ui;
    std::unique_ptr<CurvePlot> curve;
    QVector<double> time;
    QVector<double> bottomHolePressure;
};

#endif // VELDRA_BHP_H
