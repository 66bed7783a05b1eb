#include "ensemble_collect.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <memory>
#include <stdexcept>

#include "atomic_output_file.h"
#include "deck_reader.h"
#include "ensemble_statistics.h"
#include "infinite_value.h"
#include "input_error.h"
#include "quill_results.h"
#include "run_folder.h"

namespace fs = std::filesystem;

namespace orr
{
  namespace ensemble
  {
    namespace
    {
      constexpr double INFINITE_TIME = std::numeric_limits<double>::infinity();
      /** The percentiles of the arrival maps and the curve table, petroleum convention. */
      constexpr int PERCENTILES[] = {10, 50, 90};
      constexpr int SIGNIFICANT_DIGITS = 6;

      const char *const CURVE_SUFFIXES[] = {"_RATE", "_Cum", "_BHP"};
      const char *const CURVE_NAMES[]    = {"Rate", "Cumulative", "BHP"};
      const char *const CURVE_UNITS[]    = {"MSCFD/STBD", "MSCF/STB", "PSIA"};

      /** `value` as quill writes its results: %g with 6 digits, infinite as 1.79769e+308. */
      void append_number(std::string &text, const double value)
      {
        char                       buffer[32];
        const std::to_chars_result written =
          std::to_chars(buffer, buffer + sizeof buffer, std::min(value, quill::INFINITE_VALUE),
                        std::chars_format::general, SIGNIFICANT_DIGITS);
        text.append(buffer, written.ptr);
      }

      std::string number_text(const double value)
      {
        std::string text;
        append_number(text, value);
        return text;
      }

      std::string name_list(const std::vector<std::string> &names)
      {
        std::string list;
        for (const std::string &name : names)
          list += (list.empty() ? "" : ", ") + name;
        return list.empty() ? "none" : list;
      }

      /** Whether `name` is one of the files collect writes. */
      bool is_collected_file(const EnsembleFolder &ensemble, const std::string &name)
      {
        const std::string &root = ensemble.root_name();
        const auto         starts = [&](const std::string &prefix) { return name.compare(0, prefix.size(), prefix) == 0; };
        return name == root + "_ENSEMBLE.csv" || starts(root + "_ARRIVAL_P") || starts(root + "_REACHED_");
      }

      /** Removes the temporary files that a collect killed while writing left behind. */
      void remove_killed_temporaries(const EnsembleFolder &ensemble)
      {
        for (const fs::directory_entry &entry : fs::directory_iterator(ensemble.path()))
          {
            const std::string stem = AtomicOutputFile::stem_of_temporary(entry.path().filename().string());
            if (!stem.empty() && is_collected_file(ensemble, stem))
              fs::remove(entry.path());
          }
      }

      /** A result file, to be committed once everything is computed. */
      std::unique_ptr<AtomicOutputFile> open_result(const fs::path &path)
      {
        auto file = std::make_unique<AtomicOutputFile>(path.string());
        if (!file->is_open())
          throw std::runtime_error("The file " + path.string() + " cannot be written.");
        return file;
      }

      /** The grid and wells of the ensemble, from the deck of a finished run. */
      quill::DeckContents read_run_deck(const EnsembleFolder &ensemble, const std::string &name)
      {
        quill::DeckReader reader(ensemble.run_folder(name).string() + "/", [](std::istream &) {});
        return reader.read(ensemble.root_name() + ".fip");
      }

      /**
       * Arrival times of every used realisation, cell by cell: times[c * n + r] for cell c of
       * realisation r. Unreached cells become INFINITE_TIME.
       */
      std::vector<double> read_arrival_times(const EnsembleFolder &ensemble, const std::vector<std::string> &used,
                                             const quill::DeckContents &deck)
      {
        const std::size_t n     = used.size();
        const std::size_t cells = deck.cell_count;
        std::vector<bool> completion(cells, false);
        const std::size_t ni = deck.dimensions[0];
        const std::size_t nj = deck.dimensions[1];
        for (const quill::CompletionCell &cell : deck.completions)
          completion[((cell.k - 1) * nj + (cell.j - 1)) * ni + (cell.i - 1)] = true;

        std::vector<double>      times(cells * n);
        std::vector<std::string> other_grids;
        for (std::size_t r = 0; r < n; ++r)
          {
            const std::vector<double> map =
              read_grid_map(ensemble.run_folder(used[r]) / (ensemble.root_name() + ".time.grdecl"));
            if (map.size() != cells)
              {
                other_grids.push_back(used[r]);
                continue;
              }
            for (std::size_t c = 0; c < cells; ++c)
              {
                const bool unreached = (map[c] == 0.0 && !completion[c]) || map[c] >= quill::INFINITE_VALUE;
                times[c * n + r]     = unreached ? INFINITE_TIME : map[c];
              }
          }
        if (!other_grids.empty())
          throw InputError("Error: the realisations " + name_list(other_grids) + " have another grid than the " +
                           std::to_string(cells) + " cells of " + ensemble.root_name() + ".fip.\n");
        return times;
      }

      /** The three curves of every used realisation; all must share the report times. */
      std::vector<std::vector<Curve>> read_curves(const EnsembleFolder &ensemble, const std::vector<std::string> &used)
      {
        std::vector<std::vector<Curve>> curves(std::size(CURVE_SUFFIXES));
        std::vector<std::string>        other_times;
        for (const std::string &name : used)
          {
            bool same_times = true;
            for (std::size_t q = 0; q < curves.size(); ++q)
              {
                curves[q].push_back(read_curve(ensemble.run_folder(name) / (ensemble.root_name() + CURVE_SUFFIXES[q])));
                same_times = same_times && curves[q].back().days == curves[0].front().days;
              }
            if (!same_times)
              other_times.push_back(name);
          }
        if (!other_times.empty())
          throw InputError("Error: the realisations " + name_list(other_times) + " have other report times than " +
                           used.front() + ".\n");
        return curves;
      }

      void write_curve_table(const std::vector<std::vector<Curve>> &curves, AtomicOutputFile &file)
      {
        std::string text = "Ensemble Summary\n"
                           "P90 is the low case (the value exceeded by 90 % of the realisations) and P10 the high "
                           "case; percentiles interpolate linearly between the sorted values\n"
                           "Time,Realisations";
        std::string units = "Days,-";
        for (std::size_t q = 0; q < curves.size(); ++q)
          {
            text += std::string(",") + CURVE_NAMES[q] + " Mean";
            units += std::string(",") + CURVE_UNITS[q];
            for (const int p : PERCENTILES)
              {
                text += std::string(",") + CURVE_NAMES[q] + " P" + std::to_string(p);
                units += std::string(",") + CURVE_UNITS[q];
              }
          }
        text += "\n" + units + "\n";

        const std::vector<double> &days = curves[0].front().days;
        const std::size_t          n    = curves[0].size();
        std::vector<double>        sample(n);
        for (std::size_t s = 0; s < days.size(); ++s)
          {
            append_number(text, days[s]);
            text += "," + std::to_string(n);
            for (const std::vector<Curve> &quantity : curves)
              {
                for (std::size_t r = 0; r < n; ++r)
                  sample[r] = quantity[r].values[s];
                std::sort(sample.begin(), sample.end());
                text += ',';
                append_number(text, mean_of(sample));
                for (const int p : PERCENTILES)
                  {
                    text += ',';
                    append_number(text, exceeded_by(sample, p));
                  }
              }
            text += '\n';
          }
        file.stream() << text;
      }

      /** The days of the pressure maps of a finished run: report time k for map k. */
      std::vector<double> pressure_map_days(const EnsembleFolder &ensemble, const std::string &name,
                                            const std::vector<double> &report_days)
      {
        std::vector<double> days;
        for (const unsigned step : pressure_map_steps(ensemble.run_folder(name), ensemble.root_name()))
          if (step >= 1 && step <= report_days.size())
            days.push_back(report_days[step - 1]);
        return days;
      }

      /**
       * Sorts each cell's arrival times and writes the percentile maps and the reached
       * fractions into the open files, one value per line after the header.
       */
      void write_maps(std::vector<double> &times, const std::size_t n, const std::vector<double> &days,
                      const std::vector<std::unique_ptr<AtomicOutputFile>> &arrival_files,
                      const std::vector<std::unique_ptr<AtomicOutputFile>> &reached_files)
      {
        const std::size_t        cells = times.size() / n;
        std::vector<std::string> texts(arrival_files.size() + reached_files.size());
        std::vector<double>      sample(n);
        for (std::size_t c = 0; c < cells; ++c)
          {
            const auto first = times.begin() + c * n;
            sample.assign(first, first + n);
            std::sort(sample.begin(), sample.end());
            for (std::size_t a = 0; a < arrival_files.size(); ++a)
              {
                append_number(texts[a], exceeded_by(sample, PERCENTILES[a]));
                texts[a] += '\n';
              }
            for (std::size_t d = 0; d < days.size(); ++d)
              {
                const std::size_t reached =
                  std::upper_bound(sample.begin(), sample.end(), days[d]) - sample.begin();
                std::string &text = texts[arrival_files.size() + d];
                append_number(text, static_cast<double>(reached) / n);
                text += '\n';
              }
          }
        for (std::size_t a = 0; a < arrival_files.size(); ++a)
          arrival_files[a]->stream() << texts[a] << "/\n";
        for (std::size_t d = 0; d < days.size(); ++d)
          reached_files[d]->stream() << texts[arrival_files.size() + d] << "/\n";
      }
    } // namespace

    CollectSummary collect(const EnsembleFolder &ensemble, const std::vector<double> &days, std::ostream &out)
    {
      // (1) sort the realisations by the state of their runs
      CollectSummary           summary;
      std::vector<std::string> stale;
      for (const RunRecord &record : read_run_records(ensemble))
        {
          switch (record.state)
            {
              case RunState::FINISHED: summary.used.push_back(record.name); break;
              case RunState::FAILED: summary.failed.push_back(record.name); break;
              case RunState::PENDING: summary.missing.push_back(record.name); break;
              case RunState::STALE: stale.push_back(record.name); break;
            }
        }
      if (!stale.empty())
        throw InputError("Error: the base deck or the files of the realisations " + name_list(stale) +
                         " changed after their runs finished; run the ensemble again.\n");
      if (summary.used.empty())
        throw InputError("Error: no realisation of " + ensemble.path().string() + " has finished; nothing to collect.\n");

      // (2) read every result before writing anything
      const quill::DeckContents       deck  = read_run_deck(ensemble, summary.used.front());
      std::vector<double>             times = read_arrival_times(ensemble, summary.used, deck);
      std::vector<std::vector<Curve>> curves;
      if (deck.has_pressure_model)
        curves = read_curves(ensemble, summary.used);
      const std::vector<double> map_days =
        !days.empty() || curves.empty() ? days : pressure_map_days(ensemble, summary.used.front(), curves[0].front().days);

      // (3) open every output, compute into them, then put them all in place
      remove_killed_temporaries(ensemble);
      std::vector<std::unique_ptr<AtomicOutputFile>> arrival_files;
      std::vector<std::unique_ptr<AtomicOutputFile>> reached_files;
      for (const int p : PERCENTILES)
        {
          arrival_files.push_back(open_result(ensemble.result_path("_ARRIVAL_P" + std::to_string(p) + ".grdecl")));
          arrival_files.back()->stream() << "Arrival_Time_P" << p << "(days)\n";
        }
      for (const double day : map_days)
        {
          reached_files.push_back(open_result(ensemble.result_path("_REACHED_" + number_text(day) + ".grdecl")));
          reached_files.back()->stream() << "Reached_Fraction_By_Day_" << number_text(day) << '\n';
        }
      std::unique_ptr<AtomicOutputFile> table;
      if (!curves.empty())
        {
          table = open_result(ensemble.result_path("_ENSEMBLE.csv"));
          write_curve_table(curves, *table);
        }
      write_maps(times, summary.used.size(), map_days, arrival_files, reached_files);

      std::vector<std::string> written;
      if (table)
        {
          table->commit();
          written.push_back(fs::path(table->path()).filename().string());
        }
      for (const auto &file : arrival_files)
        {
          file->commit();
          written.push_back(fs::path(file->path()).filename().string());
        }
      for (const auto &file : reached_files)
        {
          file->commit();
          written.push_back(fs::path(file->path()).filename().string());
        }

      // (4) say what was used and what was not
      out << "Collected " << summary.used.size() << " of " << ensemble.realisations().size()
          << " realisations into " << ensemble.path().string() << ": " << name_list(written) << "\n";
      if (!deck.has_pressure_model)
        out << "The base deck has no pressure model: no curves to collect.\n";
      else if (map_days.empty())
        out << "The runs wrote no pressure maps: give --days for maps of the reached fraction.\n";
      out << "Failed: " << name_list(summary.failed) << "\nMissing: " << name_list(summary.missing) << "\n";
      return summary;
    }
  } // namespace ensemble
} // namespace orr
