#include "ensemble_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sstream>

#include "input_error.h"

namespace orr
{
  namespace ensemble
  {
    const char *const USAGE =
      "Usage: quill-ensemble run <ensemble> [--jobs N] [--days D1,D2,...] [--quill PATH]\n"
      "       quill-ensemble run <ensemble> --slurm [--partition P] [--max-running M] [--time T]\n"
      "                          [--no-wait] [--days D1,D2,...] [--quill PATH]\n"
      "       quill-ensemble collect <ensemble> [--days D1,D2,...]\n";

    namespace
    {
      InputError usage_error(const std::string &message)
      {
        return InputError("Error: " + message + "\n" + USAGE);
      }

      unsigned positive_count(const std::string &option, const std::string &text)
      {
        char         *end = nullptr;
        errno             = 0;
        const long    value = std::strtol(text.c_str(), &end, 10);
        if (text.empty() || *end != '\0' || errno != 0 || value < 1 || value > 1000000)
          throw usage_error(option + " needs a whole number from 1 to 1000000, not \"" + text + "\".");
        return static_cast<unsigned>(value);
      }

      std::vector<double> day_list(const std::string &text)
      {
        std::vector<double> days;
        std::istringstream  items(text);
        std::string         item;
        while (std::getline(items, item, ','))
          {
            char        *end = nullptr;
            const double day = std::strtod(item.c_str(), &end);
            if (item.empty() || *end != '\0' || !std::isfinite(day) || day <= 0.0)
              throw usage_error("--days needs positive numbers of days separated by commas, not \"" +
                                text + "\".");
            days.push_back(day);
          }
        if (days.empty())
          throw usage_error("--days needs at least one day.");
        return days;
      }
    } // namespace

    EnsembleOptions parse_command_line(const std::vector<std::string> &arguments)
    {
      if (arguments.size() < 2)
        throw usage_error("a command and an ensemble folder are needed.");

      EnsembleOptions options;
      if (arguments[0] == "run")
        options.command = EnsembleOptions::Command::RUN;
      else if (arguments[0] == "collect")
        options.command = EnsembleOptions::Command::COLLECT;
      else
        throw usage_error("unknown command \"" + arguments[0] + "\".");
      options.ensemble = arguments[1];

      const bool run = options.command == EnsembleOptions::Command::RUN;
      bool       slurm_only_given = false;
      for (std::size_t a = 2; a < arguments.size(); ++a)
        {
          const std::string &option = arguments[a];
          const bool         flag = option == "--slurm" || option == "--no-wait";
          if (!flag && a + 1 == arguments.size())
            throw usage_error(option.rfind("--", 0) == 0 ? option + " needs a value."
                                                          : "unexpected argument \"" + option + "\".");
          const std::string value = flag ? std::string() : arguments[a + 1];
          if (!flag)
            ++a;

          if (option == "--days")
            options.days = day_list(value);
          else if (!run)
            throw usage_error("collect takes no option " + option + ".");
          else if (option == "--jobs")
            options.jobs = positive_count(option, value);
          else if (option == "--quill")
            options.quill = value;
          else if (option == "--slurm")
            options.slurm = true;
          else if (option == "--no-wait")
            {
              options.slurm_options.wait = false;
              slurm_only_given           = true;
            }
          else if (option == "--partition")
            {
              options.slurm_options.partition = value;
              slurm_only_given                = true;
            }
          else if (option == "--max-running")
            {
              options.slurm_options.max_running = positive_count(option, value);
              slurm_only_given                  = true;
            }
          else if (option == "--time")
            {
              options.slurm_options.time_limit = value;
              slurm_only_given                 = true;
            }
          else
            throw usage_error("unknown option \"" + option + "\".");
        }

      if (slurm_only_given && !options.slurm)
        throw usage_error("--partition, --max-running, --time and --no-wait go with --slurm.");
      if (options.slurm && options.jobs != 0)
        throw usage_error("--jobs is for runs on this machine; with --slurm use --max-running.");
      return options;
    }
  } // namespace ensemble
} // namespace orr
