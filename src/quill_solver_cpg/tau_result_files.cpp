#include "tau_result_files.h"

#include <cmath>
#include <ostream>

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

      /** Significant digits of the tau table. */
      constexpr int TABLE_PRECISION = 18;

      /** `value`, or INFINITE_VALUE where it is infinite, overflowed or not a number. */
      double writable(const double value)
      {
        return value < INFINITE_VALUE ? value : INFINITE_VALUE;
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
      std::ostream &out = file.stream();
      out.precision(TABLE_PRECISION);
      const std::size_t rows = records.tau_list().size();
      for (std::size_t i = 0; i < rows; ++i)
        out << writable(records.tau_list()[i]) << ',' << writable(records.pore_volume_list()[i]) << ','
            << writable(records.bulk_volume_list()[i]) << ',' << writable(records.cell_tau()[i]) << ','
            << writable(records.cell_pore_volume()[i]) << ',' << writable(records.cell_bulk_volume()[i])
            << '\n';
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
      for (const double tau : records.cell_tau())
      {
        const double t = SQRT_DAYS_PER_RAW_TAU * tau;
        tau_out << writable(t) << '\n';
        time_out << writable(t * t / divisor) << '\n';
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
      for (const double tau : records.cell_tau())
        out << writable(tau) << '\n';
      out << "/\n";
      file.commit();
    }
  } // namespace quill
} // namespace orr
