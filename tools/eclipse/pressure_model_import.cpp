#include <numeric>
#include <sstream>

#include <opm/input/eclipse/EclipseState/Grid/FieldPropsManager.hpp>
#include <opm/input/eclipse/EclipseState/InitConfig/Equil.hpp>
#include <opm/input/eclipse/EclipseState/InitConfig/InitConfig.hpp>
#include <opm/input/eclipse/EclipseState/Runspec.hpp>
#include <opm/input/eclipse/EclipseState/Tables/FlatTable.hpp>
#include <opm/input/eclipse/EclipseState/Tables/PvdgTable.hpp>
#include <opm/input/eclipse/EclipseState/Tables/PvdoTable.hpp>
#include <opm/input/eclipse/EclipseState/Tables/SgofTable.hpp>
#include <opm/input/eclipse/EclipseState/Tables/SwfnTable.hpp>
#include <opm/input/eclipse/EclipseState/Tables/SwofTable.hpp>
#include <opm/input/eclipse/EclipseState/Tables/TableManager.hpp>
#include <opm/input/eclipse/Schedule/Well/Well.hpp>
#include <opm/input/eclipse/Units/UnitSystem.hpp>

#include "eclipse_import.h"
#include "number_text.h"

namespace orr
{
  namespace eclipse
  {
    namespace
    {
      using Measure = Opm::UnitSystem::measure;

      // Whether gas flows: the deck's only hydrocarbon phase, or the producer's own phase.
      bool gas_flows(const ParsedDeck &parsed, const std::string &well)
      {
        const Opm::Phases &phases = parsed.state.runspec().phases();
        if (!phases.active(Opm::Phase::OIL))
          return phases.active(Opm::Phase::GAS);
        if (!phases.active(Opm::Phase::GAS))
          return false;
        return parsed.schedule.getWellatEnd(well).getPreferredPhase() == Opm::Phase::GAS;
      }

      // The dead-oil or dry-gas table of the first PVT region in field units; false when the
      // deck has none.
      template <class Table>
      bool import_pvt(const Opm::TableContainer &tables, Measure volume_factor,
                      ImportedPressureModel &pressure_model)
      {
        if (tables.empty())
          return false;
        const Opm::UnitSystem field = Opm::UnitSystem::newFIELD();
        const Table &table = tables.getTable<Table>(0);
        for (std::size_t row = 0; row < table.numRows(); ++row)
          pressure_model.pvt.push_back({field.from_si(Measure::pressure, table.getPressureColumn()[row]),
                                        field.from_si(volume_factor, table.getFormationFactorColumn()[row]),
                                        field.from_si(Measure::viscosity, table.getViscosityColumn()[row])});
        return true;
      }

      // 1/Pa to 1/psi.
      double compressibility(double si)
      {
        return si * Opm::UnitSystem::newFIELD().to_si(Measure::pressure, 1.0);
      }

      // PRESSURE averaged over the active cells, else the datum pressure of EQUIL; false when
      // the deck has neither.
      bool import_initial_pressure(const ParsedDeck &parsed, ImportedPressureModel &pressure_model)
      {
        const Opm::UnitSystem field = Opm::UnitSystem::newFIELD();
        const Opm::FieldPropsManager &properties = parsed.state.fieldProps();
        if (properties.has_double("PRESSURE"))
        {
          const std::vector<double> &pressure = properties.get_double("PRESSURE");
          if (!pressure.empty())
          {
            const double mean = std::accumulate(pressure.begin(), pressure.end(), 0.0) / pressure.size();
            pressure_model.initial_pressure = field.from_si(Measure::pressure, mean);
            pressure_model.initial_pressure_source = "the mean of the PRESSURE array";
            return true;
          }
        }
        const Opm::InitConfig &init = parsed.state.getInitConfig();
        if (init.hasEquil() && !init.getEquil().empty())
        {
          const Opm::EquilRecord &datum = *init.getEquil().begin();
          pressure_model.initial_pressure = field.from_si(Measure::pressure, datum.datumDepthPressure());
          std::ostringstream source;
          source << "the EQUIL datum pressure at " << field.from_si(Measure::length, datum.datumDepth()) << " ft";
          pressure_model.initial_pressure_source = source.str();
          return true;
        }
        return false;
      }

      // Connate water: the first water saturation of SWOF (or SWFN); with SGOF alone, the
      // liquid left at the table's largest gas saturation.
      double connate_water(const Opm::TableManager &tables)
      {
        if (!tables.getSwofTables().empty())
          return tables.getSwofTables().getTable<Opm::SwofTable>(0).getSwColumn()[0];
        if (!tables.getSwfnTables().empty())
          return tables.getSwfnTables().getTable<Opm::SwfnTable>(0).getSwColumn()[0];
        if (!tables.getSgofTables().empty())
        {
          const Opm::SgofTable &sgof = tables.getSgofTables().getTable<Opm::SgofTable>(0);
          return std::max(0.0, 1.0 - sgof.getSgColumn()[sgof.numRows() - 1]);
        }
        return 0.0;
      }
    } // namespace

    void import_pressure_model(const ParsedDeck &parsed, ImportedModel &model)
    {
      const Opm::TableManager &tables = parsed.state.getTableManager();
      const Opm::UnitSystem field = Opm::UnitSystem::newFIELD();
      ImportedPressureModel pressure_model;
      pressure_model.gas = gas_flows(parsed, model.well_name);

      const bool has_pvt =
        pressure_model.gas
          ? import_pvt<Opm::PvdgTable>(tables.getPvdgTables(), Measure::gas_formation_volume_factor, pressure_model)
          : import_pvt<Opm::PvdoTable>(tables.getPvdoTables(), Measure::oil_formation_volume_factor, pressure_model);
      if (!has_pvt)
      {
        model.notes.push_back(std::string("The deck has no ") + (pressure_model.gas ? "PVDG" : "PVDO")
                              + " table for the flowing phase: the quill deck computes tau only.");
        return;
      }
      if (!import_initial_pressure(parsed, pressure_model))
      {
        model.notes.push_back("The deck has neither PRESSURE nor EQUIL: the quill deck computes tau only.");
        return;
      }
      pressure_model.connate_water = connate_water(tables);
      if (!tables.getRockTable().empty())
      {
        const Opm::ROCKRecord &rock = tables.getRockTable().front();
        pressure_model.rock = {field.from_si(Measure::pressure, rock.reference_pressure),
                               compressibility(rock.compressibility)};
      }
      if (!tables.getDensityTable().empty())
      {
        const Opm::DENSITYRecord &density = tables.getDensityTable()[0];
        pressure_model.density = {field.from_si(Measure::density, density.oil),
                                  field.from_si(Measure::density, density.water),
                                  field.from_si(Measure::density, density.gas)};
      }
      if (!tables.getPvtwTable().empty())
      {
        const Opm::PVTWRecord &water = tables.getPvtwTable()[0];
        pressure_model.pvtw.push_back({field.from_si(Measure::pressure, water.reference_pressure),
                                       water.volume_factor, compressibility(water.compressibility),
                                       field.from_si(Measure::viscosity, water.viscosity),
                                       compressibility(water.viscosibility)});
      }
      import_control_periods(parsed, pressure_model, model);
      if (pressure_model.schedule.empty())
        return;
      model.notes.push_back("Initial pressure " + number_text(pressure_model.initial_pressure) + " psia: "
                            + pressure_model.initial_pressure_source + ".");
      model.pressure_model = std::move(pressure_model);
    }
  } // namespace eclipse
} // namespace orr
