#ifndef QUILL_DECK_READER_H
#define QUILL_DECK_READER_H

#include <cstdint>
#include <fstream>
#include <functional>
#include <future>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data_record.h"
#include "grid_corner_point.h"
#include "machine_resources.h"

namespace orr
{
  namespace quill
  {
    /** A completed well cell as the deck gives it: 1-based (i, j, k). */
    struct CompletionCell
    {
      std::int32_t i;
      std::int32_t j;
      std::int32_t k;
    };

    /** The seven per-cell property records, named as the grid files them ("PORO    ", ...). */
    struct DeckProperties
    {
      std::shared_ptr<DataRecord<double>> poro;
      std::shared_ptr<DataRecord<double>> permx;
      std::shared_ptr<DataRecord<double>> permy;
      std::shared_ptr<DataRecord<double>> permz;
      std::shared_ptr<DataRecord<double>> dx;
      std::shared_ptr<DataRecord<double>> dy;
      std::shared_ptr<DataRecord<double>> dz;
    };

    /** Everything the keyword section of a deck gives, checked. */
    struct DeckContents
    {
      /** nx, ny, nz, all positive. */
      std::vector<std::int32_t> dimensions;
      /** nx * ny * nz. */
      std::uint32_t cell_count = 0;
      /** The grid of DIMENS with every cell active: the deck has no activity keyword. */
      std::shared_ptr<CornerPointGrid> grid;
      /** Each holds cell_count values, except PERMY and PERMZ, which may be empty. */
      DeckProperties properties;
      /** In deck order. */
      std::vector<CompletionCell> completions;
      /** INIT_TOTAL_COMPRESSIBILITY (1/psi) and INIT_VISCOSITY (cp), when given. */
      std::optional<double> initial_total_compressibility;
      std::optional<double> initial_viscosity;
      /** SECOND_ORDER or HIGH_ORDER was given. */
      bool second_order = false;
      /** SIMULATION was given: the pressure-model section was handed to its reader. */
      bool has_pressure_model = false;
    };

    /** The error text when the deck cannot be opened (line end included). */
    extern const char *const MISSING_DECK_TEXT;

    /**
     * The largest grid a deck may ask for. The run needs about 200 bytes per cell, so a
     * thousand million cells already take some 200 GB; up to this count the corner numbers,
     * about four per cell on a grid that is a single line of cells, also stay below the
     * 32-bit "no corner" value.
     */
    constexpr std::uint32_t LARGEST_GRID_CELL_COUNT = 1000000000;

    /**
     * The memory a run takes per cell at its peak, in bytes: the property records, the grid,
     * the march's tables and records, and with a pressure model the copies it takes of them
     * (measured: some 170 bytes a cell for fast marching alone, 190 with a pressure model).
     */
    constexpr std::uint64_t RUN_BYTES_PER_CELL = 200;

    /** What a deck may ask of the computer. */
    struct DeckLimits
    {
      /** The largest grid accepted; DIMENS asking for more is an input error. */
      std::uint32_t max_cell_count = LARGEST_GRID_CELL_COUNT;
      /** The memory a run may take (RUN_BYTES_PER_CELL per cell); by default all there is. */
      std::uint64_t memory_bytes = physical_memory_bytes();
    };

    /**
     * Reads an input deck: DIMENS, the seven property keywords (a value or INCLUDE and a
     * file name), COMPLOC, INIT_TOTAL_COMPRESSIBILITY, INIT_VISCOSITY, SECOND_ORDER /
     * HIGH_ORDER and SIMULATION. A keyword is a whole line (a carriage return before the line
     * end does not count); comment lines ("--"), blank lines and other lines are skipped.
     *
     * At SIMULATION the rest of the deck, or the file named after an INCLUDE line, is handed
     * to the pressure-model reader given at construction; the keyword section ends there.
     *
     * Every fault in the deck throws orr::InputError with the text the user sees; nothing is
     * written by the reader.
     */
    class DeckReader
    {
    public:
      /** Reads the pressure-model section from the stream; may throw orr::InputError. */
      using PressureModelReader = std::function<void(std::istream &section)>;

      /**
       * directory: the run directory (ends in a separator); included files are named from it.
       * read_pressure_model: called once when the deck holds SIMULATION.
       * limits: grids larger, or needing more memory, are input errors at DIMENS.
       */
      DeckReader(std::string directory, PressureModelReader read_pressure_model,
                 DeckLimits limits = DeckLimits());

      /**
       * Reads directory + deck_name and the files it includes.
       * Throws orr::InputError on the first fault found.
       */
      DeckContents read(const std::string &deck_name);

    private:
      struct PropertyKeyword
      {
        const char                         *keyword;
        std::shared_ptr<DataRecord<double>> DeckProperties::*record;
        double                              largest;  // largest meaningful value
      };

      static constexpr std::size_t PROPERTY_COUNT = 7;
      static const PropertyKeyword PROPERTY_KEYWORDS[PROPERTY_COUNT];

      bool _handle_keyword(const std::string &line);
      void _read_dimensions();
      void _read_property(const PropertyKeyword &property);
      /** The cell values the file holds; throws the keyword's input errors. */
      std::vector<double> _read_included_values(const std::string &file_name, const PropertyKeyword &property) const;
      static bool _within_bounds(const PropertyKeyword &property, double value);
      /** Throws the keyword's input error for a value out of its bounds. */
      static void _check_property_value(const PropertyKeyword &property, double value);
      void _read_completions();
      void _read_positive_scalar(const std::string &keyword, std::optional<double> &value);
      void _read_pressure_model();
      /** Reads the next deck line, at most LINE_LIMIT characters of it; sets _line_cut. */
      bool _next_line(std::string &line);
      void _require_dimensions(const std::string &keyword) const;
      /** How work on arrays of a value per cell is started: on a thread of its own for large grids. */
      std::launch _cell_work_launch() const;
      void _check_contents() const;

      std::string         _directory;
      PressureModelReader _read_pressure_model_section;
      DeckLimits          _limits;
      std::ifstream       _deck;
      /** Whether the last line read was longer than the part kept of it. */
      bool                _line_cut;
      DeckContents        _contents;
      // The grid is built beside the reading of the rest of the deck: a large grid takes
      // tens of milliseconds.
      std::future<std::shared_ptr<CornerPointGrid>> _grid;
    };
  } // namespace quill
} // namespace orr

#endif
