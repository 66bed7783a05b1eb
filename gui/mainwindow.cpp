#include "mainwindow.h"

#include "about.h"
#include "bhp.h"
#include "deck_layer_map.h"
#include "eclipse_tools.h"
#include "ensemble_window.h"
#include "platform_paths.h"
#include "pressure_map_reports.h"
#include "project_settings.h"
#include "rateapproximation.h"
#include "run_verdict.h"
#include "solver_command.h"
#include "solver_run_dialog.h"
#include "ui_mainwindow.h"
#include "viewperm.h"
#include "viewreservoir.h"
#include "warnings_dialog.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace
{
// Lines of the solver's standard error shown in the failure message; the rest is cut.
const int SHOWN_ERROR_LINES = 20;
const int STATUS_MESSAGE_MS = 15000;
} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(std::make_unique<Ui::MainWindow>())
{
  ui->setupUi(this);
  new EclipseTools(this);
}

MainWindow::~MainWindow() = default;

void MainWindow::lockControls()
{
  for (QAction *action : {ui->actionBottom_Hole_Pressure, ui->actionDV_vs_Tau, ui->actionDV_vs_Time, ui->actionPermX,
                          ui->actionPermY, ui->actionPermZ, ui->actionPorosity, ui->actionPressure_Field,
                          ui->actionRate_Approximation, ui->actionRun_Vdr, ui->actionRun_Vdr_Parallel,
                          ui->actionLoad_Observed_Production})
    action->setEnabled(false);
  ui->RunVdr->setEnabled(false);
  ui->ViewInputData->setEnabled(false);
  ui->menuDrainage_Volume->setEnabled(false);
  ui->menuPressure_Depletion->setEnabled(false);
  ui->menuReservoir_Data->setEnabled(false);
}

bool MainWindow::openProject(const QString &chosenPath)
{
  std::optional<Project> chosen = projectFromChosenFile(chosenPath);
  if (!chosen)
  {
    QMessageBox::critical(this, tr("Error!"), QStringLiteral("Please Select .FIP Data File"), QMessageBox::Ok);
    return false;
  }
  closeProjectDialogs();
  currentProject = std::move(chosen);
  rememberLastProject(*currentProject);
  setWindowTitle(tr("%1 - Veldra").arg(currentProject->deckBaseName));
  deck = readDeckGeometry(currentProject->deckFilePath);
  statusBar()->showMessage(tr("Opened %1: %2 x %3 x %4 cells.")
                               .arg(QDir::toNativeSeparators(currentProject->deckFilePath))
                               .arg(deck.nx)
                               .arg(deck.ny)
                               .arg(deck.nz));
  if (!deck.warnings.isEmpty())
    showWarnings(tr("Deck Warnings"),
                 tr("Reading %1 gave these warnings:").arg(QDir::toNativeSeparators(currentProject->deckFilePath)),
                 deck.warnings);
  ui->ViewInputData->setEnabled(true);
  ui->RunVdr->setEnabled(true);
  ui->actionRun_Vdr->setEnabled(true);
  ui->actionRun_Vdr_Parallel->setEnabled(true);
  ui->actionLoad_Observed_Production->setEnabled(true);
  enablePropertyMaps();
  observed = ObservedProduction();
  const QString observedFile = observedProductionFile(*currentProject);
  if (!observedFile.isEmpty())
    loadObservedProduction(observedFile);
  return true;
}

bool MainWindow::loadObservedProduction(const QString &path)
{
  QStringList errors;
  ObservedProduction production = readObservedProduction(path, errors);
  if (!errors.isEmpty())
  {
    QMessageBox box(QMessageBox::Critical, tr("Error!"),
                    tr("The observed production %1 cannot be read.").arg(QDir::toNativeSeparators(path)),
                    QMessageBox::Ok, this);
    box.setInformativeText(errors.join(QLatin1Char('\n')));
    box.exec();
    return false;
  }
  observed = std::move(production);
  rememberObservedProductionFile(*currentProject, QFileInfo(path).absoluteFilePath());
  statusBar()->showMessage(
      tr("%1 measurements loaded from %2.").arg(observed.day.size()).arg(QDir::toNativeSeparators(path)),
      STATUS_MESSAGE_MS);
  emit observedProductionChanged(observed);
  return true;
}

void MainWindow::chooseProject()
{
  const QString chosen = QFileDialog::getOpenFileName(this, tr("Load Input Data"), lastProjectFolder(),
                                                      tr("Input decks (*.fip *.FIP);;All files (*)"));
  if (chosen.isEmpty())
    return;
  openProject(chosen);
}

void MainWindow::runSolver()
{
  if (!currentProject || runDialog)
    return;
  const QString program = solverProgram.isEmpty() ? locateSolver() : solverProgram;
  if (program.isEmpty())
  {
    reportRunFailure(tr("The solver program quill was found neither beside Veldra nor on the PATH."));
    emit runFinished(false);
    return;
  }
  // The deck may have been edited since it was opened: take what the solver will read.
  deck = readDeckGeometry(currentProject->deckFilePath);
  runStartedAt = QDateTime::currentDateTime();
  setRunning(true);
  runDialog = new SolverRunDialog(this);
  connect(runDialog, &SolverRunDialog::runEnded, this, &MainWindow::onRunEnded);
  runDialog->start(solverCommand(program, *currentProject));
}

void MainWindow::onRunEnded(bool exitedNormally, int exitCode)
{
  const QString standardError = runDialog->standardError();
  runDialog->deleteLater();
  runDialog = nullptr;
  setRunning(false);

  const bool success =
      runProducedResults(exitedNormally, exitCode, *currentProject, deck.hasPressureModel, runStartedAt);
  if (!success)
  {
    if (standardError.trimmed().isEmpty() && exitedNormally && exitCode == 0)
      reportRunFailure(tr("quill ended without writing the result files of this run."));
    else if (standardError.trimmed().isEmpty())
      reportRunFailure(tr("quill ended with status %1.").arg(exitCode));
    else
      reportRunFailure(standardError);
    emit runFinished(false);
    return;
  }
  // Steps the solver accepted unconverged make results approximate: their count goes with the message.
  QMessageBox complete(QMessageBox::Information, tr("success!"), QStringLiteral("Simulation Complete"),
                       QMessageBox::Ok, this);
  complete.setInformativeText(unconvergedStepCount(standardError));
  complete.exec();
  runResults = loadResults(*currentProject, deck.cellCount, runStartedAt);
  runResults.grid = {deck.nx, deck.ny, deck.nz};
  enableResultControls();
  statusBar()->showMessage(tr("Results loaded."), STATUS_MESSAGE_MS);
  if (!runResults.warnings.isEmpty())
    showWarnings(tr("Result Warnings"), tr("Reading the results of the run gave these warnings:"),
                 runResults.warnings);
  emit runFinished(true);
}

void MainWindow::setRunning(bool running)
{
  menuBar()->setEnabled(!running);
  centralWidget()->setEnabled(!running);
}

void MainWindow::reportRunFailure(const QString &standardError)
{
  QStringList lines = standardError.trimmed().split(QLatin1Char('\n'));
  if (lines.size() > SHOWN_ERROR_LINES)
    lines = lines.mid(lines.size() - SHOWN_ERROR_LINES);
  QMessageBox box(QMessageBox::Critical, tr("Error!"), QStringLiteral("Simulation could not progress"),
                  QMessageBox::Ok, this);
  box.setInformativeText(lines.join(QLatin1Char('\n')));
  box.exec();
}

// The property maps need only the deck.
void MainWindow::enablePropertyMaps()
{
  for (QAction *action : {ui->actionPermX, ui->actionPermY, ui->actionPermZ, ui->actionPorosity})
    action->setEnabled(true);
  ui->menuReservoir_Data->setEnabled(true);
}

// The tau maps come with every run; the curves and the pressure map only with the files of a
// pressure solution.
void MainWindow::enableResultControls()
{
  enablePropertyMaps();
  ui->actionDV_vs_Tau->setEnabled(true);
  ui->actionDV_vs_Time->setEnabled(true);
  ui->actionRate_Approximation->setEnabled(runResults.hasCurves());
  ui->actionBottom_Hole_Pressure->setEnabled(runResults.hasCurves());
  ui->actionPressure_Field->setEnabled(runResults.hasPressureMap());
  ui->menuCalculate_Drainage_Volume->setEnabled(true);
  ui->menuDrainage_Volume->setEnabled(true);
  ui->menuPressure_Depletion->setEnabled(runResults.hasCurves() || runResults.hasPressureMap());
}

// One dialog for all warnings, raised again with the newest list.
void MainWindow::showWarnings(const QString &title, const QString &heading, const QStringList &warnings)
{
  if (!warningsDialog)
  {
    warningsDialog = new WarningsDialog(this);
    cascade.place(warningsDialog);
  }
  warningsDialog->setWarnings(title, heading, warnings);
  warningsDialog->show();
  warningsDialog->raise();
}

// The curve and map dialogs show one project's data: they close when another project opens.
void MainWindow::showProjectDialog(QWidget *dialog)
{
  projectDialogs.emplace_back(dialog);
  showDialog(dialog);
}

void MainWindow::closeProjectDialogs()
{
  for (const QPointer<QWidget> &dialog : projectDialogs)
    delete dialog.data();
  projectDialogs.clear();
  viewedArrays.clear();
}

void MainWindow::showDialog(QWidget *dialog)
{
  cascade.place(dialog);
  dialog->show();
}

template <class View>
View *MainWindow::openLayerMap(const CellArray &values, const QString &title, const QString &scaleLabel,
                               MapSource sourceOfValues)
{
  // Results of a run on another project may not fit the grid of the project now open, even
  // where the cell counts agree.
  const bool fromOtherGrid =
      sourceOfValues == MapSource::Run && runResults.grid != std::array<int, 3>{deck.nx, deck.ny, deck.nz};
  if (!values || values->size() != size_t(deck.cellCount) || fromOtherGrid)
  {
    statusBar()->showMessage(tr("%1 does not fit the grid of this project; run the solver on it first.").arg(title),
                             STATUS_MESSAGE_MS);
    return nullptr;
  }
  viewedArrays.insert(viewedArrays.end(), {deck.cellX, deck.cellY, deck.sizeX, deck.sizeY, values});
  auto *view = new View(deckLayerMapSource(deck, values->data()), title, scaleLabel, this);
  showProjectDialog(view);
  return view;
}

void MainWindow::on_actionOpen_Porject_triggered()
{
  chooseProject();
}

void MainWindow::on_OpenProject_clicked()
{
  chooseProject();
}

void MainWindow::on_actionRun_Vdr_triggered()
{
  runSolver();
}

void MainWindow::on_RunVdr_clicked()
{
  runSolver();
}

void MainWindow::on_actionRun_Vdr_Parallel_triggered()
{
  runSolver();
}

void MainWindow::on_actionRate_Approximation_triggered()
{
  auto *dialog = new RateApproximation(int(runResults.seriesTime.size()), runResults.seriesTime.data(),
                                       runResults.seriesRate.data(), runResults.seriesCum.data(), this);
  dialog->setProducedFluid(deck.producedFluid);
  dialog->setObserved(observed);
  connect(this, &MainWindow::observedProductionChanged, dialog, &RateApproximation::setObserved);
  showProjectDialog(dialog);
}

void MainWindow::on_actionBottom_Hole_Pressure_triggered()
{
  auto *dialog = new BHP(int(runResults.seriesTime.size()), runResults.seriesTime.data(),
                         runResults.seriesBhp.data(), this);
  dialog->setObserved(observed);
  connect(this, &MainWindow::observedProductionChanged, dialog, &BHP::setObserved);
  showProjectDialog(dialog);
}

void MainWindow::on_ViewInputData_clicked()
{
  if (!currentProject)
    return;
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(currentProject->deckFilePath)))
    statusBar()->showMessage(tr("No editor could be started on %1.")
                                 .arg(QDir::toNativeSeparators(currentProject->deckFilePath)),
                             STATUS_MESSAGE_MS);
}

void MainWindow::on_actionPermX_triggered()
{
  openLayerMap<Viewperm>(deck.permX, tr("PermX"), QStringLiteral("Permeability (mD)"), MapSource::Deck);
}

void MainWindow::on_actionPermY_triggered()
{
  openLayerMap<Viewperm>(deck.permY, tr("PermY"), QStringLiteral("Permeability (mD)"), MapSource::Deck);
}

void MainWindow::on_actionPermZ_triggered()
{
  openLayerMap<Viewperm>(deck.permZ, tr("PermZ"), QStringLiteral("Permeability (mD)"), MapSource::Deck);
}

void MainWindow::on_actionPorosity_triggered()
{
  openLayerMap<viewreservoir>(deck.poro, tr("Porosity"), QStringLiteral("Porosity"), MapSource::Deck);
}

void MainWindow::on_actionDV_vs_Tau_triggered()
{
  openLayerMap<viewreservoir>(runResults.tauField, tr("DV vs. Tau"), QStringLiteral("Tau (days^0.5)"),
                                MapSource::Run);
}

void MainWindow::on_actionDV_vs_Time_triggered()
{
  openLayerMap<viewreservoir>(runResults.timeField, tr("DV vs. Time"), QStringLiteral("Time (days)"),
                                MapSource::Run);
}

void MainWindow::on_actionPressure_Field_triggered()
{
  viewreservoir *view = openLayerMap<viewreservoir>(runResults.pressureField, tr("Pressure Field"),
                                                    QStringLiteral("Pressure (psia)"), MapSource::Run);
  if (view)
    view->setReports(pressureMapReports(*currentProject, runResults.pressureReports, deck.cellCount));
}

void MainWindow::on_actionOpen_Ensemble_triggered()
{
  const QString folder = QFileDialog::getExistingDirectory(this, tr("Open Ensemble"), lastProjectFolder());
  if (folder.isEmpty())
    return;
  auto *window = new EnsembleWindow(folder, locateEnsembleTool(), this);
  if (!window->results().problem.isEmpty())
  {
    QMessageBox::critical(this, tr("Error!"), window->results().problem, QMessageBox::Ok);
    delete window;
    return;
  }
  showDialog(window);
}

void MainWindow::on_actionQuit_triggered()
{
  close();
}

void MainWindow::on_actionAbout_triggered()
{
  showDialog(new About(this));
}

void MainWindow::on_actionUser_Manual_triggered()
{
  const QString manual = locateInstallationFile(QStringLiteral("User_Manual.pdf"));
  if (!QFileInfo(manual).isFile() || !QDesktopServices::openUrl(QUrl::fromLocalFile(manual)))
    statusBar()->showMessage(tr("The user manual %1 cannot be opened.").arg(QDir::toNativeSeparators(manual)),
                             STATUS_MESSAGE_MS);
}

void MainWindow::on_actionLoad_Observed_Production_triggered()
{
  if (!currentProject)
    return;
  const QString chosen = QFileDialog::getOpenFileName(
      this, tr("Load Observed Production"), QString::fromUtf8(currentProject->projectDir),
      tr("Production data (*.csv *.txt *.tsv);;All files (*)"));
  if (!chosen.isEmpty())
    loadObservedProduction(chosen);
}
