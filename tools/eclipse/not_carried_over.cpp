#include <set>
#include <string>

#include <opm/input/eclipse/Deck/DeckKeyword.hpp>

#include "eclipse_import.h"

namespace orr
{
  namespace eclipse
  {
    namespace
    {
      // Keywords the import carries over, and keywords that only size, name, format or report
      // a run and so change nothing of the model.
      const std::set<std::string> CARRIED_OVER = {
        // sections
        "RUNSPEC", "GRID", "EDIT", "PROPS", "REGIONS", "SOLUTION", "SUMMARY", "SCHEDULE", "END",
        // run description, dimensions, units, output control
        "TITLE", "DIMENS", "START", "OIL", "GAS", "WATER", "FIELD", "METRIC", "LAB", "PVT-M", "WELLDIMS",
        "TABDIMS", "EQLDIMS", "REGDIMS", "NSTACK", "UNIFIN", "UNIFOUT", "FMTIN", "FMTOUT", "NOECHO", "ECHO",
        "MESSAGES", "INIT", "GRIDFILE", "RPTGRID", "RPTPROPS", "RPTREGS", "RPTSOL", "RPTSCHED", "RPTRST",
        "RPTRUNSP", "RPTSMRY", "NOINSPEC", "NORSSPEC", "MONITOR", "NEWTRAN", "OLDTRAN", "SMRYDIMS", "NUPCOL",
        "TUNING", "INCLUDE", "PATHS",
        // grid geometry and activity
        "DX", "DY", "DZ", "DXV", "DYV", "DZV", "TOPS", "DEPTHZ", "COORD", "ZCORN", "SPECGRID", "COORDSYS",
        "MAPAXES", "MAPUNITS", "GRIDUNIT", "ACTNUM", "MINPV", "MINPVV", "MINPORV", "BOX", "ENDBOX",
        // properties and the operations opm-common applies to them
        "PORO", "PERMX", "PERMY", "PERMZ", "NTG", "EQUALS", "COPY", "ADD", "MULTIPLY",
        // fluid and rock of quill's pressure model
        "PVDO", "PVDG", "PVTW", "SWOF", "SGOF", "SWFN", "ROCK", "DENSITY", "PRESSURE", "EQUIL",
        // the producer and its schedule
        "WELSPECS", "COMPDAT", "WCONPROD", "TSTEP", "DATES",
      };
    } // namespace

    std::vector<std::string> keywords_not_carried_over(const Opm::Deck &deck)
    {
      std::vector<std::string> found;
      std::set<std::string> listed;
      bool in_summary = false;
      for (const Opm::DeckKeyword &keyword : deck)
      {
        const std::string &name = keyword.name();
        // The summary section asks for output vectors: nothing of the model.
        if (name == "SUMMARY" || name == "SCHEDULE" || name == "RUNSPEC" || name == "GRID" || name == "EDIT"
            || name == "PROPS" || name == "REGIONS" || name == "SOLUTION")
          in_summary = name == "SUMMARY";
        if (in_summary || CARRIED_OVER.count(name) > 0 || !listed.insert(name).second)
          continue;
        found.push_back(name);
      }
      return found;
    }
  } // namespace eclipse
} // namespace orr
