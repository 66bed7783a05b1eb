#include "quill_deck_writer.h"

#include <algorithm>
#include <cctype>

#include "formatted_blocks.h"
#include "number_text.h"

namespace orr
{
  namespace eclipse
  {
    namespace
    {
      // Values per line of a value file.
      const std::size_t VALUES_PER_LINE = 10;

      std::string lower_case(std::string text)
      {
        std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
        return text;
      }

      // The keyword and its one value, or INCLUDE and the value file it writes.
      void write_property(const std::string &keyword, const std::vector<double> &values, const std::string &root,
                          std::string &deck, StagedOutput &output)
      {
        deck += keyword + '\n';
        if (std::all_of(values.begin(), values.end(), [&](double v) { return v == values.front(); }))
        {
          append_number(deck, values.front());
          deck += '\n';
          return;
        }
        const std::string file_name = root + "_" + lower_case(keyword) + ".inc";
        deck += "INCLUDE\n" + file_name + '\n';
        // A million cells make some 10 MB of text per property: formatted on every core.
        write_formatted_blocks(output.text(file_name), values.size(),
                               [&values](std::size_t begin, std::size_t end, std::string &text) {
                                 for (std::size_t c = begin; c < end; ++c)
                                 {
                                   append_number(text, values[c]);
                                   text += (c + 1) % VALUES_PER_LINE == 0 || c + 1 == values.size() ? '\n' : ' ';
                                 }
                               });
      }

      void write_pressure_model(const ImportedPressureModel &pressure_model, const ImportedModel &model,
                                std::string &deck)
      {
        const auto line = [&deck](std::initializer_list<double> values) {
          bool first = true;
          for (double v : values)
          {
            deck += first ? "" : "  ";
            append_number(deck, v);
            first = false;
          }
          deck += '\n';
        };
        deck += "\nSIMULATION\n-- the pressure model follows; this line is always skipped\n";
        deck += pressure_model.gas ? "GAS\n" : "OIL\n";
        deck += "\n-- initial pressure, psia: " + pressure_model.initial_pressure_source + "\nPRESSURE\n";
        line({pressure_model.initial_pressure});
        deck += "SWL\n";
        line({pressure_model.connate_water});
        if (pressure_model.rock)
        {
          deck += "-- reference pressure (psia), rock compressibility (1/psi)\nRCOMP\n";
          line({(*pressure_model.rock)[0], (*pressure_model.rock)[1]});
        }
        if (pressure_model.density)
        {
          deck += "-- surface densities of oil, water and gas, lb/ft3\nDENSITY\n";
          line({(*pressure_model.density)[0], (*pressure_model.density)[1], (*pressure_model.density)[2]});
        }
        deck += pressure_model.gas ? "\n-- p (psia), Bg (rb/Mscf), viscosity (cp)\nPVDG\n"
                                   : "\n-- p (psia), Bo (rb/stb), viscosity (cp)\nPVDO\n";
        for (const auto &row : pressure_model.pvt)
          line({row[0], row[1], row[2]});
        deck += "/\n";
        if (!pressure_model.pvtw.empty())
        {
          deck += "-- p (psia), Bw, cw (1/psi), viscosity (cp), viscosibility (1/psi)\nPVTW\n";
          for (const auto &row : pressure_model.pvtw)
            line({row[0], row[1], row[2], row[3], row[4]});
          deck += "/\n";
        }
        deck += "\n-- first open connection of " + model.well_name + ", ft\nWELLRADIUS\n";
        line({model.well_radius});
        deck += "SKIN\n";
        line({model.skin});
        deck += "\n-- a pressure map at every step\nRPTPRE\nFREQ=1\n";
        deck += std::string("\n-- end (days), mode, BHP or its limit (psia), rate (")
                + (pressure_model.gas ? "Mscf/d" : "stb/d") + "), report steps\nWCONPROD\n";
        for (const ControlPeriod &period : pressure_model.schedule)
        {
          append_number(deck, period.end_day);
          deck += "  " + period.mode + "  ";
          append_number(deck, period.bhp);
          deck += "  ";
          append_number(deck, period.rate);
          deck += "  " + std::to_string(period.report_steps) + '\n';
        }
        deck += "/\nEND\n";
      }
    } // namespace

    void write_quill_deck(const ImportedModel &model, const std::string &root, const std::string &source,
                          StagedOutput &output)
    {
      std::string deck = "-- Imported from " + source + " by quill-import: " + std::to_string(model.dimensions[0])
                         + " x " + std::to_string(model.dimensions[1]) + " x " + std::to_string(model.dimensions[2])
                         + " cells, well " + model.well_name + ".\n-- Sizes in ft, permeability in md; closed "
                         "(inactive) cells have zero porosity and permeability.\nDIMENS\n"
                         + std::to_string(model.dimensions[0]) + ' ' + std::to_string(model.dimensions[1]) + ' '
                         + std::to_string(model.dimensions[2]) + "\n\n";
      write_property("DX", model.dx, root, deck, output);
      write_property("DY", model.dy, root, deck, output);
      write_property("DZ", model.dz, root, deck, output);
      write_property("PORO", model.poro, root, deck, output);
      write_property("PERMX", model.permx, root, deck, output);
      write_property("PERMY", model.permy, root, deck, output);
      write_property("PERMZ", model.permz, root, deck, output);

      deck += "\n-- open connections of " + model.well_name + "\nCOMPLOC\n";
      for (const auto &cell : model.completions)
        deck += std::to_string(cell[0]) + ' ' + std::to_string(cell[1]) + ' ' + std::to_string(cell[2]) + '\n';
      deck += "/\n";

      if (model.pressure_model)
        write_pressure_model(*model.pressure_model, model, deck);
      else
      {
        deck += "\n-- no pressure model: fluid at initial conditions, to be set for the reservoir\n"
                "INIT_TOTAL_COMPRESSIBILITY\n";
        append_number(deck, TAU_ONLY_TOTAL_COMPRESSIBILITY);
        deck += "\nINIT_VISCOSITY\n";
        append_number(deck, TAU_ONLY_VISCOSITY);
        deck += '\n';
      }
      output.text(root + ".fip") << deck;
    }
  } // namespace eclipse
} // namespace orr
