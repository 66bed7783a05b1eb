#include "observed_production.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <optional>

namespace
{
// Errors listed one by one; the rest are counted.
const int LISTED_ERRORS = 10;

enum Column { DAY, DATE, RATE, CUMULATIVE, BHP, COLUMN_COUNT };
const char *const COLUMN_NAMES[COLUMN_COUNT] = {"day", "date", "rate", "cumulative", "bottom-hole pressure"};

// Which of the known columns a header name is, if any.
std::optional<Column> columnOf(const QString &header)
{
  const QString name = header.toLower();
  if (name.startsWith(QLatin1String("date")))
    return DATE;
  if (name.startsWith(QLatin1String("day")) || name.startsWith(QLatin1String("time")))
    return DAY;
  if (name.contains(QLatin1String("cum")))
    return CUMULATIVE;
  if (name.contains(QLatin1String("rate")))
    return RATE;
  if (name.contains(QLatin1String("bhp")) || name.contains(QLatin1String("pwf")) ||
      name.startsWith(QLatin1String("bottom")))
    return BHP;
  return std::nullopt;
}

// The header tells the separator: a tab, else a semicolon, else a comma.
QChar separatorOf(const QString &header)
{
  if (header.contains(QLatin1Char('\t')))
    return QLatin1Char('\t');
  if (header.contains(QLatin1Char(';')))
    return QLatin1Char(';');
  return QLatin1Char(',');
}

QStringList splitFields(const QString &line, QChar separator)
{
  QStringList fields = line.split(separator);
  for (QString &field : fields)
  {
    field = field.trimmed();
    if (field.size() >= 2 && field.startsWith(QLatin1Char('"')) && field.endsWith(QLatin1Char('"')))
      field = field.mid(1, field.size() - 2).trimmed();
  }
  return fields;
}

std::optional<double> numberOf(QString text, bool decimalComma)
{
  if (decimalComma)
    text.replace(QLatin1Char(','), QLatin1Char('.'));
  bool ok = false;
  const double value = text.toDouble(&ok);
  if (!ok || !std::isfinite(value))
    return std::nullopt;
  return value;
}

std::optional<QDate> dateOf(const QString &text)
{
  for (const char *format : {"yyyy-MM-dd", "yyyy/MM/dd", "dd.MM.yyyy"})
  {
    const QDate date = QDate::fromString(text, QLatin1String(format));
    if (date.isValid())
      return date;
  }
  return std::nullopt;
}

class ObservedProductionReader
{
public:
  ObservedProductionReader(const QString &path, QStringList &errors) : path(path), errors(errors) {}

  ObservedProduction read()
  {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
    {
      errors << QStringLiteral("%1 cannot be opened: %2").arg(QFileInfo(path).fileName(), file.errorString());
      return {};
    }
    observed.fileName = QFileInfo(path).fileName();
    int lineNumber = 0;
    bool headerRead = false;
    while (!file.atEnd())
    {
      QString line = QString::fromUtf8(file.readLine());
      ++lineNumber;
      if (lineNumber == 1 && line.startsWith(QChar(0xFEFF)))
        line.remove(0, 1);
      if (line.trimmed().isEmpty())
        continue;
      if (!headerRead)
      {
        readHeader(line);
        headerRead = true;
        if (!errors.isEmpty())
          return {};
        continue;
      }
      readRow(line, lineNumber);
    }
    if (!headerRead)
      fault(QStringLiteral("%1 is empty: it needs a header line and rows of data.").arg(observed.fileName));
    else if (observed.isEmpty() && errors.isEmpty() && faultCount == 0)
      fault(QStringLiteral("%1 holds a header but no rows of data.").arg(observed.fileName));
    if (faultCount > LISTED_ERRORS)
      errors << QStringLiteral("... and %1 more lines that cannot be read.").arg(faultCount - LISTED_ERRORS);
    if (faultCount > 0)
      return {};
    return observed;
  }

private:
  void readHeader(const QString &line)
  {
    separator = separatorOf(line);
    decimalComma = separator != QLatin1Char(',');
    const QStringList names = splitFields(line, separator);
    for (int field = 0; field < names.size(); ++field)
    {
      const std::optional<Column> column = columnOf(names[field]);
      if (!column)
        continue;
      if (position[*column] >= 0)
      {
        fault(QStringLiteral("Line 1: the header names two %1 columns, \"%2\" and \"%3\".")
                  .arg(QLatin1String(COLUMN_NAMES[*column]), names[position[*column]], names[field]));
        continue;
      }
      position[*column] = field;
    }
    if (position[DAY] >= 0 && position[DATE] >= 0)
      fault(QStringLiteral("Line 1: the header names both a day and a date column; keep one of them."));
    if (position[DAY] < 0 && position[DATE] < 0)
      fault(QStringLiteral("Line 1: the header names no day or date column (\"%1\").").arg(line.trimmed()));
    if (position[RATE] < 0)
      fault(QStringLiteral("Line 1: the header names no rate column (\"%1\").").arg(line.trimmed()));
  }

  void readRow(const QString &line, int lineNumber)
  {
    const QStringList fields = splitFields(line, separator);
    const QString where = QStringLiteral("Line %1: ").arg(lineNumber);
    const int timeColumn = position[DAY] >= 0 ? DAY : DATE;
    const QString timeText = fields.value(position[timeColumn]);
    std::optional<double> day;
    if (timeColumn == DAY)
    {
      day = numberOf(timeText, decimalComma);
      if (!day)
        return fault(where + QStringLiteral("the day \"%1\" is not a number.").arg(timeText));
      if (*day < 0.0)
        return fault(where + QStringLiteral("the day %1 is before the start of production.").arg(timeText));
    }
    else
    {
      const std::optional<QDate> date = dateOf(timeText);
      if (!date)
        return fault(where + QStringLiteral("the date \"%1\" is not a date such as 2024-03-31.").arg(timeText));
      if (!firstDate.isValid())
        firstDate = *date;
      day = double(firstDate.daysTo(*date));
      if (*day < 0.0)
        return fault(where + QStringLiteral("the date %1 is before the first row's %2.")
                                 .arg(timeText, firstDate.toString(Qt::ISODate)));
    }
    double values[COLUMN_COUNT] = {};
    for (const Column column : {RATE, CUMULATIVE, BHP})
    {
      values[column] = std::nan("");
      const QString text = fields.value(position[column]);
      if (position[column] < 0 || text.isEmpty())
        continue;
      const std::optional<double> value = numberOf(text, decimalComma);
      if (!value)
        return fault(where + QStringLiteral("the %1 \"%2\" is not a number.")
                                 .arg(QLatin1String(COLUMN_NAMES[column]), text));
      values[column] = *value;
    }
    observed.day << *day;
    observed.rate << values[RATE];
    observed.cumulative << values[CUMULATIVE];
    observed.bhp << values[BHP];
  }

  void fault(const QString &message)
  {
    ++faultCount;
    if (faultCount <= LISTED_ERRORS)
      errors << message;
  }

  const QString path;
  QStringList &errors;
  ObservedProduction observed;
  QChar separator = QLatin1Char(',');
  bool decimalComma = false;
  int position[COLUMN_COUNT] = {-1, -1, -1, -1, -1};
  QDate firstDate;
  int faultCount = 0;
};
} // namespace

ObservedProduction readObservedProduction(const QString &path, QStringList &errors)
{
  errors.clear();
  return ObservedProductionReader(path, errors).read();
}
