#ifndef VELDRA_OBSERVED_PRODUCTION_H
#define VELDRA_OBSERVED_PRODUCTION_H

#include <QString>
#include <QStringList>
#include <QVector>

// The well's measured production, as a user keeps it beside a forecast: one row per
// measurement. A value that was not measured is NaN.
struct ObservedProduction
{
  QString fileName;          // the file it came from, without its folder
  QVector<double> day;       // days since the start of production
  QVector<double> rate;      // Mscf/d or stb/d
  QVector<double> cumulative; // Mscf or stb; all NaN without a cumulative column
  QVector<double> bhp;       // psia; all NaN without a bottom-hole pressure column

  bool isEmpty() const { return day.isEmpty(); }
};

// Reads a CSV file of observed production. The first line names the columns: a day ("day",
// "days", "time", ...) or a date ("date", yyyy-mm-dd, yyyy/mm/dd or dd.mm.yyyy; the first row's
// date is then day 0, the start of production), a rate (a name with "rate"), and optionally a cumulative
// production ("cum...") and a bottom-hole pressure ("bhp", "pwf", "bottom..."); other columns
// are passed over. Fields are separated by commas, semicolons or tabs, after the header line;
// with semicolons or tabs a decimal comma is read as a point. Empty lines are skipped, an
// empty value field is a value not measured.
//   path    the file
//   errors  out: one message per fault, each naming the line ("Line 7: ..."); empty on success
// Returns the rows in file order; nothing when there are errors.
ObservedProduction readObservedProduction(const QString &path, QStringList &errors);

#endif // VELDRA_OBSERVED_PRODUCTION_H
