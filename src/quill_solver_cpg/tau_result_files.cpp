#include "tau_result_files.h"

#include <charconv>
#include <cmath>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include "atomic_output_file.h"
#include "exceptions.h"
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
       * Appends `value` in the general notation with `precision` significant digits, the
       * text printf's %g gives (and a stream with that precision writes); formatting through
       * the stream is several times slower, and the files hold millions of numbers.
       */
      void append_number(std::string &text, const double value, const int precision)
      {
        char buffer[32];
        const std::to_chars_result result =
          std::to_chars(buffer, buffer + sizeof buffer, writable(value), std::chars_format::general, precision);
        ORR_ASSERT(result.ec == std::errc(), ExcInternalError());
        text.append(buffer, result.ptr);
      }

      /** Writes `value` on a line of its own; `scratch` is reused between calls. */
      void write_number_line(std::ostream &out, std::string &scratch, const double value, const int precision)
      {
        scratch.clear();
        append_number(scratch, value, precision);
        scratch += '\n';
        out << scratch;
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
      std::ostream     &out  = file.stream();
      const std::size_t rows = records.tau_list().size();
      std::string       line;
      for (std::size_t i = 0; i < rows; ++i)
      {
        line.clear();
        // Row i also shows the record of cell i (not of the cell accepted i-th).
        const TauRecords::CellRecord &cell = records.cells()[i];
        for (const double value : {records.tau_list()[i], records.pore_volume_list()[i], records.bulk_volume_list()[i],
                                   cell.tau, cell.pore_volume, cell.bulk_volume})
        {
          if (!line.empty())
            line += ',';
          append_number(line, value, TABLE_PRECISION);
        }
        line += '\n';
        out << line;
      }
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
      std::ostream &tau_out  = tau_file.stream();
      std::ostream &time_out = time_file.stream();
      tau_out << "DTOF_sqrt(days)\n";
      time_out << "Physical_Time(days)\n";
      std::string scratch;
      for (const TauRecords::CellRecord &cell : records.cells())
      {
        const double t = SQRT_DAYS_PER_RAW_TAU * cell.tau;
        write_number_line(tau_out, scratch, t, GRID_PRECISION);
        write_number_line(time_out, scratch, t * t / divisor, GRID_PRECISION);
      }
      tau_out << "/\n";
      time_out << "/\n";
      tau_file.commit();
      time_file.commit();
    }

    void write_raw_tau_grid(const TauRecords &records, const std::string &path)
    {
      AtomicOutputFile file(path);
      require_open(file);
      std::ostream &out = file.stream();
      out << "__TAU__\n";
      std::string scratch;
      for (const TauRecords::CellRecord &cell : records.cells())
        write_number_line(out, scratch, cell.tau, GRID_PRECISION);
      out << "/\n";
      file.commit();
    }
  } // namespace quill
} // namespace orr
