#include "deck_geometry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <fstream>
#include <locale>
#include <optional>
#include <sstream>
#include <string>

#include "text_input.h"

namespace
{
enum Property { PORO, PERMX, PERMY, PERMZ, DX, DY, DZ, PROPERTY_COUNT };
const std::array<const char *, PROPERTY_COUNT> PROPERTY_KEYWORDS = {"PORO", "PERMX", "PERMY", "PERMZ",
                                                                    "DX",   "DY",    "DZ"};

std::ifstream openClassic(const QString &path)
{
  std::ifstream in;
  in.imbue(std::locale::classic());
  orr::open_text_file(in, QFile::encodeName(path).toStdString());
  return in;
}

// The number at the start of a line ("0.2", "  0.2 /"); anything after it is ignored.
std::optional<double> leadingNumber(const std::string &line)
{
  std::istringstream in(line);
  in.imbue(std::locale::classic());
  double value = 0.0;
  if (in >> value)
    return value;
  return std::nullopt;
}

class DeckReader
{
public:
  DeckReader(const QString &deckPath, qint64 maxCellCount)
      : _deckPath(deckPath), _deckDir(QFileInfo(deckPath).absolutePath()), _maxCellCount(maxCellCount)
  {
  }

  DeckGeometry read()
  {
    readKeywordSection();
    DeckGeometry geometry;
    geometry.nx = _nx;
    geometry.ny = _ny;
    geometry.nz = _nz;
    geometry.cellCount = _cellCount;
    geometry.hasPressureModel = _hasPressureModel;
    geometry.producedFluid = _producedFluid;
    geometry.poro = takeOrZero(PORO, "porosity");
    geometry.permX = takeOrZero(PERMX, "PERMX");
    geometry.permY = _values[PERMY] ? take(PERMY) : geometry.permX;
    geometry.permZ = _values[PERMZ] ? take(PERMZ) : geometry.permX;
    computeCellCorners(geometry);
    geometry.warnings = _warnings;
    return geometry;
  }

private:
  void readKeywordSection()
  {
    std::ifstream deck = openClassic(_deckPath);
    if (!deck)
    {
      _warnings << QStringLiteral("The deck %1 cannot be read.").arg(QDir::toNativeSeparators(_deckPath));
      return;
    }
    std::string line;
    while (orr::read_text_line(deck, line))
    {
      if (line.empty() || line.compare(0, 2, "--") == 0)
        continue;
      if (line == "DIMENS")
      {
        if (!readDimensions(deck))
          return;
        continue;
      }
      if (line == "SIMULATION")
      {
        _hasPressureModel = true;
        readProducedFluid(deck);
        return;
      }
      for (int p = 0; p < PROPERTY_COUNT; ++p)
        if (line == PROPERTY_KEYWORDS[p])
          readProperty(deck, Property(p));
    }
  }

  // The line after SIMULATION is INCLUDE and a line with the model's file name, or any other
  // line and then the model itself, up to END.
  void readProducedFluid(std::istream &deck)
  {
    std::string line;
    if (!orr::read_text_line(deck, line))
      return;
    if (line != "INCLUDE")
    {
      findGasPhase(deck);
      return;
    }
    if (!orr::read_text_line(deck, line))
      return;
    std::ifstream model = openClassic(QDir(_deckDir).filePath(QString::fromStdString(line)));
    findGasPhase(model);
  }

  void findGasPhase(std::istream &model)
  {
    std::string line;
    while (orr::read_text_line(model, line) && line != "END")
      if (line == "GAS")
      {
        _producedFluid = ProducedFluid::Gas;
        return;
      }
  }

  // The three numbers after DIMENS; the rest of the line that holds nz is read as a line.
  bool readDimensions(std::istream &deck)
  {
    qint64 nx = 0, ny = 0, nz = 0;
    if (!(deck >> nx >> ny >> nz) || !withinCellCount(nx, ny, nz))
    {
      _warnings << QStringLiteral("The DIMENS values cannot be read or are out of range; the grid is left empty.");
      _nx = _ny = _nz = _cellCount = 0;
      return false;
    }
    if (_dimensionsRead)
      _warnings << QStringLiteral("The deck gives DIMENS twice; the second one is used.");
    _dimensionsRead = true;
    _nx = int(nx);
    _ny = int(ny);
    _nz = int(nz);
    _cellCount = int(nx * ny * nz);
    for (auto &values : _values)
      values.reset();
    return true;
  }

  // Each dimension and their product at most _maxCellCount, tested without overflowing.
  bool withinCellCount(qint64 nx, qint64 ny, qint64 nz) const
  {
    for (const qint64 n : {nx, ny, nz})
      if (n < 0 || n > _maxCellCount)
        return false;
    if (nx > 0 && ny > _maxCellCount / nx)
      return false;
    return nx * ny == 0 || nz <= _maxCellCount / (nx * ny);
  }

  // The next line holds one value for every cell, or INCLUDE and then a line with the file name.
  void readProperty(std::istream &deck, Property property)
  {
    const QString keyword = PROPERTY_KEYWORDS[property];
    std::string line;
    if (!orr::read_text_line(deck, line))
    {
      _warnings << QStringLiteral("%1 is not followed by a value.").arg(keyword);
      return;
    }
    if (!_dimensionsRead)
    {
      _warnings << QStringLiteral("%1 comes before DIMENS and is ignored.").arg(keyword);
      if (line == "INCLUDE")
        orr::read_text_line(deck, line);
      return;
    }
    auto values = std::make_shared<std::vector<double>>(size_t(_cellCount), 0.0);
    if (line == "INCLUDE")
    {
      std::string fileName;
      if (!orr::read_text_line(deck, fileName))
      {
        _warnings << QStringLiteral("%1 INCLUDE names no file.").arg(keyword);
        return;
      }
      readIncludedValues(keyword, QString::fromStdString(fileName), *values);
    }
    else if (const std::optional<double> value = leadingNumber(line))
    {
      values->assign(size_t(_cellCount), *value);
    }
    else
    {
      _warnings << QStringLiteral("The %1 value cannot be read; 0 is used.").arg(keyword);
    }
    _values[property] = values;
  }

  void readIncludedValues(const QString &keyword, const QString &fileName, std::vector<double> &values)
  {
    const QString path = QDir(_deckDir).filePath(fileName);
    std::ifstream in = openClassic(path);
    if (!in)
    {
      _warnings << QStringLiteral("The %1 file %2 cannot be read; 0 is used.").arg(keyword, fileName);
      return;
    }
    size_t count = 0;
    while (count < values.size() && in >> values[count])
      ++count;
    if (count < values.size())
    {
      std::fill(values.begin() + count, values.end(), 0.0);
      _warnings << QStringLiteral("The %1 file %2 holds %3 of %4 values; the rest are 0.")
                       .arg(keyword, fileName)
                       .arg(count)
                       .arg(values.size());
    }
  }

  CellArray take(Property property) { return std::move(_values[property]); }

  CellArray takeOrZero(Property property, const QString &what)
  {
    if (!_values[property])
    {
      if (_cellCount > 0)
        _warnings << QStringLiteral("The deck gives no %1; 0 is used.").arg(what);
      return std::make_shared<std::vector<double>>(size_t(_cellCount), 0.0);
    }
    return take(property);
  }

  // (1) each axis's sizes, 0 where the deck gives none; (2) running sums of the sizes along
  // that axis, so that a cell's coordinate is the far side of the cells before it.
  void computeCellCorners(DeckGeometry &geometry)
  {
    const std::array<Property, 3> sizeKeywords = {DX, DY, DZ};
    const std::array<int, 3> stride = {1, _nx, _nx * _ny};
    const std::array<int, 3> extent = {_nx, _ny, _nz};
    std::array<CellArray, 3> corners;
    std::array<CellArray, 3> sizesOf;
    for (int axis = 0; axis < 3; ++axis)
    {
      const CellArray sizes = takeOrZero(sizeKeywords[axis], PROPERTY_KEYWORDS[sizeKeywords[axis]]);
      sizesOf[axis] = sizes;
      auto corner = std::make_shared<std::vector<double>>(size_t(_cellCount), 0.0);
      for (int cell = 0; cell < _cellCount; ++cell)
      {
        const int position = (cell / stride[axis]) % extent[axis];
        if (position > 0)
          (*corner)[cell] = (*corner)[cell - stride[axis]] + (*sizes)[cell - stride[axis]];
      }
      corners[axis] = corner;
    }
    geometry.cellX = corners[0];
    geometry.cellY = corners[1];
    geometry.cellZ = corners[2];
    geometry.sizeX = sizesOf[0];
    geometry.sizeY = sizesOf[1];
  }

  const QString _deckPath;
  const QString _deckDir;
  const qint64 _maxCellCount;
  int _nx = 0, _ny = 0, _nz = 0, _cellCount = 0;
  bool _dimensionsRead = false;
  bool _hasPressureModel = false;
  ProducedFluid _producedFluid = ProducedFluid::Oil;
  std::array<std::shared_ptr<std::vector<double>>, PROPERTY_COUNT> _values;
  QStringList _warnings;
};
} // namespace

DeckGeometry readDeckGeometry(const QString &deckPath, qint64 maxCellCount)
{
  return DeckReader(deckPath, maxCellCount).read();
}
