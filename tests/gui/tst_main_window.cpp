// The main window driven as a user would: opening a project, running the solver (a stand-in
// script, and the real quill where it is built), and opening the views of the results.

#include "mainwindow.h"
#include "message_box_catcher.h"
#include "result_readers.h"
#include "solver_run_dialog.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <qcustomplot.h>

namespace
{
const int RUN_TIMEOUT_MS = 180000;

void writeFile(const QString &path, const QByteArray &text)
{
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(text);
}

// A stand-in for the solver: a script started directly (no shell command line) as quill is.
QString writeSolverScript(const QString &path, const QByteArray &body)
{
  writeFile(path, "#!/bin/sh\n" + body);
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  return path;
}

void makeStale(const QString &path)
{
  QFile file(path);
  QVERIFY(file.open(QIODevice::ReadWrite));
  QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
}

void copyDirectory(const QString &from, const QString &to)
{
  for (const QString &name : QDir(from).entryList(QDir::Files))
    QVERIFY(QFile::copy(QDir(from).filePath(name), QDir(to).filePath(name)));
}

void saveScreenshot(QWidget *widget, const QString &name)
{
  QDir().mkpath(VELDRA_SCREENSHOT_DIR);
  QVERIFY(widget->grab().save(QStringLiteral(VELDRA_SCREENSHOT_DIR "/") + name));
}

const char SMALL_DECK[] = "DIMENS\n3 2 2\nDX\n100\nDY\n50\nDZ\n10\nPORO\n0.2\nPERMX\n5\nPERMZ\n0.5\n"
                          "COMPLOC\n1 1 1\n/\nINIT_TOTAL_COMPRESSIBILITY\n1e-5\nINIT_VISCOSITY\n0.02\n"
                          "SIMULATION\n";

// Writes every result file the way quill does, into the doubled-slash directory it is given,
// and keeps the arguments it was started with.
const char FULL_RUN[] =
    "printf '%s\\n' \"$1\" \"$2\" > \"$2/args.txt\"\n"
    "echo 'Running Fast Marching Algorithm costs ..0.001 seconds.'\n"
    "sleep 1\n"
    "printf '1    100\\n2    150\\n3    120\\n' > \"$2/$1_RATE\"\n"
    "printf '1    100\\n2    250\\n3    370\\n' > \"$2/$1_Cum\"\n"
    "printf '1    4000\\n2    3900\\n3    3800\\n' > \"$2/$1_BHP\"\n"
    "printf 'FILEUNIT\\n  FIELD /\\n\\nPRESSURE_1\\n1  2  3  4  5  6  7  8  9  10  11  12   /' "
    "> \"$2/$1_PRESSURE_1.grdecl\"\n"
    "printf 'FILEUNIT\\n  FIELD /\\n\\nPRESSURE_3\\n3  3  3  3  3  3  3  3  3  3  3  3   /' "
    "> \"$2/$1_PRESSURE_3.grdecl\"\n"
    "printf 'DTOF_sqrt(days)\\n0\\n1\\n2\\n3\\n4\\n5\\n6\\n7\\n8\\n9\\n10\\n11\\n/\\n' > \"$2/$1.tau.grdecl\"\n"
    "printf 'Physical_Time(days)\\n0\\n1\\n2\\n3\\n4\\n5\\n6\\n7\\n8\\n9\\n10\\n11\\n/\\n' > \"$2/$1.time.grdecl\"\n"
    "echo 'Fast Marching Simulation is completed!'\n";

template <class T> T *child(QObject *parent, const char *name)
{
  T *found = parent->findChild<T *>(QString::fromLatin1(name));
  if (!found)
    qFatal("no child %s", name);
  return found;
}

QDialog *dialogTitled(QWidget *parent, const QString &title)
{
  for (QDialog *dialog : parent->findChildren<QDialog *>())
    if (dialog->windowTitle() == title && dialog->isVisible())
      return dialog;
  return nullptr;
}

const char *const RESULT_ACTIONS[] = {"actionPermX",   "actionPermY",    "actionPermZ",
                                      "actionPorosity", "actionDV_vs_Tau", "actionDV_vs_Time"};
} // namespace

class TestMainWindow : public QObject
{
  Q_OBJECT

private slots:
  void initTestCase();
  void init();
  void cleanup();
  void startsWithProjectAndResultControlsLocked();
  void refusedChoiceShowsMessageAndKeepsProject();
  void openedDeckNamesWindowOffersPropertyMapsAndListsWarnings();
  void openDialogStartsInLastFolderAndCancelIsQuiet();
  void observedProductionIsRememberedWithTheProject();
  void failedRunIsNotSavedByOldRateFile();
  void runLocksWindowPassesArgumentsAndLoadsResults();
  void realRunWithoutPressureModel();
  void realRunWithPressureMaps();
  void realRunOfBundledShaleGasExample();
  void unconvergedStepCountShowsWithSuccess();
  void openingAnotherProjectClosesItsViewsAndRefusesForeignMaps();

private:
  bool runToEnd();
  QString openSmallProject(const QString &dirName);

  std::unique_ptr<QTemporaryDir> dir;
  std::unique_ptr<MainWindow> window;
  std::unique_ptr<MessageBoxCatcher> messages;
};

void TestMainWindow::initTestCase()
{
  // The remembered folders and files go to a settings file of the tests' own.
  QStandardPaths::setTestModeEnabled(true);
}

void TestMainWindow::init()
{
  QSettings(QStringLiteral("Veldra"), QStringLiteral("Veldra")).clear();
  dir = std::make_unique<QTemporaryDir>();
  window = std::make_unique<MainWindow>();
  window->lockControls();
  window->show();
  QVERIFY(QTest::qWaitForWindowExposed(window.get()));
  messages = std::make_unique<MessageBoxCatcher>();
}

void TestMainWindow::cleanup()
{
  messages.reset();
  window.reset();
  dir.reset();
}

bool TestMainWindow::runToEnd()
{
  QSignalSpy finished(window.get(), &MainWindow::runFinished);
  window->runSolver();
  if (!finished.wait(RUN_TIMEOUT_MS))
    return false;
  return finished.first().first().toBool();
}

// A project in a directory whose name holds a blank and shell characters.
QString TestMainWindow::openSmallProject(const QString &dirName)
{
  const QString projectDir = dir->filePath(dirName);
  QDir().mkpath(projectDir);
  const QString deck = QDir(projectDir).filePath("small.fip");
  writeFile(deck, SMALL_DECK);
  if (!window->openProject(deck))
    return QString();
  return projectDir;
}

void TestMainWindow::startsWithProjectAndResultControlsLocked()
{
  for (const char *name : {"actionBottom_Hole_Pressure", "actionDV_vs_Tau", "actionDV_vs_Time", "actionPermX",
                           "actionPermY", "actionPermZ", "actionPorosity", "actionPressure_Field",
                           "actionRate_Approximation", "actionRun_Vdr", "actionRun_Vdr_Parallel"})
    QVERIFY2(!child<QAction>(window.get(), name)->isEnabled(), name);
  for (const char *name : {"actionOpen_Porject", "actionClose_Project", "actionSave_Project",
                           "actionSave_Project_as", "actionQuit", "actionAbout", "actionUser_Manual"})
    QVERIFY2(child<QAction>(window.get(), name)->isEnabled(), name);
  QVERIFY(!child<QPushButton>(window.get(), "RunVdr")->isEnabled());
  QVERIFY(!child<QPushButton>(window.get(), "ViewInputData")->isEnabled());
  QVERIFY(child<QPushButton>(window.get(), "OpenProject")->isEnabled());
  QVERIFY(!child<QMenu>(window.get(), "menuReservoir_Data")->isEnabled());
  QVERIFY(!child<QMenu>(window.get(), "menuDrainage_Volume")->isEnabled());
  QVERIFY(!child<QMenu>(window.get(), "menuPressure_Depletion")->isEnabled());
  QVERIFY(child<QMenu>(window.get(), "menuCalculate_Drainage_Volume")->isEnabled());
  QCOMPARE(child<QAction>(window.get(), "actionRun_Vdr_Parallel")->shortcut(), QKeySequence("Ctrl+P"));
  QCOMPARE(child<QPushButton>(window.get(), "RunVdr")->text(), QStringLiteral("Run Veldra"));
  QCOMPARE(window->windowTitle(), QStringLiteral("Veldra"));
  QCOMPARE(window->size(), QSize(866, 516));
  saveScreenshot(window.get(), "main_window.png");

  child<QAction>(window.get(), "actionAbout")->trigger();
  QDialog *about = dialogTitled(window.get(), "About Veldra");
  QVERIFY(about);
  QVERIFY(about->findChild<QLabel *>("notice")->text() == "This product is not intended for commercial usage.  ");
  saveScreenshot(about, "about.png");
  about->findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Close)->click();
  QVERIFY(!about->isVisible());
}

void TestMainWindow::refusedChoiceShowsMessageAndKeepsProject()
{
  for (const char *name : {"CASE.FIP", "CASE.NEW.fip", ""})
  {
    QVERIFY(!window->openProject(*name ? dir->filePath(name) : QString()));
    QCOMPARE(messages->texts.takeFirst(), QStringLiteral("Error!|Please Select .FIP Data File|"));
    QVERIFY(!child<QPushButton>(window.get(), "RunVdr")->isEnabled());
  }

  const QString projectDir = openSmallProject("first");
  QVERIFY(!projectDir.isEmpty());
  QVERIFY(messages->texts.isEmpty());
  QVERIFY(child<QPushButton>(window.get(), "RunVdr")->isEnabled());
  QVERIFY(child<QPushButton>(window.get(), "ViewInputData")->isEnabled());
  QVERIFY(child<QAction>(window.get(), "actionRun_Vdr")->isEnabled());
  QVERIFY(child<QAction>(window.get(), "actionRun_Vdr_Parallel")->isEnabled());
  QCOMPARE(window->geometry().cellCount, 12);
  QVERIFY(window->geometry().hasPressureModel);

  QVERIFY(!window->openProject(QDir(projectDir).filePath("small.FIP")));
  QCOMPARE(window->project()->deckBaseName, QStringLiteral("small"));
  QVERIFY(window->project()->deckFilePath.endsWith("/small.fip"));
}

void TestMainWindow::openedDeckNamesWindowOffersPropertyMapsAndListsWarnings()
{
  const QString deck = dir->filePath("no_poro.fip");
  writeFile(deck, "DIMENS\n3 2 1\nDX\n100\nDY\n50\nDZ\n10\nPERMX\n5\n");
  QVERIFY(window->openProject(deck));
  QCOMPARE(window->windowTitle(), QStringLiteral("no_poro - Veldra"));
  QVERIFY(child<QMenu>(window.get(), "menuReservoir_Data")->isEnabled());
  QVERIFY(!child<QAction>(window.get(), "actionDV_vs_Tau")->isEnabled());
  QDialog *warnings = dialogTitled(window.get(), "Deck Warnings");
  QVERIFY(warnings);
  QVERIFY(child<QPlainTextEdit>(warnings, "warningList")->toPlainText().contains("The deck gives no porosity; 0 is used."));
  saveScreenshot(warnings, "deck_warnings.png");

  // The input maps open before any run, each placed below and right of the one before.
  child<QAction>(window.get(), "actionPermX")->trigger();
  child<QAction>(window.get(), "actionPorosity")->trigger();
  QDialog *permX = dialogTitled(window.get(), "PermX");
  QDialog *porosity = dialogTitled(window.get(), "Porosity");
  QVERIFY(permX && porosity);
  QVERIFY(porosity->pos().x() > permX->pos().x());
  QVERIFY(porosity->pos().y() > permX->pos().y());
}

void TestMainWindow::openDialogStartsInLastFolderAndCancelIsQuiet()
{
  const QString projectDir = openSmallProject("last folder");
  window.reset(new MainWindow);
  window->show();
  QString shownFolder;
  QTimer::singleShot(200, [&shownFolder] {
    for (QWidget *widget : QApplication::topLevelWidgets())
      if (auto *dialog = qobject_cast<QFileDialog *>(widget); dialog && dialog->isVisible())
      {
        shownFolder = dialog->directory().absolutePath();
        dialog->reject();
      }
  });
  child<QAction>(window.get(), "actionOpen_Porject")->trigger();
  QCOMPARE(shownFolder, QDir(projectDir).absolutePath());
  QTest::qWait(100);
  QVERIFY(messages->texts.isEmpty());
  QVERIFY(!window->project());
}

void TestMainWindow::observedProductionIsRememberedWithTheProject()
{
  const QString projectDir = openSmallProject("observed");
  const QString broken = QDir(projectDir).filePath("broken.csv");
  writeFile(broken, "day,rate\n10,100\n20,lots\n");
  QVERIFY(!window->loadObservedProduction(broken));
  QCOMPARE(messages->texts.takeFirst(),
           "Error!|The observed production " + QDir::toNativeSeparators(broken) +
               " cannot be read.|Line 3: the rate \"lots\" is not a number.");
  QVERIFY(window->observedProduction().isEmpty());

  const QString measured = QDir(projectDir).filePath("measured.csv");
  writeFile(measured, "day;rate;bhp\n10;100,5;3900\n20;90;3850\n");
  QVERIFY(window->loadObservedProduction(measured));
  QCOMPARE(window->observedProduction().rate, QVector<double>({100.5, 90}));

  // Opened again, in a new session, the project comes with its measurements.
  window.reset(new MainWindow);
  window->lockControls();
  QVERIFY(!child<QAction>(window.get(), "actionLoad_Observed_Production")->isEnabled());
  QVERIFY(window->openProject(QDir(projectDir).filePath("small.fip")));
  QVERIFY(child<QAction>(window.get(), "actionLoad_Observed_Production")->isEnabled());
  QCOMPARE(window->observedProduction().day, QVector<double>({10, 20}));
  QVERIFY(messages->texts.isEmpty());
}

void TestMainWindow::failedRunIsNotSavedByOldRateFile()
{
  const QString projectDir = openSmallProject("failing run");
  for (const char *name : {"small_RATE", "small.tau.grdecl"})
  {
    writeFile(QDir(projectDir).filePath(name), "1 2\n");
    makeStale(QDir(projectDir).filePath(name));
  }
  window->setSolverProgram(writeSolverScript(
      dir->filePath("quill"), "printf '\\nError in reading PORO data!\\n' >&2\nexit 1\n"));
  QVERIFY(!runToEnd());
  QCOMPARE(messages->texts.size(), 1);
  QCOMPARE(messages->texts.first(), QStringLiteral("Error!|Simulation could not progress|Error in reading PORO data!"));
  QVERIFY(!child<QAction>(window.get(), "actionDV_vs_Tau")->isEnabled());
  QVERIFY(child<QMenuBar>(window.get(), "menubar")->isEnabled());

  // A solver that cannot be started is a failure with its reason, not a hang.
  messages->texts.clear();
  window->setSolverProgram(dir->filePath("no such solver"));
  QVERIFY(!runToEnd());
  QVERIFY2(messages->texts.first().startsWith("Error!|Simulation could not progress|quill could not be started"),
           qPrintable(messages->texts.first()));
}

void TestMainWindow::runLocksWindowPassesArgumentsAndLoadsResults()
{
  const QString projectDir = openSmallProject("run $dir; `x`");
  window->setSolverProgram(writeSolverScript(dir->filePath("quill"), FULL_RUN));
  QSignalSpy finished(window.get(), &MainWindow::runFinished);
  window->runSolver();
  QVERIFY(!window->menuBar()->isEnabled());
  QVERIFY(!window->centralWidget()->isEnabled());
  SolverRunDialog *progress = window->findChild<SolverRunDialog *>();
  QVERIFY(progress && progress->isVisible());
  QTRY_VERIFY_WITH_TIMEOUT(progress->findChild<QPlainTextEdit *>("solverOutput")
                               ->toPlainText()
                               .contains("Running Fast Marching Algorithm costs"),
                           10000);
  saveScreenshot(progress, "run_progress.png");
  QVERIFY(finished.wait(RUN_TIMEOUT_MS));
  QVERIFY(finished.first().first().toBool());
  QCOMPARE(messages->texts, QStringList("success!|Simulation Complete|"));
  QVERIFY(window->menuBar()->isEnabled());

  QFile arguments(QDir(projectDir).filePath("args.txt"));
  QVERIFY(arguments.open(QIODevice::ReadOnly));
  QCOMPARE(QString::fromUtf8(arguments.readAll()),
           "small\n" + QString(projectDir).replace("/", "//") + "\n");

  const RunResults &r = window->results();
  QCOMPARE(r.seriesRate, std::vector<double>({100, 150, 120}));
  QCOMPARE(r.seriesBhp, std::vector<double>({4000, 3900, 3800}));
  QCOMPARE(r.pressureMapNumber, 3);
  QCOMPARE(r.pressureField->at(0), 3.0);
  QCOMPARE(r.tauField->at(11), 11.0);
  for (const char *name : RESULT_ACTIONS)
    QVERIFY2(child<QAction>(window.get(), name)->isEnabled(), name);
  QVERIFY(child<QAction>(window.get(), "actionRate_Approximation")->isEnabled());
  QVERIFY(child<QAction>(window.get(), "actionBottom_Hole_Pressure")->isEnabled());
  QVERIFY(child<QAction>(window.get(), "actionPressure_Field")->isEnabled());
  QVERIFY(child<QMenu>(window.get(), "menuPressure_Depletion")->isEnabled());

  // Every view opens with its title; two of the same kind may be open at once.
  const QStringList titles = {"PermX", "PermY", "PermZ", "Porosity", "DV vs. Tau", "DV vs. Time", "Pressure Field"};
  const QStringList actions = {"actionPermX",     "actionPermY",      "actionPermZ",         "actionPorosity",
                               "actionDV_vs_Tau", "actionDV_vs_Time", "actionPressure_Field"};
  for (int i = 0; i < titles.size(); ++i)
  {
    child<QAction>(window.get(), qPrintable(actions[i]))->trigger();
    QVERIFY2(dialogTitled(window.get(), titles[i]), qPrintable(titles[i]));
  }
  child<QAction>(window.get(), "actionPermX")->trigger();
  int permXViews = 0;
  for (QDialog *dialog : window->findChildren<QDialog *>())
    permXViews += dialog->windowTitle() == "PermX";
  QCOMPARE(permXViews, 2);
  child<QAction>(window.get(), "actionRate_Approximation")->trigger();
  QVERIFY(dialogTitled(window.get(), "Rate Approximation"));
  child<QAction>(window.get(), "actionBottom_Hole_Pressure")->trigger();
  QVERIFY(dialogTitled(window.get(), "BottomHole Pressure"));
  QCOMPARE(messages->texts.size(), 1);
}

void TestMainWindow::realRunWithoutPressureModel()
{
  const QString golden = QStringLiteral(VELDRA_GOLDEN_DIR "/case1");
  if (!QFileInfo(VELDRA_SOLVER).isExecutable())
    QSKIP("quill is not built");
  if (!QDir(golden).exists())
    QSKIP("the golden decks are not available here");
  copyDirectory(golden, dir->path());
  QVERIFY(window->openProject(dir->filePath("case1.fip")));
  window->setSolverProgram(VELDRA_SOLVER);
  QVERIFY(runToEnd());
  QCOMPARE(messages->texts, QStringList("success!|Simulation Complete|"));

  const RunResults &r = window->results();
  QVERIFY(!r.hasCurves());
  QVERIFY(!r.hasPressureMap());
  const GridField expected = readGridField(golden + "/expected/case1.tau.grdecl", "DTOF_sqrt(days)", 5 * 17 * 8);
  QVERIFY(expected.complete);
  QCOMPARE(r.tauField->size(), expected.values.size());
  for (size_t c = 0; c < expected.values.size(); ++c)
    QVERIFY2(qAbs(r.tauField->at(c) - expected.values[c]) <= 1e-5 * qAbs(expected.values[c]) + 1e-9,
             qPrintable(QString("cell %1").arg(c)));
  for (const char *name : RESULT_ACTIONS)
    QVERIFY2(child<QAction>(window.get(), name)->isEnabled(), name);
  QVERIFY(!child<QAction>(window.get(), "actionRate_Approximation")->isEnabled());
  QVERIFY(!child<QAction>(window.get(), "actionPressure_Field")->isEnabled());

  child<QAction>(window.get(), "actionDV_vs_Tau")->trigger();
  QDialog *tauMap = dialogTitled(window.get(), "DV vs. Tau");
  QVERIFY(tauMap);
  saveScreenshot(tauMap, "case1_tau_map.png");
}

void TestMainWindow::realRunWithPressureMaps()
{
  const QString golden = QStringLiteral(VELDRA_GOLDEN_DIR "/case12");
  if (!QFileInfo(VELDRA_SOLVER).isExecutable())
    QSKIP("quill is not built");
  if (!QDir(golden).exists())
    QSKIP("the golden decks are not available here");
  copyDirectory(golden, dir->path());
  QVERIFY(window->openProject(dir->filePath("case12.fip")));
  window->setSolverProgram(VELDRA_SOLVER);
  QVERIFY(runToEnd());

  const RunResults &r = window->results();
  const Curve expectedRate = readCurveFile(golden + "/expected/case12_RATE");
  QCOMPARE(r.seriesTime.size(), expectedRate.time.size());
  QCOMPARE(r.pressureMapNumber, 34); // the last map of the schedule, not the first row's
  QCOMPARE(r.warnings, QStringList());
  QVERIFY(child<QAction>(window.get(), "actionPressure_Field")->isEnabled());

  child<QAction>(window.get(), "actionPressure_Field")->trigger();
  QDialog *pressureMap = dialogTitled(window.get(), "Pressure Field");
  QVERIFY(pressureMap);
  saveScreenshot(pressureMap, "case12_pressure_map.png");
  child<QAction>(window.get(), "actionRate_Approximation")->trigger();
  QDialog *rate = dialogTitled(window.get(), "Rate Approximation");
  QVERIFY(rate);
  rate->findChild<QComboBox *>("DataCombo")->setCurrentText("Production Rate");
  rate->findChild<QPushButton *>("PlotButton")->click();
  saveScreenshot(rate, "case12_rate_curve.png");
  saveScreenshot(window.get(), "main_window_with_results.png");
}

void TestMainWindow::realRunOfBundledShaleGasExample()
{
  // The example ships with every checkout, so this run needs nothing from outside the tree.
  if (!QFileInfo(VELDRA_SOLVER).isExecutable())
    QSKIP("quill is not built");
  copyDirectory(VELDRA_EXAMPLES_DIR "/shale_gas", dir->path());
  QVERIFY(window->openProject(dir->filePath("shale_gas.fip")));
  window->setSolverProgram(VELDRA_SOLVER);
  QVERIFY(runToEnd());
  QCOMPARE(messages->texts, QStringList("success!|Simulation Complete|"));

  const RunResults &r        = window->results();
  const Curve       expected = readCurveFile(VELDRA_PINNED_RESULTS_DIR "/shale_gas_RATE");
  QCOMPARE(r.seriesTime.size(), expected.time.size());
  for (size_t s = 0; s < expected.time.size(); ++s)
    QVERIFY2(qAbs(r.seriesRate[s] - expected.value[s]) <= 1e-5 * qAbs(expected.value[s]),
             qPrintable(QString("step %1").arg(s)));
  QCOMPARE(r.pressureMapNumber, 40); // 40 steps, a map every 10: 1, 11, 21, 31 and the last

  // The map opens at the last report; stepping back to the first keeps the layer shown.
  child<QAction>(window.get(), "actionPressure_Field")->trigger();
  QDialog *pressureMap = dialogTitled(window.get(), "Pressure Field");
  QVERIFY(pressureMap);
  auto *reports = child<QSlider>(pressureMap, "ReportSlider");
  QVERIFY(child<QWidget>(pressureMap, "ReportGroup")->isVisible());
  QCOMPARE(reports->maximum(), 4);
  QCOMPARE(reports->value(), 4);
  QCOMPARE(child<QLabel>(pressureMap, "ReportLabel")->text(), QStringLiteral("Step 40, day 1825 (map 5 of 5)"));
  child<QSpinBox>(pressureMap, "LayerSpin")->setValue(2);
  pressureMap->resize(1000, 640);
  QTest::qWait(50);
  child<QCustomPlot>(pressureMap, "widget")->replot();
  saveScreenshot(pressureMap, "shale_gas_pressure_map.png");
  reports->setValue(0);
  QCOMPARE(child<QLabel>(pressureMap, "ReportLabel")->text(), QStringLiteral("Step 1, day 0.01 (map 1 of 5)"));
  const GridField first = readGridField(dir->filePath("shale_gas_PRESSURE_1.grdecl"), "PRESSURE_1", 31 * 31 * 3);
  auto *map = qobject_cast<QCPColorMap *>(child<QCustomPlot>(pressureMap, "widget")->plottable(0));
  QCOMPARE(map->data()->cell(15, 15), first.values[31 * 31 + 15 * 31 + 15]);
  saveScreenshot(pressureMap, "shale_gas_first_pressure_report.png");
  // The example's measured production beside the forecast, in a window of a size to read.
  QVERIFY(window->loadObservedProduction(dir->filePath("shale_gas_observed.csv")));
  child<QAction>(window.get(), "actionRate_Approximation")->trigger();
  QDialog *rate = dialogTitled(window.get(), "Rate Approximation");
  QVERIFY(rate);
  rate->resize(1000, 560);
  rate->findChild<QComboBox *>("DataCombo")->setCurrentText("Production Rate");
  rate->findChild<QPushButton *>("PlotButton")->click();
  QCOMPARE(child<QCustomPlot>(rate, "widget")->yAxis->label(), QStringLiteral("Production Rate (Mscf/D)"));
  QCOMPARE(child<QCustomPlot>(rate, "widget")->graph(1)->dataCount(), 59);
  QVERIFY(child<QLabel>(rate, "misfitLabel")->text().contains("59 measured rates of shale_gas_observed.csv"));
  child<QCheckBox>(rate, "xLogRadio")->click();
  child<QCheckBox>(rate, "yLogRadio")->click();
  child<QCustomPlot>(rate, "widget")->replot();
  saveScreenshot(rate, "shale_gas_rate_curve.png");
}

void TestMainWindow::unconvergedStepCountShowsWithSuccess()
{
  openSmallProject("approximate");
  window->setSolverProgram(writeSolverScript(
      dir->filePath("quill"),
      QByteArray("echo 'Warning: step 2 (day 1) did not converge in 49 iterations; its results are approximate.' >&2\n")
          + FULL_RUN
          + "echo 'Warning: 1 of 3 steps did not converge in 49 iterations; their results are approximate.' >&2\n"));
  QVERIFY(runToEnd());
  QCOMPARE(messages->texts, QStringList("success!|Simulation Complete|Warning: 1 of 3 steps did not converge in 49 "
                                        "iterations; their results are approximate."));
}

void TestMainWindow::openingAnotherProjectClosesItsViewsAndRefusesForeignMaps()
{
  openSmallProject("first");
  window->setSolverProgram(writeSolverScript(dir->filePath("quill"), FULL_RUN));
  QVERIFY(runToEnd());
  child<QAction>(window.get(), "actionDV_vs_Tau")->trigger();
  child<QAction>(window.get(), "actionRate_Approximation")->trigger();
  child<QAction>(window.get(), "actionPermX")->trigger();
  QVERIFY(dialogTitled(window.get(), "DV vs. Tau") && dialogTitled(window.get(), "Rate Approximation"));

  // The same 12 cells as 2 x 3 x 2: the first project's tau map does not belong to this grid.
  const QString second = dir->filePath("second.fip");
  writeFile(second, QByteArray(SMALL_DECK).replace("DIMENS\n3 2 2", "DIMENS\n2 3 2"));
  QVERIFY(window->openProject(second));
  for (const char *title : {"DV vs. Tau", "Rate Approximation", "PermX"})
    QVERIFY2(!dialogTitled(window.get(), title), title);
  child<QAction>(window.get(), "actionDV_vs_Tau")->trigger();
  QVERIFY(!dialogTitled(window.get(), "DV vs. Tau"));
  QVERIFY(window->statusBar()->currentMessage().startsWith("DV vs. Tau does not fit the grid of this project"));
  child<QAction>(window.get(), "actionPermX")->trigger();
  QVERIFY(dialogTitled(window.get(), "PermX"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
