#include "deck_reader.h"

#include <algorithm>
#include <limits>
#include <set>
#include <tuple>
#include <utility>

#include "input_error.h"
#include "machine_resources.h"
#include "numbers_in_pieces.h"
#include "text_input.h"

namespace orr
{
  namespace quill
  {
    namespace
    {
      const std::string INCLUDE_LINE       = "INCLUDE";
      const std::string END_OF_LIST_LINE   = "/";
      const std::string COMMENT_START      = "--";
      const std::string DIMENS_KEYWORD     = "DIMENS";
      const std::string COMPLOC_KEYWORD    = "COMPLOC";
      const std::string SIMULATION_KEYWORD = "SIMULATION";

      /**
       * Characters kept of a deck line. Longer lines are read past, never held whole: no
       * keyword, file name or number is that long, and what follows a value is ignored.
       */
      constexpr std::size_t LINE_LIMIT = 4096;
      /** Characters of a number read word by word (DIMENS and included value files). */
      constexpr std::size_t NUMBER_LIMIT = 1000;
      /** Below this many cells, work on the cell arrays is not worth a thread of its own. */
      constexpr std::uint32_t CELLS_WORTH_A_THREAD = std::uint32_t(1) << 18;
      /** Blanks that end a word on a line; the line end is already gone. */
      const char *const BLANKS = " \t\r\v\f";

      InputError deck_error(const std::string &text)
      {
        return InputError("\n" + text + "\n");
      }

      InputError reading_error(const std::string &keyword)
      {
        return deck_error("Error in reading " + keyword + " data!");
      }

      // Sizes, porosities and permeabilities below 0 have no meaning; 0 closes a cell to flow.
      InputError negative_value_error(const std::string &keyword)
      {
        return deck_error("Error in the " + keyword + " data: should not be negative!");
      }

      /**
       * The next word of a deck line from `position` on, which it advances past the word. Empty
       * when the line holds no more, or when the word runs into the part of a long line that
       * was cut off (`cut`) and so cannot be read whole.
       */
      std::string_view next_word(const std::string &line, std::size_t &position, const bool cut)
      {
        const std::size_t start = std::min(line.find_first_not_of(BLANKS, position), line.size());
        position                = std::min(line.find_first_of(BLANKS, start), line.size());
        if (position == line.size() && cut)
          return {};
        return std::string_view(line).substr(start, position - start);
      }

      /** The next whitespace-separated word of the stream, read as a whole number. */
      template <typename Number>
      bool read_number(std::istream &in, Number &value)
      {
        std::string word;
        return read_word(in, word, NUMBER_LIMIT) && parse_whole_number(word, value);
      }

      // The largest value of a property without a bound.
      constexpr double UNBOUNDED = std::numeric_limits<double>::infinity();

      std::string padded_record_name(const std::string &keyword)
      {
        std::string name = keyword;
        name.resize(8, ' ');
        return name;
      }
    } // namespace

    const char *const MISSING_DECK_TEXT = "Error: Cannot find the FIP file!\n";

    const DeckReader::PropertyKeyword DeckReader::PROPERTY_KEYWORDS[PROPERTY_COUNT] = {
      {"DX", &DeckProperties::dx, UNBOUNDED},       {"DY", &DeckProperties::dy, UNBOUNDED},
      {"DZ", &DeckProperties::dz, UNBOUNDED},       {"PORO", &DeckProperties::poro, 1.0},
      {"PERMX", &DeckProperties::permx, UNBOUNDED}, {"PERMY", &DeckProperties::permy, UNBOUNDED},
      {"PERMZ", &DeckProperties::permz, UNBOUNDED}};

    DeckReader::DeckReader(std::string directory, PressureModelReader read_pressure_model,
                           const DeckLimits limits)
      : _directory(std::move(directory))
      , _read_pressure_model_section(std::move(read_pressure_model))
      , _limits(limits)
      , _line_cut(false)
    {}

    DeckContents DeckReader::read(const std::string &deck_name)
    {
      if (!open_text_file(_deck, _directory + deck_name))
        throw InputError(MISSING_DECK_TEXT);

      _contents = DeckContents();
      _grid     = {};
      for (const PropertyKeyword &property : PROPERTY_KEYWORDS)
        _contents.properties.*property.record =
          std::make_shared<DataRecord<double>>(padded_record_name(property.keyword));

      // The keyword section ends at SIMULATION or at the end of the deck.
      std::string line;
      while (_next_line(line))
        {
          if (line.empty() || line.compare(0, COMMENT_START.size(), COMMENT_START) == 0)
            continue;
          if (!_handle_keyword(line))
            break;
        }
      _deck.close();

      _check_contents();
      _contents.grid = _grid.get();
      return std::move(_contents);
    }

    bool DeckReader::_handle_keyword(const std::string &line)
    {
      for (const PropertyKeyword &property : PROPERTY_KEYWORDS)
        if (line == property.keyword)
          {
            _read_property(property);
            return true;
          }

      if (line == DIMENS_KEYWORD)
        _read_dimensions();
      else if (line == COMPLOC_KEYWORD)
        _read_completions();
      else if (line == "INIT_TOTAL_COMPRESSIBILITY")
        _read_positive_scalar(line, _contents.initial_total_compressibility);
      else if (line == "INIT_VISCOSITY")
        _read_positive_scalar(line, _contents.initial_viscosity);
      else if (line == "SECOND_ORDER" || line == "HIGH_ORDER")
        _contents.second_order = true;
      else if (line == SIMULATION_KEYWORD)
        {
          _read_pressure_model();
          return false;
        }
      return true;
    }

    void DeckReader::_read_dimensions()
    {
      if (!_contents.dimensions.empty())
        throw deck_error("Error: DIMENS is given more than once!");

      std::int32_t nx = 0, ny = 0, nz = 0;
      if (!read_number(_deck, nx) || !read_number(_deck, ny) || !read_number(_deck, nz))
        throw reading_error(DIMENS_KEYWORD);
      if (nx < 1 || ny < 1 || nz < 1)
        throw deck_error("Error in the DIMENS data: should be larger than 0!");

      const std::uint64_t cell_count = std::uint64_t(nx) * std::uint64_t(ny) * std::uint64_t(nz);
      if (cell_count > _limits.max_cell_count)
        throw deck_error("Error in the DIMENS data: " + std::to_string(cell_count)
                         + " cells are more than the largest grid of "
                         + std::to_string(_limits.max_cell_count) + " cells!");
      if (cell_count == 1)
        throw deck_error("Error in the DIMENS data: the grid needs more than one cell!");
      // Refused before the first per-cell table is allocated, rather than failing part-way.
      if (cell_count * RUN_BYTES_PER_CELL > _limits.memory_bytes)
        throw deck_error("Error in the DIMENS data: " + std::to_string(cell_count) + " cells need about "
                         + bytes_text(cell_count * RUN_BYTES_PER_CELL) + " of memory, more than the "
                         + bytes_text(_limits.memory_bytes) + " of this computer!");

      _contents.dimensions = {nx, ny, nz};
      _contents.cell_count = static_cast<std::uint32_t>(cell_count);
      _grid                = std::async(_cell_work_launch(), [nx, ny, nz, cell_count]() {
        auto grid = std::make_shared<CornerPointGrid>();
        grid->set_dimension(IjkIndex(nx, ny, nz));
        for (std::uint32_t cell = 0; cell < cell_count; ++cell)
          grid->activate_cell(cell);
        return grid;
      });
    }

    bool DeckReader::_next_line(std::string &line)
    {
      return read_text_line(_deck, line, LINE_LIMIT, _line_cut);
    }

    void DeckReader::_require_dimensions(const std::string &keyword) const
    {
      if (_contents.dimensions.empty())
        throw deck_error("Error: DIMENS must come before " + keyword + "!");
    }

    std::launch DeckReader::_cell_work_launch() const
    {
      return _contents.cell_count >= CELLS_WORTH_A_THREAD ? std::launch::async | std::launch::deferred
                                                          : std::launch::deferred;
    }

    void DeckReader::_read_property(const PropertyKeyword &property)
    {
      _require_dimensions(property.keyword);
      DataRecord<double> &record = *(_contents.properties.*property.record);

      std::string line;
      _next_line(line);
      if (line == INCLUDE_LINE)
        {
          std::string file_name;
          // A name too long to keep names no file.
          if (!_next_line(file_name) || _line_cut)
            throw reading_error(property.keyword);
          // A later keyword of the same property replaces the earlier values.
          record.assign(_read_included_values(file_name, property));
          return;
        }

      // The value is the line's first word; what follows it after a blank is ignored.
      std::size_t position = 0;
      double      value    = 0.0;
      if (!parse_whole_number(next_word(line, position, _line_cut), value))
        throw reading_error(property.keyword);
      _check_property_value(property, value);
      record.assign(_contents.cell_count, value);
    }

    // Below 0 no property has a meaning, nor a porosity above 1.
    bool DeckReader::_within_bounds(const PropertyKeyword &property, const double value)
    {
      return value >= 0.0 && value <= property.largest;
    }

    void DeckReader::_check_property_value(const PropertyKeyword &property, double value)
    {
      if (value < 0.0)
        throw negative_value_error(property.keyword);
      if (value > property.largest)
        {
          std::ostringstream text;
          text << "Error in the " << property.keyword << " data: should not be above " << property.largest << "!";
          throw deck_error(text.str());
        }
    }

    std::vector<double> DeckReader::_read_included_values(const std::string &file_name,
                                                          const PropertyKeyword &property) const
    {
      // Every value is read before any is judged: a file that cannot be read is its
      // reading error, whatever values come before the fault. Memory stays that of the
      // values, whatever the file.
      std::vector<double> values;
      const NumbersRead   read = read_numbers_in_pieces(
        _directory + file_name, _contents.cell_count, NUMBER_LIMIT,
        [&property](const double value) { return _within_bounds(property, value); }, values);
      if (!read.complete)
        throw reading_error(property.keyword);
      if (read.first_refused)
        _check_property_value(property, values[*read.first_refused]);
      return values;
    }

    void DeckReader::_read_completions()
    {
      _require_dimensions(COMPLOC_KEYWORD);
      const std::vector<std::int32_t> &dims = _contents.dimensions;

      std::string line;
      while (true)
        {
          if (!_next_line(line))
            throw reading_error(COMPLOC_KEYWORD);
          if (line == END_OF_LIST_LINE)
            return;

          // Three whole numbers; anything after the third, past a blank, is ignored.
          CompletionCell cell{};
          std::size_t    position = 0;
          for (std::int32_t *index : {&cell.i, &cell.j, &cell.k})
            if (!parse_whole_number(next_word(line, position, _line_cut), *index))
              throw reading_error(COMPLOC_KEYWORD);
          if (cell.i > dims[0] || cell.j > dims[1] || cell.k > dims[2])
            throw deck_error("Error in the COMPLOC data: should be smaller than DIMENS!");
          if (cell.i < 1 || cell.j < 1 || cell.k < 1)
            throw deck_error("Error in the COMPLOC data: should be larger than 0!");
          _contents.completions.push_back(cell);
        }
    }

    void DeckReader::_read_positive_scalar(const std::string &keyword, std::optional<double> &value)
    {
      double number = 0.0;
      if (!read_number(_deck, number))
        throw reading_error(keyword);
      if (!(number > 0.0))
        throw deck_error("Error in the " + keyword + " data: should be larger than 0!");
      value = number;
    }

    void DeckReader::_read_pressure_model()
    {
      _contents.has_pressure_model = true;

      // The line right after SIMULATION is either INCLUDE or skipped.
      std::string line;
      _next_line(line);
      if (line != INCLUDE_LINE)
        {
          _read_pressure_model_section(_deck);
          return;
        }

      std::string file_name;
      _next_line(file_name);
      std::ifstream section;
      if (!open_text_file(section, _directory + file_name))
        throw deck_error("Error: Cannot find the SIMULATION include file " + file_name + "!");
      _read_pressure_model_section(section);
    }

    void DeckReader::_check_contents() const
    {
      if (_contents.dimensions.empty())
        throw deck_error("Error: The keyword DIMENS is not found!");
      const DeckProperties &properties = _contents.properties;
      for (const auto &[keyword, record] :
           {std::make_pair("PORO", properties.poro), std::make_pair("PERMX", properties.permx),
            std::make_pair("DX", properties.dx), std::make_pair("DY", properties.dy),
            std::make_pair("DZ", properties.dz)})
        if (record->size() == 0)
          throw deck_error(std::string("Error: The keyword ") + keyword + " is not found!");

      if (!_contents.has_pressure_model)
        {
          if (!_contents.initial_total_compressibility || !_contents.initial_viscosity)
            throw InputError("Error: Initial total compressibility or viscosity is not defined!\n");
          return;
        }

      // The well sums of the pressure solution need each completed cell once.
      if (_contents.completions.empty())
        throw deck_error("Error: SIMULATION needs at least one completion cell in COMPLOC!");
      std::set<std::tuple<std::int32_t, std::int32_t, std::int32_t>> seen;
      for (const CompletionCell &cell : _contents.completions)
        if (!seen.insert({cell.i, cell.j, cell.k}).second)
          throw deck_error("Error in the COMPLOC data: the cell " + std::to_string(cell.i) + " "
                           + std::to_string(cell.j) + " " + std::to_string(cell.k)
                           + " is listed twice!");
    }
  } // namespace quill
} // namespace orr
