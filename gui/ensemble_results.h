#ifndef VELDRA_ENSEMBLE_RESULTS_H
#define VELDRA_ENSEMBLE_RESULTS_H

#include "result_readers.h"

#include <QString>
#include <QStringList>

#include <vector>

// What quill-ensemble leaves in an ensemble folder: the collected table <root>_ENSEMBLE.csv,
// the percentile arrival maps and reached-fraction maps, and each realisation's run folder
// runs/<name>/ with quill's own curve files.

// Mean and percentiles of one quantity per report time. Petroleum convention: P90 is the
// low case (exceeded by 90 % of the realisations), P10 the high case.
struct EnsembleSpread
{
  std::vector<double> mean, p10, p50, p90;
};

// A collected map: the file, the keyword of its header line and a title for a person.
struct EnsembleMap
{
  QString path;
  QString keyword;
  QString title;
};

struct EnsembleResults
{
  QString folder;   // the ensemble folder
  QString rootName; // the base deck's name without ".fip"
  QString deckPath; // <folder>/<root>.fip
  QString problem;  // why the folder is no ensemble; empty when it is one
  // From <root>_ENSEMBLE.csv; empty before the first collect.
  std::vector<double> time;
  EnsembleSpread rate, cumulative, bhp;
  // Names of the run folders under runs/, sorted.
  QStringList runs;
  // Arrival P10, P50, P90, then the reached fractions by increasing day; only those present.
  std::vector<EnsembleMap> maps;
};

// Reads what there is of an ensemble in folder. Never fails: a folder without exactly one deck
// sets `problem`; a missing or malformed table leaves the curves empty.
EnsembleResults readEnsembleResults(const QString &folder);

// The curve file runs/<name>/<root><suffix> ("_RATE", "_Cum", "_BHP") of every run that
// finished (its exit_status says 0) and has a complete one.
std::vector<Curve> readRealisationCurves(const EnsembleResults &ensemble, const QString &suffix);

#endif // VELDRA_ENSEMBLE_RESULTS_H
