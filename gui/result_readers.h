#ifndef VELDRA_RESULT_READERS_H
#define VELDRA_RESULT_READERS_H

#include <QDateTime>
#include <QString>

#include <map>
#include <vector>

// Readers of the solver's result files. They read whitespace-separated tokens, never hang and
// never fail: whatever cannot be read ends the reading of that file and is reported.

// A two-column curve file ("_RATE", "_Cum", "_BHP"): time, then value, per line.
struct Curve
{
  std::vector<double> time;
  std::vector<double> value;
  bool complete = false; // the file opened and held nothing but pairs of numbers
};

// Reads pairs until the end of the file or the first token that is not a number; a number
// without its partner at the end is dropped. A missing file gives an empty, incomplete curve.
Curve readCurveFile(const QString &path);

// One per-cell field of a grid file: the token `keyword`, then cellCount numbers.
struct GridField
{
  std::vector<double> values; // always cellCount entries; 0 where the file gave none
  bool complete = false;      // the keyword and all cellCount numbers were found
};

// Reads the numbers after the first token equal to keyword ("DTOF_sqrt(days)",
// "Physical_Time(days)", "PRESSURE_<n>"). cellCount >= 0.
GridField readGridField(const QString &path, const QString &keyword, int cellCount);

// The numbers n, ascending, of the files <directory>/<rootName>_PRESSURE_<n>.grdecl last
// modified at or after writtenSince (n a plain decimal number).
std::vector<int> pressureMapNumbers(const QString &directory, const QString &rootName, const QDateTime &writtenSince);

// The day of every step of the summary file "_RSM.csv": after its three header lines, the
// step number and the time in days are the first two comma-separated fields of each line.
// Lines that do not start with a step and a day are left out; a missing file gives none.
std::map<int, double> readStepDays(const QString &path);

// True when the file exists and was last modified at or after `since`. Modification times are
// compared in whole seconds, so that file systems with a coarse clock still count a fresh file.
bool isWrittenSince(const QString &path, const QDateTime &since);

#endif // VELDRA_RESULT_READERS_H
