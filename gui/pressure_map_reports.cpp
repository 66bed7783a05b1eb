#include "pressure_map_reports.h"

#include "result_readers.h"

#include <QObject>

#include <cmath>

MapReports pressureMapReports(const Project &project, const std::vector<PressureReport> &reports, int cellCount)
{
  MapReports mapReports;
  const int count = int(reports.size());
  std::vector<int> mapNumbers;
  for (int n = 0; n < count; ++n)
  {
    const PressureReport &report = reports[size_t(n)];
    const QString day = std::isnan(report.day) ? QObject::tr("day not in the summary")
                                               : QObject::tr("day %1").arg(report.day, 0, 'g', 6);
    mapReports.labels << QObject::tr("Step %1, %2 (map %3 of %4)").arg(report.mapNumber).arg(day).arg(n + 1).arg(count);
    mapNumbers.push_back(report.mapNumber);
  }
  mapReports.shown = count - 1;
  mapReports.load = [project, mapNumbers, cellCount](int n) -> CellArray {
    const QString number = QString::number(mapNumbers.at(size_t(n)));
    GridField field = readGridField(project.resultPath(QStringLiteral("_PRESSURE_%1.grdecl").arg(number)),
                                    QStringLiteral("PRESSURE_%1").arg(number), cellCount);
    if (!field.complete)
      return nullptr;
    return std::make_shared<const std::vector<double>>(std::move(field.values));
  };
  return mapReports;
}
