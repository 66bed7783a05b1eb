#ifndef VELDRA_RUN_RESULTS_H
#define VELDRA_RUN_RESULTS_H

#include "cell_array.h"
#include "project.h"

#include <QDateTime>
#include <QStringList>

#include <array>
#include <vector>

// One pressure map of a run: the step after which it was written, and that step's day.
struct PressureReport
{
  int mapNumber = 0; // k of "_PRESSURE_<k>.grdecl"
  double day = 0.0;  // from "_RSM.csv"; NaN when the summary lacks the step
};

// Everything the plots show after a run: the production curves and the per-cell results.
struct RunResults
{
  // Production series, one entry per report time; all four have seriesTime's length.
  std::vector<double> seriesTime; // days
  std::vector<double> seriesRate; // Mscf/d or stb/d
  std::vector<double> seriesCum;  // Mscf or stb
  std::vector<double> seriesBhp;  // psia
  CellArray tauField;             // square-root days
  CellArray timeField;            // days
  CellArray pressureField;        // psia, from the map numbered pressureMapNumber
  int pressureMapNumber = 0;      // 0: the run wrote no pressure map
  std::vector<PressureReport> pressureReports; // every map of the run, ascending; the last is pressureField's
  QStringList warnings;           // files that were missing, short or broken
  std::array<int, 3> grid{};      // DIMENS of the deck the run was made on

  bool hasCurves() const { return !seriesTime.empty(); }
  bool hasPressureMap() const { return pressureMapNumber > 0; }
};

// Reads the result files of the run on `project` into fresh arrays of cellCount entries each.
// Only files modified at or after writtenSince count (older ones are left over from an earlier
// run); the pressure field is the highest-numbered map among them. Missing or broken files leave
// their data empty (series) or 0 (fields) and add a warning.
RunResults loadResults(const Project &project, int cellCount, const QDateTime &writtenSince);

#endif // VELDRA_RUN_RESULTS_H
