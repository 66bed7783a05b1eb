// The layer map viewers: form, map geometry, colouring, levels, range and layer stepping.

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QtTest>
#include <qcustomplot.h>

#include "plot_picture.h"
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
                    sizeX.push_back(100.0);
                    sizeY.push_back(50.0);
                    values.push_back(static_cast<double>(values.size() + 1));
                }
    }

    LayerMapSource source() const
    {
        return {nx, ny, nz, cellX.data(), cellY.data(), sizeX.data(), sizeY.data(), values.data()};
    }

    int nx, ny, nz;
    std::vector<double> cellX, cellY, sizeX, sizeY, values;
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

CellColorMap *colorMapOf(QDialog *dialog)
{
    return qobject_cast<CellColorMap *>(plotOf(dialog)->plottable(0));
}

QString fieldText(QDialog *dialog, const char *name)
{
    return dialog->findChild<QLineEdit *>(name)->text();
}

// The axis range shows all of lower ... upper, up to rounding.
bool covers(const QCPRange &range, double lower, double upper)
{
    const double slack = 1e-9 * (upper - lower);
    return range.lower <= lower + slack && range.upper >= upper - slack;
}

// Shows the dialog at its opening size and lays its plot out.
void showLaidOut(QDialog *dialog)
{
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    plotOf(dialog)->replot();
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
    void colourRangeFollowsLayerUntilSet_data();
    void colourRangeFollowsLayerUntilSet();
    void singleLayerGridLocksLayerChooser();
    void switchesColouringLevelsAndRange_data();
    void switchesColouringLevelsAndRange();
    void drawsDegenerateGridsSafely_data();
    void drawsDegenerateGridsSafely();
    void coloursHomogeneousLayerAroundItsValue();
    void drawsCellsTrueToScaleAndReadsThemOut();
    void paintsEdgeCellsWhole_data();
    void paintsEdgeCellsWhole();
    void zoomsAndResetsAtEqualScale();
    void logColourScaleLabelsEveryDecade_data();
    void logColourScaleLabelsEveryDecade();
    void stepsThroughReportsKeepingLayerAndRange();
    void savesAndCopiesPictures_data();
    void savesAndCopiesPictures();
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
    // Cells whole: centres half a cell in, the map reaching the grid's far edges.
    QCOMPARE(map->data()->keyRange(), QCPRange(50, 250));
    QCOMPARE(map->data()->valueRange(), QCPRange(25, 75));
    bool found = false;
    QCOMPARE(map->getKeyRange(found), QCPRange(0, 300));
    QCOMPARE(map->getValueRange(found), QCPRange(0, 100));
    QCOMPARE(map->dataRange(), QCPRange(1, 6));
    QCOMPARE(fieldText(dialog.get(), "xMinTxt"), QString("1"));
    QCOMPARE(fieldText(dialog.get(), "xMaxTxt"), QString("6"));
    compareLayer(dialog.get(), grid, 1);
}

void LayerMapViewerTest::colourRangeFollowsLayerUntilSet_data()
{
    addViewerKinds();
}

void LayerMapViewerTest::colourRangeFollowsLayerUntilSet()
{
    QFETCH(QString, kind);
    const TestGrid grid(3, 2, 4);
    std::unique_ptr<QDialog> dialog(viewerFactory(kind)(grid.source(), "Map", "Value"));
    auto *layerSpin = dialog->findChild<QSpinBox *>("LayerSpin");
    QCPColorMap *map = colorMapOf(dialog.get());

    // Each layer in its own range, shown in the fields.
    layerSpin->setValue(3);
    compareLayer(dialog.get(), grid, 3);
    QCOMPARE(map->dataRange(), QCPRange(13, 18));
    QCOMPARE(fieldText(dialog.get(), "xMinTxt"), QString("13"));
    QCOMPARE(fieldText(dialog.get(), "xMaxTxt"), QString("18"));

    // Enter in a field sets the typed range, which then stays over layer changes.
    auto *minText = dialog->findChild<QLineEdit *>("xMinTxt");
    minText->setText("010");
    QTest::keyClick(minText, Qt::Key_Return);
    QCOMPARE(map->dataRange(), QCPRange(10, 18));
    QCOMPARE(fieldText(dialog.get(), "xMinTxt"), QString("10"));
    layerSpin->setValue(4);
    compareLayer(dialog.get(), grid, 4);
    QCOMPARE(map->dataRange(), QCPRange(10, 18));

    // Fit to Data goes back to the layer's own range, which follows the layer again.
    dialog->findChild<QPushButton *>("FitButton")->click();
    QCOMPARE(map->dataRange(), QCPRange(19, 24));
    QCOMPARE(fieldText(dialog.get(), "xMaxTxt"), QString("24"));
    layerSpin->setValue(1);
    QCOMPARE(map->dataRange(), QCPRange(1, 6));
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
    CellColorMap *map = colorMapOf(&dialog);
    if (nx * ny * nz == 0) {
        QCOMPARE(map->data()->isEmpty(), true);
        return;
    }
    // A single column is still drawn, over its own width.
    bool found = false;
    QCOMPARE(map->getKeyRange(found), QCPRange(0, 100 * nx));
    QCOMPARE(map->getValueRange(found), QCPRange(0, 50 * ny));
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

void LayerMapViewerTest::drawsCellsTrueToScaleAndReadsThemOut()
{
    // Three cells 100, 300 and 50 ft wide; the middle one never reached by the front.
    TestGrid grid(3, 1, 1);
    grid.sizeX = {100, 300, 50};
    grid.cellX = {0, 100, 400};
    grid.values = {1500, 1.79769e+308, 2500.5};
    viewreservoir dialog(grid.source(), "Pressure Field", "Pressure (psia)");
    CellColorMap *map = colorMapOf(&dialog);
    bool found = false;
    QCOMPARE(map->getKeyRange(found), QCPRange(0, 450));
    QCOMPARE(map->cellAt(99, 10), 0);
    QCOMPARE(map->cellAt(100, 10), 1);
    QCOMPARE(map->cellAt(420, 49), 2);
    QCOMPARE(map->cellAt(420, 50), -1);
    // The sentinel of an unreached cell stays out of the colour range.
    QCOMPARE(map->dataRange(), QCPRange(1500, 2500.5));

    showLaidOut(&dialog);
    QCustomPlot *plot = plotOf(&dialog);
    const QPoint pixel(int(plot->xAxis->coordToPixel(425)), int(plot->yAxis->coordToPixel(20)));
    QMouseEvent move(QEvent::MouseMove, pixel, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(plot, &move);
    const QString readout = dialog.findChild<QLabel *>("statusLine")->text();
    QVERIFY2(readout.startsWith("(i, j, k) = (3, 1, 1)   Pressure = 2500.5 psia   x = 4"), qPrintable(readout));
    QCOMPARE(dialog.findChild<QLabel *>("statusLine")->text().count("ft"), 2);

    const TestGrid plain(3, 1, 1);
    viewreservoir porosity(plain.source(), "Porosity", "Porosity");
    porosity.findChild<QLineEdit *>("xMinTxt")->setText("0");
    QCOMPARE(colorMapOf(&porosity)->cellAt(150, 10), 1);
    QTest::keyClick(porosity.findChild<QLineEdit *>("xMinTxt"), Qt::Key_Enter);
    QCOMPARE(colorMapOf(&porosity)->dataRange(), QCPRange(0, 3));

    viewreservoir tau(grid.source(), "DV vs. Tau", "Tau (days^0.5)");
    auto *tauView = tau.findChild<QLabel *>("statusLine");
    QVERIFY(tauView->text().isEmpty());
}

void LayerMapViewerTest::paintsEdgeCellsWhole_data()
{
    QTest::addColumn<double>("secondWidth");
    QTest::newRow("equal cells, drawn as one image") << 100.0;
    QTest::newRow("unequal cells, drawn one by one") << 300.0;
}

void LayerMapViewerTest::paintsEdgeCellsWhole()
{
    QFETCH(double, secondWidth);
    TestGrid grid(2, 2, 1);
    grid.sizeX = {100, secondWidth, 100, secondWidth};
    grid.values = {1, 2, 1, 2};
    viewreservoir dialog(grid.source(), "Porosity", "Porosity");
    showLaidOut(&dialog);
    QCustomPlot *plot = plotOf(&dialog);
    const QImage picture = plot->toPixmap().toImage();
    QCPColorMap *map = colorMapOf(&dialog);
    QCPColorGradient gradient = map->gradient();
    const auto colourAt = [&](double x, double y) {
        return picture.pixelColor(int(plot->xAxis->coordToPixel(x)), int(plot->yAxis->coordToPixel(y)));
    };
    // The outer quarters of both edge cells have the cells' colours; beyond them is the plot.
    QCOMPARE(colourAt(5, 95), QColor::fromRgba(gradient.color(1, map->dataRange())));
    QCOMPARE(colourAt(100 + secondWidth - 5, 5), QColor::fromRgba(gradient.color(2, map->dataRange())));
    QCOMPARE(colourAt(-5, 50), QColor(Qt::white));
    QCOMPARE(colourAt(100 + secondWidth + 5, 50), QColor(Qt::white));
}

void LayerMapViewerTest::zoomsAndResetsAtEqualScale()
{
    const TestGrid grid(20, 5, 1); // 2000 x 250 ft
    viewreservoir dialog(grid.source(), "Porosity", "Porosity");
    showLaidOut(&dialog);
    QCustomPlot *plot = plotOf(&dialog);
    QVERIFY(plot->interactions().testFlag(QCP::iRangeDrag));
    QVERIFY(plot->interactions().testFlag(QCP::iRangeZoom));
    const auto equalScale = [plot] {
        const QRect rect = plot->axisRect()->rect();
        return qFuzzyCompare(plot->xAxis->range().size() / rect.width(), plot->yAxis->range().size() / rect.height());
    };
    const QRect rect = plot->axisRect()->rect();
    QVERIFY(equalScale());
    QVERIFY(covers(plot->xAxis->range(), 0.0, 2000.0));
    QVERIFY(covers(plot->yAxis->range(), 0.0, 250.0));

    // A turn of the wheel zooms in on both axes alike.
    QWheelEvent wheel(QPointF(rect.center()), plot->mapToGlobal(rect.center()), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(plot, &wheel);
    plot->replot();
    QVERIFY(plot->xAxis->range().size() < 2000.0);
    QVERIFY(equalScale());

    dialog.findChild<QPushButton *>("ResetViewButton")->click();
    QVERIFY(covers(plot->xAxis->range(), 0.0, 2000.0));
}

void LayerMapViewerTest::logColourScaleLabelsEveryDecade_data()
{
    QTest::addColumn<std::vector<double>>("values");
    QTest::addColumn<QVector<double>>("ticks");
    QTest::newRow("six decades") << std::vector<double>{0.01, 0.1, 1, 10, 100, 1000}
                                 << QVector<double>{0.01, 0.1, 1, 10, 100, 1000};
    QTest::newRow("within a decade") << std::vector<double>{2, 3, 3, 4, 5, 6} << QVector<double>{2, 5};
}

void LayerMapViewerTest::logColourScaleLabelsEveryDecade()
{
    QFETCH(std::vector<double>, values);
    QFETCH(QVector<double>, ticks);
    TestGrid grid(3, 2, 1);
    grid.values = values;
    Viewperm dialog(grid.source(), "PermX", "Permeability (mD)");
    showLaidOut(&dialog);
    QCPAxis *scaleAxis = colorScaleOf(&dialog)->axis();
    QCOMPARE(scaleAxis->tickVector(), ticks);
    for (const QString &label : scaleAxis->tickVectorLabels())
        QVERIFY(!label.isEmpty());
}

void LayerMapViewerTest::stepsThroughReportsKeepingLayerAndRange()
{
    const TestGrid grid(3, 2, 2);
    viewreservoir dialog(grid.source(), "Pressure Field", "Pressure (psia)");
    QVERIFY(dialog.findChild<QWidget *>("ReportGroup")->isHidden());
    // Report 0 holds the values ten times over; report 1 cannot be read; report 2 is the source.
    std::vector<double> earlier(grid.values);
    for (double &value : earlier)
        value *= 10.0;
    MapReports reports;
    reports.labels = QStringList{"first", "lost", "last"};
    reports.shown = 2;
    reports.load = [&](int n) -> CellArray {
        if (n == 1)
            return nullptr;
        return std::make_shared<const std::vector<double>>(n == 0 ? earlier : grid.values);
    };
    dialog.setReports(reports);
    auto *slider = dialog.findChild<QSlider *>("ReportSlider");
    auto *label = dialog.findChild<QLabel *>("ReportLabel");
    QVERIFY(!dialog.findChild<QWidget *>("ReportGroup")->isHidden());
    QCOMPARE(slider->maximum(), 2);
    QCOMPARE(slider->value(), 2);
    QCOMPARE(label->text(), QString("last"));

    dialog.findChild<QSpinBox *>("LayerSpin")->setValue(2);
    slider->setValue(0);
    QCOMPARE(label->text(), QString("first"));
    QCOMPARE(colorMapOf(&dialog)->data()->cell(0, 0), 70.0);
    QCOMPARE(colorMapOf(&dialog)->dataRange(), QCPRange(7, 12));
    slider->setValue(1);
    QCOMPARE(label->text(), QString("lost cannot be read."));
    QCOMPARE(colorMapOf(&dialog)->data()->cell(0, 0), 70.0);
}

void LayerMapViewerTest::savesAndCopiesPictures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("png") << "map.png" << QByteArray("\x89PNG");
    QTest::newRow("pdf") << "map.PDF" << QByteArray("%PDF");
    QTest::newRow("svg") << "map.svg" << QByteArray("<?xml");
}

void LayerMapViewerTest::savesAndCopiesPictures()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, start);
    const TestGrid grid(4, 3, 1);
    viewreservoir dialog(grid.source(), "Porosity", "Porosity");
    showLaidOut(&dialog);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QCOMPARE(savePlotPicture(plotOf(&dialog), path, QSize(640, 400)), QString());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.size() > 1000);
    QVERIFY(file.read(start.size()) == start);
    if (name.endsWith(".png"))
        QCOMPARE(QImage(path).size(), QSize(640, 400));

    QCOMPARE(savePlotPicture(plotOf(&dialog), dir.filePath("map.jpg"), QSize(640, 400)),
             QString("A picture is saved as .png, .pdf or .svg; map.jpg is none of these."));
    QVERIFY(!QFile::exists(dir.filePath("map.jpg")));
    QVERIFY(!savePlotPicture(plotOf(&dialog), dir.filePath("no such folder/map.png"), QSize(64, 64)).isEmpty());

    QApplication::clipboard()->clear();
    dialog.findChild<QPushButton *>("CopyButton")->click();
    QCOMPARE(QApplication::clipboard()->pixmap().size(), plotOf(&dialog)->size());
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
