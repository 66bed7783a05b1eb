#include "ensemble_results.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>

namespace
{
// Lines before the first row of <root>_ENSEMBLE.csv: title, convention, names, units.
const int TABLE_HEADER_LINES = 4;
// Time, realisations, then mean, P10, P50, P90 of rate, cumulative and BHP.
const int TABLE_COLUMNS = 14;
const int ARRIVAL_PERCENTILES[] = {10, 50, 90};

void readTable(const QString &path, EnsembleResults &results)
{
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
    return;
  QTextStream in(&file);
  for (int line = 0; line < TABLE_HEADER_LINES && !in.atEnd(); ++line)
    in.readLine();
  EnsembleResults table;
  while (!in.atEnd())
  {
    const QStringList fields = in.readLine().split(',');
    std::vector<double> numbers;
    for (const QString &field : fields)
    {
      bool isNumber = false;
      numbers.push_back(field.toDouble(&isNumber));
      if (!isNumber)
        return;
    }
    if (numbers.size() != TABLE_COLUMNS)
      return;
    table.time.push_back(numbers[0]);
    EnsembleSpread *spreads[] = {&table.rate, &table.cumulative, &table.bhp};
    for (int q = 0; q < 3; ++q)
    {
      spreads[q]->mean.push_back(numbers[2 + 4 * q]);
      spreads[q]->p10.push_back(numbers[3 + 4 * q]);
      spreads[q]->p50.push_back(numbers[4 + 4 * q]);
      spreads[q]->p90.push_back(numbers[5 + 4 * q]);
    }
  }
  results.time = std::move(table.time);
  results.rate = std::move(table.rate);
  results.cumulative = std::move(table.cumulative);
  results.bhp = std::move(table.bhp);
}

void findMaps(const QDir &folder, const QString &root, EnsembleResults &results)
{
  for (const int p : ARRIVAL_PERCENTILES)
  {
    const QString path = folder.filePath(QStringLiteral("%1_ARRIVAL_P%2.grdecl").arg(root).arg(p));
    if (QFileInfo(path).isFile())
      results.maps.push_back({path, QStringLiteral("Arrival_Time_P%1(days)").arg(p),
                              QObject::tr("Arrival time P%1 (days)").arg(p)});
  }
  const QString prefix = root + QStringLiteral("_REACHED_");
  std::vector<std::pair<double, EnsembleMap>> reached;
  for (const QString &name : folder.entryList({prefix + QStringLiteral("*.grdecl")}, QDir::Files))
  {
    const QString day = name.mid(prefix.size(), name.size() - prefix.size() - int(qstrlen(".grdecl")));
    bool isNumber = false;
    const double value = day.toDouble(&isNumber);
    if (isNumber)
      reached.push_back({value,
                         {folder.filePath(name), QStringLiteral("Reached_Fraction_By_Day_") + day,
                          QObject::tr("Reached by day %1 (fraction)").arg(day)}});
  }
  std::sort(reached.begin(), reached.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
  for (const auto &map : reached)
    results.maps.push_back(map.second);
}
} // namespace

EnsembleResults readEnsembleResults(const QString &folder)
{
  EnsembleResults results;
  const QDir dir(folder);
  results.folder = dir.absolutePath();
  const QStringList decks = dir.entryList({QStringLiteral("*.fip")}, QDir::Files, QDir::Name);
  if (decks.size() != 1)
  {
    results.problem = decks.isEmpty() ? QObject::tr("The folder holds no base deck (<root>.fip).")
                                      : QObject::tr("The folder holds more than one deck: %1.").arg(decks.join(", "));
    return results;
  }
  results.rootName = QFileInfo(decks.front()).completeBaseName();
  results.deckPath = dir.filePath(decks.front());
  readTable(dir.filePath(results.rootName + QStringLiteral("_ENSEMBLE.csv")), results);
  results.runs = QDir(dir.filePath(QStringLiteral("runs"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
  findMaps(dir, results.rootName, results);
  return results;
}

std::vector<Curve> readRealisationCurves(const EnsembleResults &ensemble, const QString &suffix)
{
  std::vector<Curve> curves;
  const QDir runs(QDir(ensemble.folder).filePath(QStringLiteral("runs")));
  for (const QString &name : ensemble.runs)
  {
    // Only finished runs: a failed one may have left some curves of a run that broke off.
    QFile status(QDir(runs.filePath(name)).filePath(QStringLiteral("exit_status")));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text) || status.readLine().trimmed() != "0")
      continue;
    Curve curve = readCurveFile(QDir(runs.filePath(name)).filePath(ensemble.rootName + suffix));
    if (curve.complete && !curve.time.empty())
      curves.push_back(std::move(curve));
  }
  return curves;
}
