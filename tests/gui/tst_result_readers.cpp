// Reading the solver's result files back, and judging whether a run produced them.

#include "result_readers.h"
#include "run_results.h"
#include "run_verdict.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
void writeFile(const QString &path, const QByteArray &text)
{
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(text);
}

// Makes a file look as if an earlier run wrote it an hour ago.
void makeStale(const QString &path)
{
  QFile file(path);
  QVERIFY(file.open(QIODevice::ReadWrite));
  QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
}

QByteArray curveText(int lines, double scale)
{
  QByteArray text;
  for (int i = 1; i <= lines; ++i)
    text += QByteArray::number(i * 0.5) + "    " + QByteArray::number(i * scale) + "\n";
  return text;
}

QByteArray gridText(const QByteArray &keyword, const std::vector<double> &values)
{
  QByteArray text = "FILEUNIT\n  FIELD /\n\n" + keyword + "\n";
  for (double v : values)
    text += QByteArray::number(v) + "  ";
  return text + " /";
}
} // namespace

class TestResultReaders : public QObject
{
  Q_OBJECT

private slots:
  void curveFiles_data();
  void curveFiles();
  void gridFields_data();
  void gridFields();
  void pressureMapsAreTheFreshNumberedOnes();
  void stepDaysComeFromTheSummary();
  void loadsCompleteResults();
  void loadsRunWithoutPressureModel();
  void staleAndShortCurvesAreNotShownAsResults();
  void verdict_data();
  void verdict();

private:
  Project project() const
  {
    Project p;
    p.rootName = "case";
    p.projectDir = dir.path().toUtf8();
    return p;
  }
  QTemporaryDir dir;
};

void TestResultReaders::curveFiles_data()
{
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<int>("points");
  QTest::addColumn<bool>("complete");
  QTest::newRow("25 lines") << curveText(25, 10) << 25 << true;
  QTest::newRow("no line break at the end") << QByteArray("1 10\n2 20") << 2 << true;
  QTest::newRow("empty") << QByteArray() << 0 << true;
  QTest::newRow("more than 1000 points") << curveText(1500, 1) << 1500 << true;
  QTest::newRow("token that is no number") << QByteArray("1 10\n2 20\n3 nan?\n4 40\n") << 2 << false;
  QTest::newRow("dangling time") << QByteArray("1 10\n2\n") << 1 << false;
  QTest::newRow("exponents and signs") << QByteArray("1e-05 +2.5E+03\n") << 1 << true;
}

void TestResultReaders::curveFiles()
{
  QFETCH(QByteArray, text);
  QFETCH(int, points);
  QFETCH(bool, complete);
  const QString path = dir.filePath("curve");
  writeFile(path, text);
  const Curve curve = readCurveFile(path);
  QCOMPARE(int(curve.time.size()), points);
  QCOMPARE(int(curve.value.size()), points);
  QCOMPARE(curve.complete, complete);
  if (points >= 2 && QTest::currentDataTag() != QByteArray("exponents and signs"))
  {
    QCOMPARE(curve.time[1], 2.0 * (curve.time[0]));
    QCOMPARE(curve.value[1], 2.0 * (curve.value[0]));
  }

  const Curve missing = readCurveFile(dir.filePath("absent"));
  QVERIFY(missing.time.empty() && !missing.complete);
}

void TestResultReaders::gridFields_data()
{
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<std::vector<double>>("expected");
  QTest::addColumn<bool>("complete");
  QTest::newRow("good") << gridText("PRESSURE_3", {1, 2, 3, 4}) << std::vector<double>({1, 2, 3, 4}) << true;
  QTest::newRow("tau file layout") << QByteArray("DTOF_sqrt(days)\n0\n1.5\n2\n3\n/\n")
                                   << std::vector<double>({0, 1.5, 2, 3}) << true;
  QTest::newRow("short") << gridText("PRESSURE_3", {1, 2}) << std::vector<double>({1, 2, 0, 0}) << false;
  QTest::newRow("no keyword") << gridText("PRESSURE_4", {1, 2, 3, 4}) << std::vector<double>(4, 0.0) << false;
  QTest::newRow("broken number") << gridText("PRESSURE_3", {1}) + " x1 5 6" << std::vector<double>({1, 0, 0, 0})
                                 << false;
  QTest::newRow("keyword is a whole token") << QByteArray("PRESSURE_33 9 9 9 9") << std::vector<double>(4, 0.0)
                                            << false;
}

void TestResultReaders::gridFields()
{
  QFETCH(QByteArray, text);
  QFETCH(std::vector<double>, expected);
  QFETCH(bool, complete);
  const QString path = dir.filePath("field.grdecl");
  writeFile(path, text);
  const QString keyword = text.startsWith("DTOF") ? "DTOF_sqrt(days)" : "PRESSURE_3";
  const GridField field = readGridField(path, keyword, 4);
  QCOMPARE(field.values, expected);
  QCOMPARE(field.complete, complete);

  QCOMPARE(readGridField(dir.filePath("absent"), keyword, 4).values, std::vector<double>(4, 0.0));
}

void TestResultReaders::pressureMapsAreTheFreshNumberedOnes()
{
  QTemporaryDir maps;
  for (const char *name : {"case_PRESSURE_1.grdecl", "case_PRESSURE_11.grdecl", "case_PRESSURE_25.grdecl",
                           "case_PRESSURE_10.0.grdecl", "case_PRESSURE_x.grdecl", "other_PRESSURE_90.grdecl",
                           "case_PRESSURE_99.grdecl"})
    writeFile(maps.filePath(name), "x");
  makeStale(maps.filePath("case_PRESSURE_99.grdecl")); // left over from an earlier run
  const QDateTime since = QDateTime::currentDateTime().addSecs(-60);
  QCOMPARE(pressureMapNumbers(maps.path(), "case", since), std::vector<int>({1, 11, 25}));
  QCOMPARE(pressureMapNumbers(maps.path(), "none", since), std::vector<int>());
}

void TestResultReaders::stepDaysComeFromTheSummary()
{
  const QString path = dir.filePath("case_RSM.csv");
  writeFile(path, "Report Summary\nStep,Time,Production Rate\n-,Days,MSCFD/STBD\n"
                  "1,0.01,9976.37\n2,0.5,9500\nbroken line\n11,365.25,800\n");
  QCOMPARE(readStepDays(path), (std::map<int, double>{{1, 0.01}, {2, 0.5}, {11, 365.25}}));
  QCOMPARE(readStepDays(dir.filePath("absent")), (std::map<int, double>()));
}

void TestResultReaders::loadsCompleteResults()
{
  const QDateTime since = QDateTime::currentDateTime().addSecs(-60);
  writeFile(dir.filePath("case_RATE"), curveText(3, 100));
  writeFile(dir.filePath("case_Cum"), curveText(3, 10));
  writeFile(dir.filePath("case_BHP"), curveText(3, 1000));
  writeFile(dir.filePath("case.tau.grdecl"), "DTOF_sqrt(days)\n0\n1\n/\n");
  writeFile(dir.filePath("case.time.grdecl"), "Physical_Time(days)\n0\n0.25\n/\n");
  writeFile(dir.filePath("case_PRESSURE_1.grdecl"), gridText("PRESSURE_1", {10, 20}));
  writeFile(dir.filePath("case_PRESSURE_3.grdecl"), gridText("PRESSURE_3", {30, 40}));
  writeFile(dir.filePath("case_RSM.csv"), "Report Summary\nStep,Time\n-,Days\n1,0.5\n2,1\n3,1.5\n");

  const RunResults r = loadResults(project(), 2, since);
  QCOMPARE(r.warnings, QStringList());
  QCOMPARE(r.seriesTime, std::vector<double>({0.5, 1, 1.5}));
  QCOMPARE(r.seriesRate, std::vector<double>({100, 200, 300}));
  QCOMPARE(r.seriesCum, std::vector<double>({10, 20, 30}));
  QCOMPARE(r.seriesBhp, std::vector<double>({1000, 2000, 3000}));
  QCOMPARE(*r.tauField, std::vector<double>({0, 1}));
  QCOMPARE(*r.timeField, std::vector<double>({0, 0.25}));
  QCOMPARE(r.pressureMapNumber, 3);
  QCOMPARE(*r.pressureField, std::vector<double>({30, 40}));
  QCOMPARE(r.pressureReports.size(), size_t(2));
  QCOMPARE(r.pressureReports[0].mapNumber, 1);
  QCOMPARE(r.pressureReports[0].day, 0.5);
  QCOMPARE(r.pressureReports[1].day, 1.5);
}

void TestResultReaders::loadsRunWithoutPressureModel()
{
  QTemporaryDir run;
  Project p;
  p.rootName = "case";
  p.projectDir = run.path().toUtf8();
  writeFile(run.filePath("case.tau.grdecl"), "DTOF_sqrt(days)\n0\n1\n2\n/\n");
  writeFile(run.filePath("case.time.grdecl"), "Physical_Time(days)\n0\n1\n/\n");
  const RunResults r = loadResults(p, 3, QDateTime::currentDateTime().addSecs(-60));
  QVERIFY(!r.hasCurves());
  QVERIFY(!r.hasPressureMap());
  QCOMPARE(*r.tauField, std::vector<double>({0, 1, 2}));
  QCOMPARE(*r.timeField, std::vector<double>({0, 1, 0})); // short: the rest shown as 0
  QCOMPARE(*r.pressureField, std::vector<double>(3, 0.0));
  QCOMPARE(r.warnings.size(), 1);
}

void TestResultReaders::staleAndShortCurvesAreNotShownAsResults()
{
  QTemporaryDir run;
  Project p;
  p.rootName = "case";
  p.projectDir = run.path().toUtf8();
  const QDateTime since = QDateTime::currentDateTime().addSecs(-60);
  writeFile(run.filePath("case_RATE"), curveText(4, 1));
  writeFile(run.filePath("case_Cum"), curveText(2, 1));
  writeFile(run.filePath("case_BHP"), curveText(4, 1));
  makeStale(run.filePath("case_BHP"));
  RunResults r = loadResults(p, 0, since);
  QCOMPARE(r.seriesTime.size(), size_t(4));
  QCOMPARE(r.seriesCum, std::vector<double>({1, 2, 0, 0}));
  QCOMPARE(r.seriesBhp, std::vector<double>(4, 0.0));
  QVERIFY(r.warnings.join('\n').contains("case_Cum holds 2 of 4 points."));
  QVERIFY(r.warnings.join('\n').contains("case_BHP holds 0 of 4 points."));

  makeStale(run.filePath("case_RATE"));
  r = loadResults(p, 0, since);
  QVERIFY(!r.hasCurves());
}

void TestResultReaders::verdict_data()
{
  QTest::addColumn<bool>("exitedNormally");
  QTest::addColumn<int>("exitCode");
  QTest::addColumn<bool>("pressureModel");
  QTest::addColumn<QString>("freshFiles");
  QTest::addColumn<QString>("staleFiles");
  QTest::addColumn<bool>("success");
  QTest::newRow("full run") << true << 0 << true << "case.tau.grdecl case_RATE" << "" << true;
  QTest::newRow("failed run with an old rate file") << true << 1 << true << "" << "case.tau.grdecl case_RATE"
                                                    << false;
  QTest::newRow("status 0 but rate file from before") << true << 0 << true << "case.tau.grdecl" << "case_RATE"
                                                      << false;
  QTest::newRow("crash after writing") << false << 0 << true << "case.tau.grdecl case_RATE" << "" << false;
  QTest::newRow("error status after writing") << true << 1 << true << "case.tau.grdecl case_RATE" << "" << false;
  QTest::newRow("deck without SIMULATION") << true << 0 << false << "case.tau.grdecl" << "" << true;
  QTest::newRow("no tau file") << true << 0 << false << "" << "" << false;
}

void TestResultReaders::verdict()
{
  QFETCH(bool, exitedNormally);
  QFETCH(int, exitCode);
  QFETCH(bool, pressureModel);
  QFETCH(QString, freshFiles);
  QFETCH(QString, staleFiles);
  QFETCH(bool, success);
  QTemporaryDir run;
  Project p;
  p.rootName = "case";
  p.projectDir = run.path().toUtf8();
  for (const QString &name : freshFiles.split(' ', Qt::SkipEmptyParts))
    writeFile(run.filePath(name), "0 1\n");
  for (const QString &name : staleFiles.split(' ', Qt::SkipEmptyParts))
  {
    writeFile(run.filePath(name), "0 1\n");
    makeStale(run.filePath(name));
  }
  const QDateTime startedAt = QDateTime::currentDateTime().addSecs(-60);
  QCOMPARE(runProducedResults(exitedNormally, exitCode, p, pressureModel, startedAt), success);
}

QTEST_GUILESS_MAIN(TestResultReaders)
#include "tst_result_readers.moc"
