#include "tau_result_files.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "atomic_output_file.h"
#include "exceptions.h"
#include "formatted_blocks.h"
#include "general_number.h"
#include "infinite_value.h"

namespace orr
{
  namespace quill
  {
    namespace
    {
      /** Square root of 158.03, the inverse field-unit diffusivity constant per day. */
      const double SQRT_DAYS_PER_RAW_TAU = std::sqrt(158.03);

      /** Significant digits of the tau table and of the grid files. */
      constexpr int TABLE_PRECISION = 18;
      constexpr int GRID_PRECISION  = 6;

      /** `value`, or INFINITE_VALUE where it is infinite, overflowed or not a number. */
      double writable(const double value)
      {
        return value < INFINITE_VALUE ? value : INFINITE_VALUE;
      }

      /**
       * Appends `value(i)` for i in [begin, end), as `writable` makes it, with `precision`
       * significant digits, one a line.
       */
      template <typename Value>
      void write_number_lines(std::string &text, const std::size_t begin, const std::size_t end, const Value &value,
                              const int precision)
      {
        // In groups, which are formatted side by side.
        constexpr std::size_t GROUP = 16;
        NumberTextWriter      out(text, end - begin, end - begin);
        for (std::size_t first = begin; first < end; first += GROUP)
        {
          const std::size_t size = std::min(GROUP, end - first);
          double            values[GROUP];
          for (std::size_t i = 0; i < size; ++i)
            values[i] = writable(value(first + i));
          out.numbers(values, size, precision, '\n', '\n');
        }
      }

      void require_open(const AtomicOutputFile &file)
      {
        if (!file.is_open())
          throw StandardExceptions::ExcFileNotOpen(file.path());
      }
    } // namespace

    void write_tau_table(const TauRecords &records, const std::string &path)
    {
      AtomicOutputFile file(path);
      require_open(file);
      const std::vector<double>             &tau  = records.tau_list();
      const std::vector<double>             &pore = records.pore_volume_list();
      const std::vector<double>             &bulk = records.bulk_volume_list();
      const std::vector<TauRecords::CellRecord> &cells = records.cells();
      write_formatted_blocks(file.stream(), tau.size(), [&](std::size_t begin, std::size_t end, std::string &text) {
        constexpr std::size_t COLUMNS = 6;
        NumberTextWriter      out(text, COLUMNS * (end - begin), COLUMNS * (end - begin));
        for (std::size_t i = begin; i < end; ++i)
        {
          // Row i also shows the record of cell i (not of the cell accepted i-th).
          const TauRecords::CellRecord &cell          = cells[i];
          const double                  row[COLUMNS] = {writable(tau[i]),   writable(pore[i]),
                                                        writable(bulk[i]),  writable(cell.tau),
                                                        writable(cell.pore_volume), writable(cell.bulk_volume)};
          out.numbers(row, COLUMNS, TABLE_PRECISION, ',', '\n');
        }
      });
      file.commit();
    }

    void write_tau_and_time_grids(const TauRecords &records, const unsigned int space_dimension,
                                  const std::string &tau_path, const std::string &time_path)
    {
      AtomicOutputFile tau_file(tau_path);
      AtomicOutputFile time_file(time_path);
      require_open(tau_file);
      require_open(time_file);

      // T^2 / (2 d) is the arrival time of the disturbance in d dimensions.
      const double divisor = 2.0 * space_dimension;
      const std::vector<TauRecords::CellRecord> &cells = records.cells();
      tau_file.stream() << "DTOF_sqrt(days)\n";
      write_formatted_blocks(tau_file.stream(), cells.size(), [&](std::size_t begin, std::size_t end, std::string &text) {
        write_number_lines(text, begin, end, [&](std::size_t cell) { return SQRT_DAYS_PER_RAW_TAU * cells[cell].tau; },
                           GRID_PRECISION);
      });
      tau_file.stream() << "/\n";
      time_file.stream() << "Physical_Time(days)\n";
      write_formatted_blocks(time_file.stream(), cells.size(), [&](std::size_t begin, std::size_t end, std::string &text) {
        write_number_lines(text, begin, end, [&](std::size_t cell) {
          const double t = SQRT_DAYS_PER_RAW_TAU * cells[cell].tau;
          return t * t / divisor;
        }, GRID_PRECISION);
      });
      time_file.stream() << "/\n";
      tau_file.commit();
      time_file.commit();
    }

    void write_raw_tau_grid(const TauRecords &records, const std::string &path)
    {
      AtomicOutputFile file(path);
      require_open(file);
      const std::vector<TauRecords::CellRecord> &cells = records.cells();
      file.stream() << "__TAU__\n";
      write_formatted_blocks(file.stream(), cells.size(), [&](std::size_t begin, std::size_t end, std::string &text) {
        write_number_lines(text, begin, end, [&](std::size_t cell) { return cells[cell].tau; }, GRID_PRECISION);
      });
      file.stream() << "/\n";
      file.commit();
    }
  } // namespace quill
} // namespace orr
