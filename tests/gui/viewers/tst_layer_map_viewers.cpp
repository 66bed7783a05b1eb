// The layer map viewers: form, map geometry, colouring, levels, range and layer stepping.

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>
#include <qcustomplot.h>

#include "screenshot.h"
#include "viewperm.h"
#include "viewreservoir.h"

namespace {

// A grid of nx x ny x nz cells of 100 x 50 ft whose value is its cell number plus 1, so
// that every layer holds different numbers.
struct TestGrid
{
    TestGrid(int nx, int ny, int nz) : nx(nx), ny(ny), nz(nz)
    {
        for (int k = 0; k < nz; ++k)
            for (int j = 0; j < ny; ++j)
                for (int i = 0; i < nx; ++i) {
                    cellX.push_back(100.0 * i);
                    cellY.push_back(50.0 * j);
                    values.push_back(static_cast<double>(values.size() + 1));
                }
    }

    LayerMapSource source() const
    {
        return {nx, ny, nz, cellX.data(), cellY.data(), values.data()};
    }

    int nx, ny, nz;
    std::vector<double> cellX, cellY, values;
};

using ViewerFactory = std::function<QDialog *(const LayerMapSource &, const QString &, const QString &)>;

ViewerFactory viewerFactory(const QString &kind)
{
    if (kind == "Viewperm")
        return [](const LayerMapSource &s, const QString &t, const QString &l) -> QDialog * {
            return new Viewperm(s, t, l);
        };
    return [](const LayerMapSource &s, const QString &t, const QString &l) -> QDialog * {
        return new viewreservoir(s, t, l);
    };
}

QCustomPlot *plotOf(QDialog *dialog)
{
    return dialog->findChild<QCustomPlot *>("widget");
}

QCPColorMap *colorMapOf(QDialog *dialog)
{
    return qobject_cast<QCPColorMap *>(plotOf(dialog)->plottable(0));
}

QCPColorScale *colorScaleOf(QDialog *dialog)
{
    return qobject_cast<QCPColorScale *>(plotOf(dialog)->plotLayout()->element(1, 0));
}

// The map shows layer (1-based) of grid, cell by cell.
void compareLayer(QDialog *dialog, const TestGrid &grid, int layer)
{
    QCPColorMapData *data = colorMapOf(dialog)->data();
    const int offset = (layer - 1) * grid.nx * grid.ny;
    for (int j = 0; j < grid.ny; ++j)
        for (int i = 0; i < grid.nx; ++i)
            QCOMPARE(data->cell(i, j), grid.values[offset + j * grid.nx + i]);
}

void addViewerKinds()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("Viewperm") << "Viewperm";
    QTest::newRow("viewreservoir") << "viewreservoir";
}

} // namespace

class LayerMapViewerTest : public QObject
{
    Q_OBJECT

private slots:
    void opensWithFormAndFirstLayer_data();
    void opensWithFormAndFirstLayer();
    void stepsThroughLayersInTheOpeningRange_data();
    void stepsThroughLayersInTheOpeningRange();
    void singleLayerGridLocksLayerChooser();
    void switchesColouringLevelsAndRange_data();
    void switchesColouringLevelsAndRange();
    void drawsDegenerateGridsSafely_data();
    void drawsDegenerateGridsSafely();
    void coloursHomogeneousLayerAroundItsValue();
    void savesScreenshots();
};

void LayerMapViewerTest::opensWithFormAndFirstLayer_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("scaleLabel");
    QTest::addColumn<bool>("logarithmic");
    QTest::newRow("PermX") << "Viewperm" << "PermX" << "Permeability (mD)" << true;
    QTest::newRow("Porosity") << "viewreservoir" << "Porosity" << "Porosity" << false;
    QTest::newRow("DV vs. Tau") << "viewreservoir" << "DV vs. Tau" << "Tau (days^0.5)" << false;
}

void LayerMapViewerTest::opensWithFormAndFirstLayer()
{
    QFETCH(QString, kind);
    QFETCH(QString, title);
    QFETCH(QString, scaleLabel);
    QFETCH(bool, logarithmic);
    const TestGrid grid(3, 2, 4);
    std::unique_ptr<QDialog> dialog(viewerFactory(kind)(grid.source(), title, scaleLabel));

    QCOMPARE(dialog->windowTitle(), title);
    QCOMPARE(dialog->findChild<QRadioButton *>("LogButton")->isChecked(), logarithmic);
    QCOMPARE(dialog->findChild<QRadioButton *>("Normal")->isChecked(), !logarithmic);
    auto *layerSpin = dialog->findChild<QSpinBox *>("LayerSpin");
    QCOMPARE(layerSpin->minimum(), 1);
    QCOMPARE(layerSpin->maximum(), 4);
    QVERIFY(!layerSpin->isReadOnly());

    QCustomPlot *plot = plotOf(dialog.get());
    QCOMPARE(plot->xAxis->label(), QString("xDir (ft)"));
    QCOMPARE(plot->yAxis->label(), QString("yDir (ft)"));
    QCOMPARE(colorScaleOf(dialog.get())->axis()->label(), scaleLabel);
    QCOMPARE(colorScaleOf(dialog.get())->gradient().levelCount(), 20);

    QCPColorMap *map = colorMapOf(dialog.get());
    QCOMPARE(map->dataScaleType(),
             logarithmic ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
    QCOMPARE(map->data()->keySize(), 3);
    QCOMPARE(map->data()->valueSize(), 2);
    QCOMPARE(map->data()->keyRange(), QCPRange(0, 200));
    QCOMPARE(map->data()->valueRange(), QCPRange(0, 50));
    QCOMPARE(map->dataRange(), QCPRange(1, 6));
    compareLayer(dialog.get(), grid, 1);
}

void LayerMapViewerTest::stepsThroughLayersInTheOpeningRange_data()
{
    addViewerKinds();
}

void LayerMapViewerTest::stepsThroughLayersInTheOpeningRange()
{
    QFETCH(QString, kind);
    const TestGrid grid(3, 2, 4);
    std::unique_ptr<QDialog> dialog(viewerFactory(kind)(grid.source(), "Map", "Value"));
    auto *layerSpin = dialog->findChild<QSpinBox *>("LayerSpin");

    layerSpin->setValue(3);
    compareLayer(dialog.get(), grid, 3);
    QCOMPARE(colorMapOf(dialog.get())->dataRange(), QCPRange(1, 6));

    layerSpin->setValue(4);
    compareLayer(dialog.get(), grid, 4);
    layerSpin->setValue(1);
    compareLayer(dialog.get(), grid, 1);
}

void LayerMapViewerTest::singleLayerGridLocksLayerChooser()
{
    const TestGrid grid(3, 2, 1);
    viewreservoir dialog(grid.source(), "Porosity", "Porosity");
    auto *layerSpin = dialog.findChild<QSpinBox *>("LayerSpin");
    QVERIFY(layerSpin->isReadOnly());
    QCOMPARE(layerSpin->value(), 1);
    compareLayer(&dialog, grid, 1);
}

void LayerMapViewerTest::switchesColouringLevelsAndRange_data()
{
    addViewerKinds();
}

void LayerMapViewerTest::switchesColouringLevelsAndRange()
{
    QFETCH(QString, kind);
    const TestGrid grid(3, 2, 4);
    std::unique_ptr<QDialog> dialog(viewerFactory(kind)(grid.source(), "Map", "Value"));
    QCPColorMap *map = colorMapOf(dialog.get());

    dialog->findChild<QRadioButton *>("Normal")->click();
    QCOMPARE(map->dataScaleType(), QCPAxis::stLinear);
    dialog->findChild<QRadioButton *>("LogButton")->click();
    QCOMPARE(map->dataScaleType(), QCPAxis::stLogarithmic);

    // Five levels; range and mode stay.
    dialog->findChild<QSpinBox *>("LevelSpin")->setValue(5);
    dialog->findChild<QPushButton *>("LevelsButton")->click();
    QCOMPARE(colorScaleOf(dialog.get())->gradient().levelCount(), 5);
    QCOMPARE(map->dataRange(), QCPRange(1, 6));
    QCOMPARE(map->dataScaleType(), QCPAxis::stLogarithmic);

    // A range that is set stays over layer changes.
    auto *minText = dialog->findChild<QLineEdit *>("xMinTxt");
    auto *maxText = dialog->findChild<QLineEdit *>("xMaxTxt");
    auto *setButton = dialog->findChild<QPushButton *>("RangeButton");
    dialog->findChild<QRadioButton *>("Normal")->click();
    minText->setText("10");
    maxText->setText("100");
    setButton->click();
    QCOMPARE(map->dataRange(), QCPRange(10, 100));
    dialog->findChild<QSpinBox *>("LayerSpin")->setValue(2);
    QCOMPARE(map->dataRange(), QCPRange(10, 100));
    QCOMPARE(colorScaleOf(dialog.get())->dataRange(), QCPRange(10, 100));

    // Text that is no number counts as 0.
    minText->setText("low");
    setButton->click();
    QCOMPARE(map->dataRange(), QCPRange(0, 100));
}

void LayerMapViewerTest::drawsDegenerateGridsSafely_data()
{
    QTest::addColumn<int>("nx");
    QTest::addColumn<int>("ny");
    QTest::addColumn<int>("nz");
    QTest::newRow("no columns") << 0 << 2 << 3;
    QTest::newRow("no layers") << 3 << 2 << 0;
    QTest::newRow("one column") << 1 << 3 << 2;
    QTest::newRow("one cell") << 1 << 1 << 1;
}

void LayerMapViewerTest::drawsDegenerateGridsSafely()
{
    QFETCH(int, nx);
    QFETCH(int, ny);
    QFETCH(int, nz);
    const TestGrid grid(nx, ny, nz);
    Viewperm dialog(grid.source(), "PermX", "Permeability (mD)");
    dialog.findChild<QSpinBox *>("LayerSpin")->setValue(2);
    QCPColorMap *map = colorMapOf(&dialog);
    if (nx * ny * nz == 0) {
        QCOMPARE(map->data()->isEmpty(), true);
        return;
    }
    // A single column is still drawn, over a width of its own.
    QVERIFY(map->data()->keyRange().size() > 0);
    QVERIFY(map->data()->valueRange().size() > 0 || ny > 1);
    compareLayer(&dialog, grid, std::min(2, nz));
}

void LayerMapViewerTest::coloursHomogeneousLayerAroundItsValue()
{
    TestGrid grid(4, 3, 1);
    std::fill(grid.values.begin(), grid.values.end(), 100.0);
    Viewperm dialog(grid.source(), "PermX", "Permeability (mD)");
    const QCPRange range = colorMapOf(&dialog)->dataRange();
    QVERIFY(range.lower < 100.0);
    QVERIFY(range.upper > 100.0);
    QVERIFY(range.lower > 0.0);
}

void LayerMapViewerTest::savesScreenshots()
{
    // A field that grows away from a well near the middle of the layer.
    TestGrid grid(20, 15, 2);
    for (int j = 0; j < grid.ny; ++j)
        for (int i = 0; i < grid.nx; ++i)
            grid.values[j * grid.nx + i] = 1.0 + 10.0 * std::hypot(i - 9.0, j - 7.0);
    Viewperm perm(grid.source(), "PermX", "Permeability (mD)");
    perm.show();
    QVERIFY(QTest::qWaitForWindowExposed(&perm));
    QVERIFY(saveScreenshot(&perm, "viewperm"));

    viewreservoir reservoir(grid.source(), "DV vs. Tau", "Tau (days^0.5)");
    reservoir.show();
    QVERIFY(QTest::qWaitForWindowExposed(&reservoir));
    QVERIFY(saveScreenshot(&reservoir, "viewreservoir"));
}

QTEST_MAIN(LayerMapViewerTest)
#include "tst_layer_map_viewers.moc"
