#include "run_results.h"

#include "result_readers.h"

#include <QFileInfo>

#include <cmath>
#include <map>
#include <memory>

namespace
{
// The value column of a curve file, fitted to the rate file's times: a shorter file is padded
// with 0, a longer one cut, and either is reported.
std::vector<double> seriesValues(const Project &project, const QString &suffix, size_t length,
                                 const QDateTime &writtenSince, QStringList &warnings)
{
  const QString path = project.resultPath(suffix);
  Curve curve;
  if (isWrittenSince(path, writtenSince))
    curve = readCurveFile(path);
  if (!curve.complete || curve.value.size() != length)
    warnings << QStringLiteral("%1 holds %2 of %3 points.").arg(QFileInfo(path).fileName()).arg(curve.value.size()).arg(length);
  curve.value.resize(length, 0.0);
  return curve.value;
}

CellArray fieldValues(const QString &path, const QString &keyword, int cellCount, const QDateTime &writtenSince,
                      QStringList &warnings)
{
  GridField field;
  if (isWrittenSince(path, writtenSince))
    field = readGridField(path, keyword, cellCount);
  else
    field.values.assign(size_t(cellCount), 0.0);
  if (!field.complete)
    warnings << QStringLiteral("%1 lacks %2 or some of its %3 values; they are shown as 0.")
                    .arg(QFileInfo(path).fileName(), keyword)
                    .arg(cellCount);
  return std::make_shared<const std::vector<double>>(std::move(field.values));
}
} // namespace

RunResults loadResults(const Project &project, int cellCount, const QDateTime &writtenSince)
{
  RunResults results;

  // (1) The rate file sets the times and the number of points of all three curves.
  const QString ratePath = project.resultPath(QStringLiteral("_RATE"));
  if (isWrittenSince(ratePath, writtenSince))
  {
    Curve rate = readCurveFile(ratePath);
    if (!rate.complete)
      results.warnings << QStringLiteral("%1 is broken after %2 points.").arg(QFileInfo(ratePath).fileName()).arg(rate.time.size());
    results.seriesTime = std::move(rate.time);
    results.seriesRate = std::move(rate.value);
    results.seriesCum = seriesValues(project, QStringLiteral("_Cum"), results.seriesTime.size(), writtenSince, results.warnings);
    results.seriesBhp = seriesValues(project, QStringLiteral("_BHP"), results.seriesTime.size(), writtenSince, results.warnings);
  }

  // (2) Tau and arrival time of every cell.
  results.tauField = fieldValues(project.resultPath(QStringLiteral(".tau.grdecl")), QStringLiteral("DTOF_sqrt(days)"),
                                 cellCount, writtenSince, results.warnings);
  results.timeField = fieldValues(project.resultPath(QStringLiteral(".time.grdecl")),
                                  QStringLiteral("Physical_Time(days)"), cellCount, writtenSince, results.warnings);

  // (3) The last pressure map of the run: the final field of the whole schedule.
  const std::vector<int> maps =
      pressureMapNumbers(QString::fromUtf8(project.projectDir), QString::fromUtf8(project.rootName), writtenSince);
  std::map<int, double> stepDays;
  if (!maps.empty() && isWrittenSince(project.resultPath(QStringLiteral("_RSM.csv")), writtenSince))
    stepDays = readStepDays(project.resultPath(QStringLiteral("_RSM.csv")));
  for (const int map : maps)
  {
    const auto day = stepDays.find(map);
    results.pressureReports.push_back({map, day == stepDays.end() ? std::nan("") : day->second});
  }
  results.pressureMapNumber = maps.empty() ? 0 : maps.back();
  if (results.hasPressureMap())
  {
    const QString number = QString::number(results.pressureMapNumber);
    results.pressureField = fieldValues(project.resultPath(QStringLiteral("_PRESSURE_%1.grdecl").arg(number)),
                                        QStringLiteral("PRESSURE_%1").arg(number), cellCount, writtenSince,
                                        results.warnings);
  }
  else
  {
    results.pressureField = std::make_shared<const std::vector<double>>(size_t(cellCount), 0.0);
  }
  return results;
}
