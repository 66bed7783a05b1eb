#include "quill_results.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "text_input.h"

namespace fs = std::filesystem;

namespace orr
{
  namespace ensemble
  {
    namespace
    {
      std::runtime_error unreadable(const fs::path &path)
      {
        return std::runtime_error("The result file " + path.string() + " cannot be read or is not as quill writes it.");
      }

      /** The number at `cursor` in `text`, moving the cursor past it; false at anything else. */
      bool next_number(const char *&cursor, double &value)
      {
        char *end = nullptr;
        value     = std::strtod(cursor, &end);
        if (end == cursor)
          return false;
        cursor = end;
        return true;
      }
    } // namespace

    Curve read_curve(const fs::path &path)
    {
      std::ifstream in;
      if (!open_text_file(in, path.string()))
        throw unreadable(path);
      Curve       curve;
      std::string line;
      while (read_text_line(in, line))
        {
          const char *cursor = line.c_str();
          double      day    = 0.0;
          double      value  = 0.0;
          if (!next_number(cursor, day) || !next_number(cursor, value))
            throw unreadable(path);
          curve.days.push_back(day);
          curve.values.push_back(value);
        }
      return curve;
    }

    std::vector<double> read_grid_map(const fs::path &path)
    {
      std::ifstream in;
      if (!open_text_file(in, path.string()))
        throw unreadable(path);
      std::string line;
      if (!read_text_line(in, line))
        throw unreadable(path);

      std::vector<double> values;
      while (read_text_line(in, line))
        {
          if (line == "/")
            return values;
          const char *cursor = line.c_str();
          double      value  = 0.0;
          if (!next_number(cursor, value))
            throw unreadable(path);
          values.push_back(value);
        }
      throw unreadable(path);
    }

    std::vector<unsigned> pressure_map_steps(const fs::path &folder, const std::string &root)
    {
      const std::string prefix = root + "_PRESSURE_";
      const std::string suffix = ".grdecl";
      std::vector<unsigned> steps;
      for (const fs::directory_entry &entry : fs::directory_iterator(folder))
        {
          const std::string name = entry.path().filename().string();
          if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
              name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
            continue;
          const std::string number = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
          if (number.find_first_not_of("0123456789") == std::string::npos)
            steps.push_back(static_cast<unsigned>(std::stoul(number)));
        }
      std::sort(steps.begin(), steps.end());
      return steps;
    }
  } // namespace ensemble
} // namespace orr
