#include <optional>
#include <variant>

#include <opm/input/eclipse/Schedule/Well/Well.hpp>
#include <opm/input/eclipse/Units/UnitSystem.hpp>

#include "eclipse_import.h"

namespace orr
{
  namespace eclipse
  {
    namespace
    {
      using Measure = Opm::UnitSystem::measure;
      using CMode = Opm::Well::ProducerCMode;

      const double SECONDS_PER_DAY = 86400.0;

      // A numeric UDA value in SI units; none when a user-defined quantity sets it.
      std::optional<double> numeric(const Opm::UDAValue &value)
      {
        if (!value.is<double>())
          return std::nullopt;
        return value.getSI();
      }

      /**
       * The control of the well during one report step as a WCONPROD row without its times;
       * the text of what quill cannot represent otherwise.
       */
      std::variant<ControlPeriod, std::string> control_at(const Opm::Schedule &schedule, const std::string &name,
                                                          std::size_t step, bool gas)
      {
        const Opm::UnitSystem field = Opm::UnitSystem::newFIELD();
        const std::string rate_mode = gas ? "GRAT" : "ORAT";
        if (!schedule.hasWell(name, step))
          return ControlPeriod{0.0, rate_mode, field.from_si(Measure::pressure, 101325.0), 0.0, 0};
        const Opm::Well &well = schedule.getWell(name, step);
        if (!well.isProducer())
          return "the well " + name + " as an injector";
        // A shut or stopped well produces nothing: rate control at zero.
        if (well.getStatus() != Opm::Well::Status::OPEN)
          return ControlPeriod{0.0, rate_mode, field.from_si(Measure::pressure, 101325.0), 0.0, 0};
        const Opm::Well::WellProductionProperties &production = well.getProductionProperties();
        if (!production.predictionMode)
          return "WCONHIST (history-matching control of " + name + ")";
        const std::optional<double> bhp = numeric(production.BHPTarget);
        if (!bhp)
          return "a user-defined BHP of " + name;
        const double bhp_psia = field.from_si(Measure::pressure, *bhp);
        if (production.controlMode == CMode::BHP)
          return ControlPeriod{0.0, "BHP", bhp_psia, 0.0, 0};
        if (production.controlMode == (gas ? CMode::GRAT : CMode::ORAT))
        {
          const std::optional<double> rate = numeric(gas ? production.GasRate : production.OilRate);
          if (!rate)
            return "a user-defined rate of " + name;
          const double rate_field =
            gas ? field.from_si(Measure::gas_surface_rate, *rate) : field.from_si(Measure::liquid_surface_rate, *rate);
          return ControlPeriod{0.0, rate_mode, bhp_psia, rate_field, 0};
        }
        return "WCONPROD control mode " + Opm::Well::ProducerCMode2String(production.controlMode) + " of " + name
               + (gas ? " (the gas flows: BHP or GRAT)" : " (the oil flows: BHP or ORAT)");
      }

      bool same_control(const ControlPeriod &a, const ControlPeriod &b)
      {
        return a.mode == b.mode && a.bhp == b.bhp && a.rate == b.rate;
      }
    } // namespace

    void import_control_periods(const ParsedDeck &parsed, ImportedPressureModel &pressure_model, ImportedModel &model)
    {
      const Opm::Schedule &schedule = parsed.schedule;
      std::vector<ControlPeriod> periods;
      // Report step s runs from simulated time s to s + 1.
      for (std::size_t step = 0; step + 1 < schedule.size(); ++step)
      {
        std::variant<ControlPeriod, std::string> control =
          control_at(schedule, model.well_name, step, pressure_model.gas);
        if (std::holds_alternative<std::string>(control))
        {
          model.not_carried_over.push_back(std::get<std::string>(control));
          model.notes.push_back("The schedule holds " + std::get<std::string>(control)
                                + ": the quill deck computes tau only.");
          return;
        }
        ControlPeriod period = std::get<ControlPeriod>(control);
        period.end_day = schedule.seconds(step + 1) / SECONDS_PER_DAY;
        if (!periods.empty() && same_control(periods.back(), period))
        {
          periods.back().end_day = period.end_day;
          ++periods.back().report_steps;
          continue;
        }
        period.report_steps = 1;
        periods.push_back(period);
      }
      if (periods.empty())
        model.notes.push_back("The schedule has no report steps (TSTEP or DATES): the quill deck computes tau only.");
      pressure_model.schedule = std::move(periods);
    }
  } // namespace eclipse
} // namespace orr
