#include "result_readers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cctype>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace
{
// Lines before the first step of a summary file: title, column names, units.
const int SUMMARY_HEADER_LINES = 3;
// Step numbers beyond this are no steps of a run.
const double MAX_STEP = 1.0e9;

// The whole token as a number, in the classic notation whatever the desktop's locale.
bool parseNumber(std::string_view token, double &value)
{
  if (!token.empty() && token.front() == '+')
    token.remove_prefix(1);
  if (token.empty())
    return false;
  const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
  return error == std::errc() && end == token.data() + token.size();
}

// Splits a whole file into whitespace-separated tokens, one at a time.
class TokenStream
{
public:
  explicit TokenStream(const QString &path)
  {
    QFile file(path);
    _opened = file.open(QIODevice::ReadOnly);
    if (_opened)
      _text = file.readAll();
  }

  bool opened() const { return _opened; }

  // The next token, or an empty view at the end of the file.
  std::string_view next()
  {
    const char *data = _text.constData();
    const int size = _text.size();
    while (_position < size && std::isspace(static_cast<unsigned char>(data[_position])))
      ++_position;
    const int begin = _position;
    while (_position < size && !std::isspace(static_cast<unsigned char>(data[_position])))
      ++_position;
    return std::string_view(data + begin, size_t(_position - begin));
  }

  // The next token as a number; false at the end of the file or on a token that is not one.
  bool nextNumber(double &value) { return parseNumber(next(), value); }

private:
  QByteArray _text;
  int _position = 0;
  bool _opened = false;
};
} // namespace

Curve readCurveFile(const QString &path)
{
  Curve curve;
  TokenStream tokens(path);
  if (!tokens.opened())
    return curve;
  double time = 0.0;
  double value = 0.0;
  for (;;)
  {
    const std::string_view token = tokens.next();
    if (token.empty())
    {
      curve.complete = true;
      break;
    }
    if (!parseNumber(token, time) || !tokens.nextNumber(value))
      break;
    curve.time.push_back(time);
    curve.value.push_back(value);
  }
  return curve;
}

GridField readGridField(const QString &path, const QString &keyword, int cellCount)
{
  GridField field;
  field.values.assign(size_t(std::max(cellCount, 0)), 0.0);
  TokenStream tokens(path);
  if (!tokens.opened())
    return field;
  const QByteArray wanted = keyword.toUtf8();
  for (std::string_view token = tokens.next(); token != std::string_view(wanted.constData(), wanted.size());
       token = tokens.next())
  {
    if (token.empty())
      return field;
  }
  size_t count = 0;
  while (count < field.values.size() && tokens.nextNumber(field.values[count]))
    ++count;
  if (count < field.values.size())
    std::fill(field.values.begin() + count, field.values.end(), 0.0);
  field.complete = count == field.values.size();
  return field;
}

std::vector<int> pressureMapNumbers(const QString &directory, const QString &rootName, const QDateTime &writtenSince)
{
  const QString prefix = rootName + QStringLiteral("_PRESSURE_");
  const QRegularExpression mapName(QStringLiteral("^%1([0-9]+)\\.grdecl$")
                                       .arg(QRegularExpression::escape(prefix)));
  std::vector<int> numbers;
  const QDir dir(directory);
  const QStringList candidates = dir.entryList({prefix + QStringLiteral("*.grdecl")}, QDir::Files);
  for (const QString &name : candidates)
  {
    const QRegularExpressionMatch match = mapName.match(name);
    if (!match.hasMatch() || !isWrittenSince(dir.filePath(name), writtenSince))
      continue;
    bool ok = false;
    const int number = match.captured(1).toInt(&ok);
    if (ok && number > 0 && match.captured(1) == QString::number(number))
      numbers.push_back(number);
  }
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

std::map<int, double> readStepDays(const QString &path)
{
  std::map<int, double> days;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
    return days;
  for (int line = 0; !file.atEnd(); ++line)
  {
    const QByteArray text = file.readLine();
    if (line < SUMMARY_HEADER_LINES)
      continue;
    const QList<QByteArray> fields = text.split(',');
    double step = 0.0;
    double day = 0.0;
    if (fields.size() >= 2 && parseNumber(fields[0].trimmed().toStdString(), step) &&
        parseNumber(fields[1].trimmed().toStdString(), day) && step >= 1.0 && step <= MAX_STEP && step == std::floor(step))
      days[int(step)] = day;
  }
  return days;
}

bool isWrittenSince(const QString &path, const QDateTime &since)
{
  const QFileInfo info(path);
  if (!info.isFile())
    return false;
  return info.lastModified().toSecsSinceEpoch() >= since.toSecsSinceEpoch();
}
