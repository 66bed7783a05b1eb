#include <cmath>
#include <string>

#include "atomic_output_file.h"
#include "exceptions.h"
#include "formatted_blocks.h"
#include "general_number.h"
#include "one_dim_solver.h"
#include "result_file_names.h"

namespace orr
{
  namespace quill
  {
    namespace
    {
      /** Significant digits of the pressure maps, the curves and the summary: those of a stream's default. */
      constexpr int RESULT_PRECISION = 6;

      void open_or_throw(AtomicOutputFile &file)
      {
        if (!file.is_open())
          throw StandardExceptions::ExcFileNotOpen(file.path());
      }

      /** Appends `value` with RESULT_PRECISION digits and then `separator`. */
      void append_report_number(std::string &text, const double value, const char *const separator)
      {
        append_general_number(text, value, RESULT_PRECISION);
        text += separator;
      }

      // One curve file: "<time>    <value>" per step.
      void write_curve(const std::string &path, const std::vector<double> &times,
                       const std::vector<double> &values)
      {
        AtomicOutputFile file(path);
        open_or_throw(file);
        std::string text;
        for (std::size_t s = 0; s < times.size(); ++s)
        {
          append_report_number(text, times[s], "    ");
          append_report_number(text, values[s], "\n");
        }
        file.stream().write(text.data(), static_cast<std::streamsize>(text.size()));
        file.commit();
      }
    } // namespace

    void OneDimSolver::write_reports(const std::string &stem) const
    {
      const bool kerogen   = _model.kerogen;
      const bool dualporo  = _model.dualporo;
      {
        AtomicOutputFile file(stem + result_files::SUMMARY);
        open_or_throw(file);
        std::ostream &out = file.stream();
        out << "Report Summary\n";
        out << "Step,Time,Production Rate,Cumulative Production,BHP,";
        if (dualporo)
          out << "Q_trans(matrix to fracture),";
        if (dualporo && kerogen)
          out << "Q_diff(kerogen to matrix),";
        out << "ITERATIONS\n";
        out << "-,Days,MSCFD/STBD,MSCF/STB,PSIA,";
        if (dualporo)
          out << "MSCFD/STBD,";
        if (dualporo && kerogen)
          out << "MSCFD,";
        out << "-\n";
        std::string rows;
        for (std::size_t s = 0; s < _report_times.size(); ++s)
        {
          rows += std::to_string(s + 1);
          rows += ',';
          for (const double value : {_report_times[s], _rate[s], _cumulative[s], _bhp[s]})
            append_report_number(rows, value, ",");
          if (dualporo)
            append_report_number(rows, _transfer_rate[s], ",");
          if (dualporo && kerogen)
            append_report_number(rows, _diffusion_rate[s], ",");
          rows += std::to_string(_iterations[s]);
          rows += '\n';
        }
        out.write(rows.data(), static_cast<std::streamsize>(rows.size()));
        file.commit();
      }
      write_curve(stem + result_files::BHP_CURVE, _report_times, _bhp);
      write_curve(stem + result_files::CUMULATIVE_CURVE, _report_times, _cumulative);
      // The desktop program takes the rate curve as the sign of a complete run.
      write_curve(stem + result_files::RATE_CURVE, _report_times, _rate);
    }

    std::vector<std::string> OneDimSolver::report_suffixes() const
    {
      std::vector<std::string> suffixes = {result_files::SUMMARY, result_files::BHP_CURVE,
                                           result_files::CUMULATIVE_CURVE, result_files::RATE_CURVE};
      if (_model.rptpre)
        for (const unsigned k : map_numbers())
          suffixes.push_back(result_files::pressure_map(k));
      return suffixes;
    }

    std::vector<unsigned> OneDimSolver::map_numbers() const
    {
      return map_numbers(_report_times.size(), _model.map_frequency);
    }

    std::vector<unsigned> OneDimSolver::map_numbers(std::size_t steps, int map_frequency)
    {
      // Every FREQ-th step from the first, and always the last.
      std::vector<unsigned> numbers;
      if (steps == 0)
        return numbers;
      const std::size_t frequency = static_cast<std::size_t>(std::max(map_frequency, 1));
      for (std::size_t s = 0; s + 1 < steps; s += frequency)
        numbers.push_back(static_cast<unsigned>(s + 1));
      numbers.push_back(static_cast<unsigned>(steps));
      return numbers;
    }

    std::uint64_t OneDimSolver::estimated_pressure_map_bytes(const std::uint64_t cell_count) const
    {
      if (!_model.rptpre)
        return 0;
      // A pressure such as "4512.37" and its two blanks, with a byte to spare; the header
      // lines and the closing " /" of a map.
      constexpr std::uint64_t BYTES_PER_VALUE = 10;
      constexpr std::uint64_t BYTES_PER_MAP   = 64;
      return map_numbers().size() * (cell_count * BYTES_PER_VALUE + BYTES_PER_MAP);
    }

    void OneDimSolver::write_pressure_maps(const std::string &stem) const
    {
      if (!_model.rptpre)
        return;
      for (unsigned k : map_numbers())
      {
        const std::vector<double> cell_pressure =
          interpolate(_cell_centre_tau, _pressure_profile[k - 1], _cell_tau);

        AtomicOutputFile file(stem + result_files::pressure_map(k));
        open_or_throw(file);
        std::ostream &out = file.stream();
        out << "FILEUNIT\n  FIELD /\n\nPRESSURE_" << k << '\n';
        write_formatted_blocks(out, cell_pressure.size(), [&](std::size_t begin, std::size_t end, std::string &text) {
          NumberTextWriter map(text, end - begin, 2 * (end - begin));
          for (std::size_t cell = begin; cell < end; ++cell)
          {
            map.number(cell_pressure[cell], RESULT_PRECISION);
            map.character(' ');
            map.character(' ');
          }
        });
        out << " /";
        file.commit();
      }
    }
  } // namespace quill
} // namespace orr
