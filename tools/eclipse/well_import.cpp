#include <algorithm>
#include <set>

#include <opm/input/eclipse/Schedule/Well/Connection.hpp>
#include <opm/input/eclipse/Schedule/Well/Well.hpp>
#include <opm/input/eclipse/Schedule/Well/WellConnections.hpp>

#include <opm/input/eclipse/Units/UnitSystem.hpp>

#include "eclipse_import.h"
#include "input_error.h"

namespace orr
{
  namespace eclipse
  {
    namespace
    {
      std::string joined(const std::vector<std::string> &names)
      {
        std::string text;
        for (const std::string &name : names)
          text += (text.empty() ? "" : ", ") + name;
        return text;
      }

      bool ever_produces(const Opm::Schedule &schedule, const std::string &name)
      {
        for (std::size_t step = 0; step < schedule.size(); ++step)
          if (schedule.hasWell(name, step) && schedule.getWell(name, step).isProducer())
            return true;
        return false;
      }

      // The producer to import: the one chosen, or the deck's only well.
      std::string choose_well(const Opm::Schedule &schedule, const std::string &chosen)
      {
        const std::vector<std::string> wells = schedule.wellNames();
        std::vector<std::string> producers;
        for (const std::string &name : wells)
          if (ever_produces(schedule, name))
            producers.push_back(name);

        if (!chosen.empty())
        {
          if (std::find(producers.begin(), producers.end(), chosen) == producers.end())
            throw InputError("\nError: " + chosen + " is not a producing well of the deck"
                             + (producers.empty() ? std::string(", which has none") : "; its producers: " + joined(producers))
                             + "!\n");
          return chosen;
        }
        if (producers.empty())
          throw InputError("\nError: The deck has no producing well"
                           + (wells.empty() ? std::string() : " (its wells: " + joined(wells) + ")") + "!\n");
        if (wells.size() > 1)
          throw InputError("\nError: The deck has several wells (" + joined(wells)
                           + "); choose the producer with --well NAME!\n");
        return producers.front();
      }
    } // namespace

    void import_well(const ParsedDeck &parsed, const std::string &well, ImportedModel &model)
    {
      const Opm::Schedule &schedule = parsed.schedule;
      model.well_name = choose_well(schedule, well);
      for (const std::string &name : schedule.wellNames())
        if (name != model.well_name)
          model.not_carried_over.push_back("well " + name);

      // The open connections at the first report step at which the well produces through any.
      for (std::size_t step = 0; step < schedule.size() && model.completions.empty(); ++step)
      {
        if (!schedule.hasWell(model.well_name, step))
          continue;
        const Opm::Well &producer = schedule.getWell(model.well_name, step);
        if (!producer.isProducer() || producer.getStatus() != Opm::Well::Status::OPEN)
          continue;
        std::set<std::array<int, 3>> seen;
        for (const Opm::Connection &connection : producer.getConnections())
        {
          if (connection.state() != Opm::Connection::State::OPEN)
            continue;
          const std::array<int, 3> cell = {connection.getI() + 1, connection.getJ() + 1, connection.getK() + 1};
          if (!seen.insert(cell).second)
            continue;
          if (model.completions.empty())
          {
            model.well_radius = Opm::UnitSystem::newFIELD().from_si(Opm::UnitSystem::measure::length, connection.rw());
            model.skin = connection.skinFactor();
          }
          model.completions.push_back(cell);
        }
      }
      if (model.completions.empty())
        throw InputError("\nError: The well " + model.well_name + " has no open connections (COMPDAT)!\n");
    }
  } // namespace eclipse
} // namespace orr
