#ifndef VELDRA_ENSEMBLE_WINDOW_H
#define VELDRA_ENSEMBLE_WINDOW_H

#include "cell_array.h"
#include "deck_geometry.h"
#include "ensemble_results.h"

#include <QDialog>
#include <QProcess>

#include <memory>

class LayerMapView;
class QCheckBox;
class QComboBox;
class QCustomPlot;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QVBoxLayout;

// An ensemble of realisations run by quill-ensemble: the P10-P90 band, P50 and mean of the
// rate, cumulative and bottom-hole-pressure curves (each realisation as a faint line on
// request), the percentile arrival maps and reached-fraction maps layer by layer, and a
// local run of the ensemble with a progress bar that can be cancelled.
class EnsembleWindow : public QDialog
{
  Q_OBJECT

public:
  // folder: the ensemble folder; tool: the quill-ensemble program (empty: none found, and
  // running is refused with a message). The window is modeless; the caller shows it.
  EnsembleWindow(const QString &folder, const QString &tool, QWidget *parent = nullptr);
  // A run still going is cancelled, not left behind.
  ~EnsembleWindow() override;

  // Reads the folder again and redraws.
  void reload();
  const EnsembleResults &results() const { return ensemble; }

signals:
  // A run ended (completed, failed or cancelled) and the results were read again.
  void runEnded(int exitCode);

private slots:
  void startRun();
  void cancelRun();
  void readProgress();
  void onRunFinished(int exitCode, QProcess::ExitStatus status);
  void onRunError(QProcess::ProcessError error);
  void drawCurves();
  void showMap();

private:
  void createRunControls(QVBoxLayout *layout);
  void createCurveTab(QWidget *tab);
  void createMapTab(QWidget *tab);
  void setRunning(bool running);
  void endRun(const QString &message, int exitCode);

  QString ensembleFolder;
  QString ensembleTool;
  EnsembleResults ensemble;
  DeckGeometry deck;

  QProcess process;
  QString runOutput;
  QString runErrors;
  QSpinBox *jobsSpin = nullptr;
  QPushButton *runButton = nullptr;
  QPushButton *cancelButton = nullptr;
  QProgressBar *progressBar = nullptr;
  QLabel *statusLabel = nullptr;

  QComboBox *quantityCombo = nullptr;
  QCheckBox *realisationsCheck = nullptr;
  QCustomPlot *curvePlot = nullptr;

  QComboBox *mapCombo = nullptr;
  QSpinBox *layerSpin = nullptr;
  QLineEdit *mapMinText = nullptr;
  QLineEdit *mapMaxText = nullptr;
  QLabel *mapStatusLine = nullptr;
  QVBoxLayout *mapLayout = nullptr;
  QCustomPlot *mapPlot = nullptr;
  CellArray mapValues;
  std::unique_ptr<LayerMapView> mapView;
};

#endif // VELDRA_ENSEMBLE_WINDOW_H
