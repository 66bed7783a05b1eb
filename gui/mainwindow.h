#ifndef VELDRA_MAINWINDOW_H
#define VELDRA_MAINWINDOW_H

#include "deck_geometry.h"
#include "dialog_cascade.h"
#include "observed_production.h"
#include "project.h"
#include "run_results.h"

#include <QDateTime>
#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <optional>
#include <vector>

namespace Ui
{
class MainWindow;
}
class SolverRunDialog;
class WarningsDialog;

// The one top-level window: the open project, the run of the solver, and the plots of the
// deck's properties and of the run's results.
class MainWindow : public QMainWindow
{
  Q_OBJECT

public:
  explicit MainWindow(QWidget *parent = nullptr);
  ~MainWindow() override;

  // Disables everything that needs a project or results; called once after construction.
  void lockControls();

  // Opens the deck at chosenPath as the project: accepted only for a name ending in ".fip"
  // with no further dot, after which the deck's geometry is read and the run controls are
  // enabled. A refused choice shows "Please Select .FIP Data File" and keeps the previous
  // project. Returns whether the choice was accepted.
  bool openProject(const QString &chosenPath);

  // Starts the solver on the project in a modal progress dialog and returns at once; the
  // window's controls stay locked until runFinished.
  void runSolver();

  // The solver program to start; by default quill beside this program, else on the PATH.
  void setSolverProgram(const QString &program) { solverProgram = program; }

  const std::optional<Project> &project() const { return currentProject; }
  const DeckGeometry &geometry() const { return deck; }
  const RunResults &results() const { return runResults; }

  // Reads path as the project's observed production, shows it in the curve dialogs and
  // remembers it with the project; a file that cannot be read is reported with its faults.
  // Returns whether it was read.
  bool loadObservedProduction(const QString &path);

  const ObservedProduction &observedProduction() const { return observed; }

signals:
  // A run ended and its message was dismissed; success: results were loaded.
  void runFinished(bool success);
  // Other measurements of the well were loaded.
  void observedProductionChanged(const ObservedProduction &production);

private slots:
  void on_actionOpen_Porject_triggered();
  void on_OpenProject_clicked();
  void on_actionRun_Vdr_triggered();
  void on_RunVdr_clicked();
  void on_actionRun_Vdr_Parallel_triggered();
  void on_actionRate_Approximation_triggered();
  void on_actionBottom_Hole_Pressure_triggered();
  void on_ViewInputData_clicked();
  void on_actionPermX_triggered();
  void on_actionPermY_triggered();
  void on_actionPermZ_triggered();
  void on_actionPorosity_triggered();
  void on_actionDV_vs_Tau_triggered();
  void on_actionDV_vs_Time_triggered();
  void on_actionPressure_Field_triggered();
  void on_actionOpen_Ensemble_triggered();
  void on_actionQuit_triggered();
  void on_actionAbout_triggered();
  void on_actionUser_Manual_triggered();
  void on_actionLoad_Observed_Production_triggered();

  void onRunEnded(bool exitedNormally, int exitCode);

private:
  void chooseProject();
  void setRunning(bool running);
  void reportRunFailure(const QString &standardError);
  void enablePropertyMaps();
  void enableResultControls();
  void showWarnings(const QString &title, const QString &heading, const QStringList &warnings);
  void showDialog(QWidget *dialog);
  void showProjectDialog(QWidget *dialog);
  void closeProjectDialogs();
  // Where a map's values come from: the open deck, or the last run (which may have been made
  // on another deck).
  enum class MapSource
  {
    Deck,
    Run
  };
  template <class View>
  View *openLayerMap(const CellArray &values, const QString &title, const QString &scaleLabel, MapSource sourceOfValues);

  std::unique_ptr<Ui::MainWindow> ui;
  std::optional<Project> currentProject;
  DeckGeometry deck;
  RunResults runResults;
  // The curve and map dialogs of the open project, and every array its map views point at;
  // both go when another project is opened.
  std::vector<QPointer<QWidget>> projectDialogs;
  ObservedProduction observed;
  std::vector<CellArray> viewedArrays;
  QString solverProgram;
  SolverRunDialog *runDialog = nullptr;
  WarningsDialog *warningsDialog = nullptr;
  DialogCascade cascade{this};
  QDateTime runStartedAt;
};

#endif // VELDRA_MAINWINDOW_H
