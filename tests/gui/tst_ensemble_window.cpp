// The ensemble window: a local run started from it fills the progress bar and shows the
// P10-P90 band, P50 and mean (and each realisation on request) and the collected maps; a run
// can be cancelled.

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <qcustomplot.h>

#include "ensemble_window.h"

namespace
{
const char DECK[] = "DIMENS\n6 6 2\nDX\n50\nDY\n50\nDZ\n20\nPORO\n0.2\nPERMX\nINCLUDE\nPERMX.inc\n"
                    "COMPLOC\n3 3 1\n3 3 2\n/\nSIMULATION\n-- pressure model\nOIL\nPRESSURE\n3000\nSWL\n0.2\n"
                    "RCOMP\n3000 4e-6\nPVDO\n1000 1.1 1.5\n4000 1.08 1.6\n/\nRPTPRE\nFREQ=5\n"
                    "WCONPROD\n100 ORAT 500 100 8\n/\nEND\n";
const int REALISATIONS = 3;
const int RUN_WAIT_MS = 60000;

void writeFile(const QString &path, const QByteArray &text)
{
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(text);
}

// An ensemble of REALISATIONS permeability fields of 20, 40, 60 md on a 6 x 6 x 2 grid.
void writeEnsemble(const QString &folder)
{
  writeFile(folder + "/case.fip", DECK);
  for (int r = 1; r <= REALISATIONS; ++r)
    writeFile(QStringLiteral("%1/r%2/PERMX.inc").arg(folder).arg(r),
              QString(QStringLiteral("%1\n").arg(20 * r)).repeated(72).toLatin1());
}

template <class Widget> Widget *child(EnsembleWindow &window, const char *name)
{
  auto *widget = window.findChild<Widget *>(name);
  if (!widget)
    qFatal("no widget %s", name);
  return widget;
}
} // namespace

class TestEnsembleWindow : public QObject
{
  Q_OBJECT

private slots:
  void runFromTheWindowShowsTheSpreadAndTheMaps();
  void cancelEndsTheRun();
};

void TestEnsembleWindow::runFromTheWindowShowsTheSpreadAndTheMaps()
{
  QTemporaryDir scratch;
  writeEnsemble(scratch.path());
  EnsembleWindow window(scratch.path(), VELDRA_ENSEMBLE_TOOL);
  window.show();
  QVERIFY(child<QLabel>(window, "statusLabel")->text().startsWith("No collected curves yet"));
  QCOMPARE(child<QComboBox>(window, "mapCombo")->count(), 0);

  QSignalSpy ended(&window, &EnsembleWindow::runEnded);
  QTest::mouseClick(child<QPushButton>(window, "runButton"), Qt::LeftButton);
  QVERIFY(!child<QPushButton>(window, "runButton")->isEnabled());
  QVERIFY(ended.wait(RUN_WAIT_MS));
  QCOMPARE(ended.front().front().toInt(), 0);
  QCOMPARE(child<QLabel>(window, "statusLabel")->text(), QStringLiteral("All realisations finished and were collected."));
  auto *progress = child<QProgressBar>(window, "progressBar");
  QCOMPARE(progress->maximum(), REALISATIONS);
  QCOMPARE(progress->value(), REALISATIONS);

  // The band (its low and high edges), P50 and mean; then a faint line per realisation.
  auto *curves = child<QCustomPlot>(window, "curvePlot");
  QCOMPARE(curves->graphCount(), 4);
  QCOMPARE(curves->graph(1)->name(), QStringLiteral("P10 - P90"));
  QCOMPARE(curves->graph(1)->channelFillGraph(), curves->graph(0));
  QCOMPARE(int(window.results().time.size()), 8);
  child<QCheckBox>(window, "realisationsCheck")->setChecked(true);
  QCOMPARE(curves->graphCount(), 4 + REALISATIONS);
  QDir().mkpath(VELDRA_SCREENSHOT_DIR);
  QVERIFY(window.grab().save(QStringLiteral(VELDRA_SCREENSHOT_DIR "/ensemble_window.png")));

  // Arrival P10, P50, P90 and the reached fractions on the days of maps 1, 6 and 8.
  auto *maps = child<QComboBox>(window, "mapCombo");
  QCOMPARE(maps->count(), 3 + 3);
  QCOMPARE(maps->itemText(1), QStringLiteral("Arrival time P50 (days)"));
  QVERIFY(maps->itemText(5).startsWith("Reached by day 100"));
  window.findChild<QTabWidget *>()->setCurrentIndex(1);
  maps->setCurrentIndex(1);
  auto *map = child<QCustomPlot>(window, "mapPlot");
  QCOMPARE(map->plottableCount(), 1);
  QVERIFY(map->isVisible());
}

void TestEnsembleWindow::cancelEndsTheRun()
{
  QTemporaryDir scratch;
  writeEnsemble(scratch.path());
  // A stand-in for quill-ensemble that reports its work and then waits to be stopped, ending
  // as the real one does on SIGTERM.
  const QString tool = scratch.filePath("slow-ensemble");
  writeFile(tool, "#!/bin/sh\ntrap 'kill $!; exit 130' TERM\necho '2 of 2 realisations to run (0 finished already)'\n"
                  "echo '[1/2] r1 finished in 1.0 s'\nsleep 30 &\nwait\n");
  QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

  EnsembleWindow window(scratch.path(), tool);
  QSignalSpy ended(&window, &EnsembleWindow::runEnded);
  QTest::mouseClick(child<QPushButton>(window, "runButton"), Qt::LeftButton);
  auto *progress = child<QProgressBar>(window, "progressBar");
  QTRY_COMPARE(progress->value(), 1);
  QCOMPARE(progress->maximum(), 2);
  QVERIFY(child<QPushButton>(window, "cancelButton")->isEnabled());
  QTest::mouseClick(child<QPushButton>(window, "cancelButton"), Qt::LeftButton);
  QVERIFY(ended.wait(RUN_WAIT_MS));
  QCOMPARE(ended.front().front().toInt(), 130);
  QVERIFY(child<QLabel>(window, "statusLabel")->text().startsWith("The run was cancelled"));
  QVERIFY(child<QPushButton>(window, "runButton")->isEnabled());
  QVERIFY(!child<QPushButton>(window, "cancelButton")->isEnabled());
}

QTEST_MAIN(TestEnsembleWindow)
#include "tst_ensemble_window.moc"
