#include "quill_run_results.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "deck_reader.h"
#include "input_error.h"
#include "one_dim_solver.h"
#include "result_file_names.h"

namespace orr
{
  namespace eclipse
  {
    namespace
    {
      namespace fs = std::filesystem;

      /** Reading one run's files, each checked against the deck's time. */
      class RunFiles
      {
      public:
        RunFiles(const std::string &directory, const std::string &root)
          : _stem((fs::path(directory) / root).string())
          , _deck_time(fs::last_write_time(_stem + ".fip"))
        {}

        // The text of the result file stem + suffix.
        std::string text(const std::string &suffix) const
        {
          const std::string path = _stem + suffix;
          std::error_code missing;
          const fs::file_time_type written = fs::last_write_time(path, missing);
          if (missing)
            throw InputError("Error: The result file " + path + " is missing: the run did not finish. Run quill on "
                             "the deck first!\n");
          if (written < _deck_time)
            throw InputError("Error: The result file " + path + " is older than the deck " + _stem
                             + ".fip. Run quill on the deck first!\n");
          std::ifstream in(path, std::ios::binary);
          std::ostringstream contents;
          contents << in.rdbuf();
          if (!in)
            throw InputError("Error: The result file " + path + " cannot be read!\n");
          return contents.str();
        }

        // count numbers after the first occurrence of header in the file stem + suffix.
        std::vector<double> values(const std::string &suffix, const std::string &header, std::size_t count) const
        {
          const std::string contents = text(suffix);
          std::size_t at = contents.find(header);
          std::vector<double> numbers;
          numbers.reserve(count);
          if (at != std::string::npos)
          {
            const char *next = contents.data() + at + header.size();
            const char *end = contents.data() + contents.size();
            while (numbers.size() < count)
            {
              while (next < end && std::isspace(static_cast<unsigned char>(*next)))
                ++next;
              double value;
              const std::from_chars_result read = std::from_chars(next, end, value);
              if (read.ec == std::errc::result_out_of_range)
                value = std::numeric_limits<double>::infinity(); // the unreachable cell
              else if (read.ec != std::errc())
                break;
              numbers.push_back(value);
              next = read.ptr;
            }
          }
          if (numbers.size() < count)
            throw InputError("Error: The result file " + _stem + suffix + " holds " + std::to_string(numbers.size())
                             + " of its " + std::to_string(count) + " values after " + header + "!\n");
          return numbers;
        }

      private:
        std::string        _stem;
        fs::file_time_type _deck_time;
      };

      std::vector<double> record_values(const std::shared_ptr<DataRecord<double>> &record)
      {
        std::vector<double> values(record->size());
        for (std::size_t c = 0; c < values.size(); ++c)
          values[c] = record->get_value(static_cast<unsigned>(c));
        return values;
      }

      // Steps of the summary <root>_RSM.csv: time, rate, cumulative and BHP.
      void read_summary(const RunFiles &files, QuillRunResults &results)
      {
        std::istringstream summary(files.text(result_files::SUMMARY));
        std::string line;
        for (int heading = 0; heading < 3; ++heading)
          std::getline(summary, line);
        while (std::getline(summary, line) && !line.empty())
        {
          std::istringstream fields(line);
          std::string field;
          double values[5];
          for (double &value : values)
          {
            if (!std::getline(fields, field, ','))
              throw InputError("Error: The result file " + result_files::SUMMARY + " has a short line: " + line + "\n");
            value = std::strtod(field.c_str(), nullptr);
          }
          results.day.push_back(values[1]);
          results.rate.push_back(values[2]);
          results.cumulative.push_back(values[3]);
          results.bhp.push_back(values[4]);
        }
      }
    } // namespace

    QuillRunResults read_quill_run(const std::string &directory, const std::string &root)
    {
      const std::string deck_directory = (fs::path(directory) / "").string();
      if (!fs::is_regular_file(deck_directory + root + ".fip"))
        throw InputError("Error: The deck " + deck_directory + root + ".fip cannot be found!\n");

      quill::OneDimSolver pressure;
      quill::DeckReader reader(deck_directory, [&pressure](std::istream &section) { pressure.read_pressure_model(section); });
      const quill::DeckContents deck = reader.read(root + ".fip");

      QuillRunResults results;
      results.dimensions = {deck.dimensions[0], deck.dimensions[1], deck.dimensions[2]};
      const quill::DeckProperties &p = deck.properties;
      results.dx = record_values(p.dx);
      results.dy = record_values(p.dy);
      results.dz = record_values(p.dz);
      results.poro = record_values(p.poro);
      results.permx = record_values(p.permx);
      results.permy = p.permy->size() > 0 ? record_values(p.permy) : results.permx;
      results.permz = p.permz->size() > 0 ? record_values(p.permz) : results.permx;

      const RunFiles files(directory, root);
      results.tau = files.values(result_files::TAU_GRID, "DTOF_sqrt(days)", deck.cell_count);
      results.arrival = files.values(result_files::TIME_GRID, "Physical_Time(days)", deck.cell_count);
      results.has_pressure_model = deck.has_pressure_model;
      if (!deck.has_pressure_model)
        return results;

      results.gas = pressure.model().gas;
      read_summary(files, results);
      if (!pressure.model().rptpre)
        return results;
      for (unsigned number : quill::OneDimSolver::map_numbers(results.day.size(), pressure.model().map_frequency))
      {
        const std::string name = "PRESSURE_" + std::to_string(number);
        results.maps.push_back({number, results.day[number - 1],
                                files.values(result_files::pressure_map(number), name + "\n", deck.cell_count)});
      }
      return results;
    }
  } // namespace eclipse
} // namespace orr
