#include "eclipse_test_deck.h"

#include <cstdio>

namespace
{
  using Measure = Opm::UnitSystem::measure;

  /** Numbers given in field units, written in another unit system with all their digits. */
  class Units
  {
  public:
    explicit Units(const std::string &name)
      : _units(name == "METRIC" ? Opm::UnitSystem::newMETRIC() : Opm::UnitSystem::newFIELD())
    {}

    std::string operator()(Measure measure, double field_value) const
    {
      const double value = _units.from_si(measure, _field.to_si(measure, field_value));
      char text[32];
      std::snprintf(text, sizeof text, "%.17g", value);
      return text;
    }

  private:
    Opm::UnitSystem _units;
    Opm::UnitSystem _field = Opm::UnitSystem::newFIELD();
  };
} // namespace

std::string eclipse_test_deck(const std::string &units, const std::string &grid_extra, const std::string &schedule_extra)
{
  const Units u(units);
  const auto length = [&](double ft) { return u(Measure::length, ft); };
  const auto pressure = [&](double psia) { return u(Measure::pressure, psia); };
  const auto compressibility = [&](double per_psi) {
    // 1/psi into 1/(the unit's pressure unit)
    return u(Measure::identity, per_psi / std::stod(pressure(1.0)));
  };
  const auto density = [&](double lb_per_ft3) { return u(Measure::density, lb_per_ft3); };
  const auto rate = [&](double stb_per_day) { return u(Measure::liquid_surface_rate, stb_per_day); };

  return "RUNSPEC\nDIMENS\n 4 3 2 /\nOIL\nWATER\n" + units + "\nSTART\n 1 JAN 2025 /\nEQLDIMS\n 1 /\n"
         "TABDIMS\n 1 1 20 20 /\nWELLDIMS\n 3 3 1 3 /\n"
         "GRID\nDX\n 24*" + length(40) + " /\nDY\n 24*" + length(50) + " /\nDZ\n 24*" + length(10)
         + " /\nTOPS\n 12*" + length(5000) + " /\nPORO\n 12*0.2 12*0.25 /\nPERMX\n 24*100 /\nPERMY\n 24*100 /\n"
         "PERMZ\n 24*10 /\n" + grid_extra
         + "PROPS\nPVDO\n " + pressure(1000) + " 1.1 1.4\n " + pressure(3000) + " 1.08 1.5\n " + pressure(5000)
         + " 1.06 1.6 /\nPVTW\n " + pressure(3000) + " 1.02 " + compressibility(3e-6) + " 0.5 0 /\n"
         "SWOF\n 0.25 0 1 0\n 1 1 0 0 /\nROCK\n " + pressure(3000) + " " + compressibility(4e-6) + " /\n"
         "DENSITY\n " + density(50) + " " + density(62.4) + " " + density(0.05) + " /\n"
         "SOLUTION\nEQUIL\n " + length(5010) + " " + pressure(3000) + " " + length(6000) + " 0 " + length(4000)
         + " 0 /\n"
         "SCHEDULE\nWELSPECS\n 'PROD' 'G' 2 2 " + length(5000) + " 'OIL' /\n/\n"
         "COMPDAT\n 'PROD' 2 2 1 2 'OPEN' 1* 1* " + length(0.5) + " 1* 0 /\n/\n" + schedule_extra + 
         "WCONPROD\n 'PROD' 'OPEN' 'ORAT' " + rate(500) + " 4* " + pressure(1000) + " /\n/\n"
         "TSTEP\n 3*10 /\n"
         "WCONPROD\n 'PROD' 'OPEN' 'BHP' 5* " + pressure(1000) + " /\n/\n"
         "DATES\n 1 JUN 2025 /\n 1 JUL 2025 /\n/\nEND\n";
}
