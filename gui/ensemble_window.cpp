#include "ensemble_window.h"

#include "deck_layer_map.h"
#include "result_readers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QThread>
#include <QVBoxLayout>
#include <qcustomplot.h>

#include <algorithm>

namespace
{
// quill-ensemble's exit statuses beyond 0: some realisations failed or were not run; stopped.
const int SOME_REALISATIONS_FAILED = 3;
const int STOPPED = 130;
const int CANCEL_WAIT_MS = 10000;

struct Quantity
{
  const char *name;
  const char *suffix; // of the realisations' own curve files
  const char *axisLabel;
  EnsembleSpread EnsembleResults::*spread;
};
const Quantity QUANTITIES[] = {
    {QT_TRANSLATE_NOOP("EnsembleWindow", "Rate"), "_RATE", QT_TRANSLATE_NOOP("EnsembleWindow", "Rate (MSCF/D or STB/D)"),
     &EnsembleResults::rate},
    {QT_TRANSLATE_NOOP("EnsembleWindow", "Cumulative"), "_Cum",
     QT_TRANSLATE_NOOP("EnsembleWindow", "Cumulative production (MSCF or STB)"), &EnsembleResults::cumulative},
    {QT_TRANSLATE_NOOP("EnsembleWindow", "BHP"), "_BHP", QT_TRANSLATE_NOOP("EnsembleWindow", "Bottom-hole pressure (PSIA)"),
     &EnsembleResults::bhp},
};

QVector<double> series(const std::vector<double> &values)
{
  return QVector<double>(values.begin(), values.end());
}

QCPGraph *addCurve(QCustomPlot *plot, const std::vector<double> &time, const std::vector<double> &values,
                   const QPen &pen, const QString &name)
{
  QCPGraph *graph = plot->addGraph();
  graph->setData(series(time), series(values), true);
  graph->setPen(pen);
  graph->setName(name);
  if (name.isEmpty())
    graph->removeFromLegend();
  return graph;
}
} // namespace

EnsembleWindow::EnsembleWindow(const QString &folder, const QString &tool, QWidget *parent)
    : QDialog(parent), ensembleFolder(folder), ensembleTool(tool)
{
  setWindowFlags(Qt::Dialog | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  resize(900, 650);
  auto *layout = new QVBoxLayout(this);
  createRunControls(layout);
  auto *tabs = new QTabWidget(this);
  auto *curveTab = new QWidget(tabs);
  auto *mapTab = new QWidget(tabs);
  createCurveTab(curveTab);
  createMapTab(mapTab);
  tabs->addTab(curveTab, tr("Curves"));
  tabs->addTab(mapTab, tr("Maps"));
  layout->addWidget(tabs, 1);

  connect(&process, &QProcess::readyReadStandardOutput, this, &EnsembleWindow::readProgress);
  connect(&process, &QProcess::readyReadStandardError, this,
          [this] { runErrors += QString::fromLocal8Bit(process.readAllStandardError()); });
  connect(&process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this, &EnsembleWindow::onRunFinished);
  connect(&process, &QProcess::errorOccurred, this, &EnsembleWindow::onRunError);
  reload();
}

EnsembleWindow::~EnsembleWindow()
{
  if (process.state() == QProcess::NotRunning)
    return;
  process.disconnect(this);
  process.terminate();
  if (!process.waitForFinished(CANCEL_WAIT_MS))
    process.kill();
  process.waitForFinished();
}

void EnsembleWindow::createRunControls(QVBoxLayout *layout)
{
  auto *row = new QHBoxLayout;
  row->addWidget(new QLabel(tr("Jobs:"), this));
  jobsSpin = new QSpinBox(this);
  jobsSpin->setObjectName("jobsSpin");
  jobsSpin->setRange(1, 256);
  jobsSpin->setValue(std::max(1, QThread::idealThreadCount()));
  row->addWidget(jobsSpin);
  runButton = new QPushButton(tr("Run Ensemble"), this);
  runButton->setObjectName("runButton");
  cancelButton = new QPushButton(tr("Cancel"), this);
  cancelButton->setObjectName("cancelButton");
  cancelButton->setEnabled(false);
  progressBar = new QProgressBar(this);
  progressBar->setObjectName("progressBar");
  progressBar->setRange(0, 1);
  progressBar->setValue(0);
  row->addWidget(runButton);
  row->addWidget(cancelButton);
  row->addWidget(progressBar, 1);
  layout->addLayout(row);
  statusLabel = new QLabel(this);
  statusLabel->setObjectName("statusLabel");
  statusLabel->setWordWrap(true);
  layout->addWidget(statusLabel);
  connect(runButton, &QPushButton::clicked, this, &EnsembleWindow::startRun);
  connect(cancelButton, &QPushButton::clicked, this, &EnsembleWindow::cancelRun);
}

void EnsembleWindow::createCurveTab(QWidget *tab)
{
  auto *layout = new QVBoxLayout(tab);
  auto *row = new QHBoxLayout;
  quantityCombo = new QComboBox(tab);
  quantityCombo->setObjectName("quantityCombo");
  for (const Quantity &quantity : QUANTITIES)
    quantityCombo->addItem(tr(quantity.name));
  realisationsCheck = new QCheckBox(tr("Each realisation"), tab);
  realisationsCheck->setObjectName("realisationsCheck");
  row->addWidget(quantityCombo);
  row->addWidget(realisationsCheck);
  row->addStretch(1);
  layout->addLayout(row);
  curvePlot = new QCustomPlot(tab);
  curvePlot->setObjectName("curvePlot");
  curvePlot->legend->setVisible(true);
  curvePlot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
  layout->addWidget(curvePlot, 1);
  connect(quantityCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &EnsembleWindow::drawCurves);
  connect(realisationsCheck, &QCheckBox::toggled, this, &EnsembleWindow::drawCurves);
}

void EnsembleWindow::createMapTab(QWidget *tab)
{
  mapLayout = new QVBoxLayout(tab);
  auto *row = new QHBoxLayout;
  mapCombo = new QComboBox(tab);
  mapCombo->setObjectName("mapCombo");
  layerSpin = new QSpinBox(tab);
  layerSpin->setObjectName("layerSpin");
  // The colour range in use; typing one and pressing Enter fixes it.
  mapMinText = new QLineEdit(tab);
  mapMinText->setObjectName("mapMinText");
  mapMaxText = new QLineEdit(tab);
  mapMaxText->setObjectName("mapMaxText");
  row->addWidget(mapCombo, 1);
  row->addWidget(new QLabel(tr("Layer:"), tab));
  row->addWidget(layerSpin);
  row->addWidget(new QLabel(tr("Colours from"), tab));
  row->addWidget(mapMinText);
  row->addWidget(new QLabel(tr("to"), tab));
  row->addWidget(mapMaxText);
  mapLayout->addLayout(row);
  mapStatusLine = new QLabel(tab);
  mapStatusLine->setObjectName("mapStatusLine");
  mapLayout->addWidget(mapStatusLine);
  connect(mapCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &EnsembleWindow::showMap);
  connect(layerSpin, qOverload<int>(&QSpinBox::valueChanged), this, [this](int layer) {
    if (mapView)
      mapView->showLayer(layer);
  });
}

void EnsembleWindow::reload()
{
  ensemble = readEnsembleResults(ensembleFolder);
  setWindowTitle(tr("Ensemble %1").arg(ensemble.rootName.isEmpty() ? ensembleFolder : ensemble.rootName));
  if (!ensemble.problem.isEmpty())
    statusLabel->setText(ensemble.problem);
  else if (ensemble.time.empty())
    statusLabel->setText(tr("No collected curves yet: run the ensemble (%1 run folders so far).").arg(ensemble.runs.size()));
  deck = ensemble.deckPath.isEmpty() ? DeckGeometry() : readDeckGeometry(ensemble.deckPath);
  setUpLayerSpin(layerSpin, std::max(1, deck.nz));

  const QString shownMap = mapCombo->currentText();
  const QSignalBlocker blocker(mapCombo);
  mapCombo->clear();
  for (const EnsembleMap &map : ensemble.maps)
    mapCombo->addItem(map.title);
  mapCombo->setCurrentIndex(std::max(0, mapCombo->findText(shownMap)));
  drawCurves();
  showMap();
}

void EnsembleWindow::drawCurves()
{
  curvePlot->clearGraphs();
  const Quantity &quantity = QUANTITIES[std::max(0, quantityCombo->currentIndex())];
  if (realisationsCheck->isChecked())
    for (const Curve &curve : readRealisationCurves(ensemble, quantity.suffix))
      addCurve(curvePlot, curve.time, curve.value, QPen(QColor(80, 80, 80, 60)), QString());

  const EnsembleSpread &spread = ensemble.*quantity.spread;
  if (!ensemble.time.empty())
  {
    const QColor bandColour(40, 110, 220);
    QCPGraph *low = addCurve(curvePlot, ensemble.time, spread.p90, QPen(bandColour.lighter(130)), QString());
    QCPGraph *high = addCurve(curvePlot, ensemble.time, spread.p10, QPen(bandColour.lighter(130)), tr("P10 - P90"));
    QColor fill = bandColour;
    fill.setAlpha(60);
    high->setBrush(fill);
    high->setChannelFillGraph(low);
    addCurve(curvePlot, ensemble.time, spread.p50, QPen(bandColour.darker(120), 2), tr("P50"));
    addCurve(curvePlot, ensemble.time, spread.mean, QPen(QColor(200, 40, 40), 2, Qt::DashLine), tr("Mean"));
  }
  curvePlot->xAxis->setLabel(tr("Time (Days)"));
  curvePlot->yAxis->setLabel(tr(quantity.axisLabel));
  curvePlot->rescaleAxes();
  curvePlot->replot();
}

void EnsembleWindow::showMap()
{
  // A fresh plot per map: the layer map view leaves its colour map and scale in the plot.
  mapView.reset();
  delete mapPlot;
  mapPlot = new QCustomPlot(mapLayout->parentWidget());
  mapPlot->setObjectName("mapPlot");
  mapLayout->addWidget(mapPlot, 1);
  mapPlot->show();

  const int index = mapCombo->currentIndex();
  if (index < 0 || index >= int(ensemble.maps.size()) || deck.cellCount == 0)
  {
    mapPlot->replot();
    return;
  }
  const EnsembleMap &map = ensemble.maps[index];
  mapValues = std::make_shared<const std::vector<double>>(
      readGridField(map.path, map.keyword, deck.cellCount).values);
  mapView = std::make_unique<LayerMapView>(LayerMapForm{mapPlot, mapMinText, mapMaxText, mapStatusLine},
                                           deckLayerMapSource(deck, mapValues->data()), map.title);
  mapView->showLayer(layerSpin->value());
}

void EnsembleWindow::startRun()
{
  if (process.state() != QProcess::NotRunning)
    return;
  if (ensembleTool.isEmpty())
  {
    statusLabel->setText(tr("The program quill-ensemble was found neither beside Veldra nor on the PATH."));
    return;
  }
  runOutput.clear();
  runErrors.clear();
  progressBar->setRange(0, 0);
  statusLabel->setText(tr("Starting..."));
  setRunning(true);
  process.start(ensembleTool, {QStringLiteral("run"), ensembleFolder, QStringLiteral("--jobs"),
                               QString::number(jobsSpin->value())});
}

void EnsembleWindow::cancelRun()
{
  if (process.state() == QProcess::NotRunning)
    return;
  statusLabel->setText(tr("Cancelling: the running quill processes are being ended..."));
  // SIGTERM: quill-ensemble ends its quill processes and keeps the finished runs.
  process.terminate();
}

void EnsembleWindow::readProgress()
{
  runOutput += QString::fromLocal8Bit(process.readAllStandardOutput());
  static const QRegularExpression toRun(QStringLiteral("^(\\d+) of \\d+ realisations to run"),
                                        QRegularExpression::MultilineOption);
  static const QRegularExpression ended(QStringLiteral("^\\[(\\d+)/(\\d+)\\] (.*)$"),
                                        QRegularExpression::MultilineOption);
  const QRegularExpressionMatch total = toRun.match(runOutput);
  if (total.hasMatch())
    progressBar->setRange(0, std::max(1, total.captured(1).toInt()));
  QRegularExpressionMatchIterator lines = ended.globalMatch(runOutput);
  while (lines.hasNext())
  {
    const QRegularExpressionMatch line = lines.next();
    progressBar->setValue(line.captured(1).toInt());
    statusLabel->setText(line.captured(3));
  }
}

void EnsembleWindow::onRunFinished(int exitCode, QProcess::ExitStatus status)
{
  readProgress();
  QString message;
  if (status != QProcess::NormalExit)
    message = tr("quill-ensemble ended abnormally.");
  else if (exitCode == 0)
    message = tr("All realisations finished and were collected.");
  else if (exitCode == SOME_REALISATIONS_FAILED)
  {
    static const QRegularExpression failed(QStringLiteral("^Failed: (.*)$\\n^Missing: (.*)$"),
                                           QRegularExpression::MultilineOption);
    const QRegularExpressionMatch lists = failed.match(runOutput);
    message = tr("Some realisations failed or were not run; the others were collected.");
    if (lists.hasMatch())
      message += tr(" Failed: %1. Not run: %2.").arg(lists.captured(1), lists.captured(2));
  }
  else if (exitCode == STOPPED || exitCode == 128 + 15)
    message = tr("The run was cancelled; the finished realisations are kept. Run again to go on.");
  else
    message = tr("quill-ensemble failed: %1").arg(runErrors.trimmed().section('\n', 0, 2));
  endRun(message, status == QProcess::NormalExit ? exitCode : -1);
}

void EnsembleWindow::onRunError(QProcess::ProcessError error)
{
  if (error == QProcess::FailedToStart)
    endRun(tr("quill-ensemble could not be started: %1").arg(process.errorString()), -1);
}

void EnsembleWindow::endRun(const QString &message, int exitCode)
{
  setRunning(false);
  if (progressBar->maximum() == 0)
    progressBar->setRange(0, 1);
  reload();
  statusLabel->setText(message);
  emit runEnded(exitCode);
}

void EnsembleWindow::setRunning(bool running)
{
  runButton->setEnabled(!running);
  jobsSpin->setEnabled(!running);
  cancelButton->setEnabled(running);
}
