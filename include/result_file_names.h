#ifndef ORR_RESULT_FILE_NAMES_H
#define ORR_RESULT_FILE_NAMES_H

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <string>

namespace orr
{
  /**
   * The names of a run's result files. Each but the completion summary is the deck's root
   * name followed by one of these suffixes.
   */
  namespace result_files
  {
    inline const std::string TAU_TABLE        = "_tau_solutions.csv";
    inline const std::string TAU_GRID         = ".tau.grdecl";
    inline const std::string TIME_GRID        = ".time.grdecl";
    inline const std::string SUMMARY          = "_RSM.csv";
    inline const std::string BHP_CURVE        = "_BHP";
    inline const std::string RATE_CURVE       = "_RATE";
    inline const std::string CUMULATIVE_CURVE = "_Cum";

    /** The completion summary: one per run folder, without the root name. */
    inline const std::string COMPLETION_SUMMARY = "well_prop.txt";

    inline const std::string PRESSURE_MAP_START = "_PRESSURE_";
    inline const std::string PRESSURE_MAP_END   = ".grdecl";

    /** The suffix of pressure map k (1-based): "_PRESSURE_<k>.grdecl". */
    inline std::string pressure_map(const unsigned k)
    {
      return PRESSURE_MAP_START + std::to_string(k) + PRESSURE_MAP_END;
    }

    /** Whether `suffix` names a pressure map of any number. */
    inline bool is_pressure_map(const std::string &suffix)
    {
      const std::size_t digits = PRESSURE_MAP_START.size();
      const std::size_t end    = suffix.size() - std::min(suffix.size(), PRESSURE_MAP_END.size());
      return end > digits && suffix.compare(0, digits, PRESSURE_MAP_START) == 0
             && suffix.compare(end, std::string::npos, PRESSURE_MAP_END) == 0
             && std::all_of(suffix.begin() + digits, suffix.begin() + end,
                            [](const unsigned char c) { return std::isdigit(c) != 0; });
    }

    /** Whether `suffix` names one of a root's result files (the completion summary is none). */
    inline bool is_result(const std::string &suffix)
    {
      for (const std::string *named : {&TAU_TABLE, &TAU_GRID, &TIME_GRID, &SUMMARY, &BHP_CURVE,
                                       &RATE_CURVE, &CUMULATIVE_CURVE})
        if (suffix == *named)
          return true;
      return is_pressure_map(suffix);
    }
  } // namespace result_files
} // namespace orr

#endif
