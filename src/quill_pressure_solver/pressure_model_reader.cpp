#include <cmath>
#include <cstdlib>
#include <limits>

#include "input_error.h"
#include "one_dim_solver.h"
#include "pressure_constants.h"
#include "text_input.h"

namespace orr
{
  namespace quill
  {
    namespace
    {
      constexpr std::size_t max_line_length = 255;
      constexpr unsigned    max_table_rows  = 200;
      constexpr unsigned    max_schedule_rows = 200;

      using pressure_constants::cubic_feet_per_barrel;
      using pressure_constants::scf_per_mscf;

      std::string between_line_breaks(const std::string &text)
      {
        return "\n" + text + "\n";
      }

      [[noreturn]] void table_read_error(const std::string &keyword)
      {
        throw InputError(between_line_breaks("Error in reading " + keyword + " data!"));
      }

      // Reads the next line of the section; false at the end of the stream or when an earlier
      // value could not be read.
      bool next_line(std::istream &in, std::string &line)
      {
        if (!in || !read_text_line(in, line))
          return false;
        if (line.size() > max_line_length)
          throw InputError(between_line_breaks(
            "ERROR: A line of the pressure-model section is longer than 255 characters!"));
        return true;
      }

      // The whole token as a finite number; false when it is not one. Like the stream reads of
      // the other values, "nan", "inf" and numbers beyond the double range are refused.
      bool parse_number(const std::string &token, double &value)
      {
        if (token.empty())
          return false;
        char *end = nullptr;
        value     = std::strtod(token.c_str(), &end);
        return *end == '\0' && std::isfinite(value);
      }

      // Volume factors and viscosities are divided by; a zero or negative one is a typing error.
      void check_positive_pvt(const std::string &keyword, double b, double mu)
      {
        if (!(b > 0.0) || !(mu > 0.0))
          throw InputError(between_line_breaks("ERROR: The formation volume factor and viscosity"
                                               " in " + keyword + " should be positive!"));
      }

      template <typename T>
      void read_values(std::istream &in, std::initializer_list<T *> values)
      {
        for (T *value : values)
          in >> *value;
      }

      // Columns of a row stored column by column.
      void append_row(const std::vector<double> &row, std::initializer_list<std::vector<double> *> columns)
      {
        std::size_t c = 0;
        for (std::vector<double> *column : columns)
          column->push_back(row[c++]);
      }
    } // namespace

    void OneDimSolver::_read_table(std::istream &in, const std::string &keyword, unsigned columns,
                                   std::vector<std::vector<double>> &rows)
    {
      // Rows are read as tokens: they may span lines and a line may hold several rows.
      for (unsigned r = 0; r < max_table_rows;)
      {
        std::string first;
        if (!(in >> first))
          table_read_error(keyword);
        if (first == "/")
          return;
        if (first.compare(0, 2, "--") == 0)
        {
          in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
          continue;
        }
        std::vector<double> row(columns);
        if (!parse_number(first, row[0]))
          table_read_error(keyword);
        for (unsigned c = 1; c < columns; ++c)
          if (!(in >> row[c]))
            table_read_error(keyword);
        rows.push_back(row);
        ++r;
      }
    }

    void OneDimSolver::_read_schedule(std::istream &in)
    {
      const std::string read_error =
        between_line_breaks("ERROR: The keyword WCONPROD is not found!");
      while (_model.schedule_time.size() < max_schedule_rows)
      {
        std::string first;
        if (!(in >> first))
          throw InputError(read_error);
        if (first == "/")
          return;
        if (first.compare(0, 2, "--") == 0)
        {
          in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
          continue;
        }
        double      time = 0.0, first_value = 0.0, second_value = 0.0, steps = 0.0;
        std::string mode;
        if (!parse_number(first, time) || !(in >> mode >> first_value >> second_value >> steps)
            || !std::isfinite(steps) || std::fabs(steps) > std::numeric_limits<int>::max())
          throw InputError(read_error);
        in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');

        // Times count from the start of production, so the first must be positive too.
        const double previous = _model.schedule_time.empty() ? 0.0 : _model.schedule_time.back();
        if (!(time > previous))
          throw InputError(
            between_line_breaks("ERROR: The time in the well schedule should increase!"));

        if (mode == "GRAT")
          second_value *= scf_per_mscf;
        else if (mode == "ORAT")
          second_value *= cubic_feet_per_barrel;

        _model.schedule_time.push_back(time);
        _model.schedule_mode.push_back(mode);
        _model.schedule_first_value.push_back(first_value);
        _model.schedule_second_value.push_back(second_value);
        _model.schedule_step_count.push_back(static_cast<int>(steps));
      }
    }

    void OneDimSolver::read_pressure_model(std::istream &in)
    {
      PressureModel &m = _model;
      const double   gas_volume_factor = cubic_feet_per_barrel / scf_per_mscf;

      std::string line;
      bool        line_pending = false;  // the line after RPTPRE that was no FREQ= setting
      while (line_pending || next_line(in, line))
      {
        line_pending = false;
        if (line.compare(0, 2, "--") == 0 || line.empty() || line == "/")
          continue;

        // Keywords in the order of precedence; conditional ones only once their options are on.
        if (line == "END")
          break;
        else if (line == "RPTPRE")
        {
          m.rptpre = true;
          if (!next_line(in, line))
            break;
          if (line.compare(0, 5, "FREQ=") == 0)
          {
            const std::string text = line.substr(5);
            char             *end  = nullptr;
            const long        frequency = std::strtol(text.c_str(), &end, 10);
            if (end == text.c_str() || frequency <= 0 || frequency > std::numeric_limits<int>::max())
              throw InputError(between_line_breaks(
                "ERROR: The map frequency after FREQ= should be a positive integer!"));
            m.map_frequency = static_cast<int>(frequency);
          }
          else
            line_pending = true;
        }
        else if (line == "NTAU")
          in >> m.ntau;
        else if (line == "TAUGRID")
        {
          std::string word;
          in >> word;
          if (word == "UNIFORM")
            m.tau_grid = PressureModel::TauGrid::uniform;
          else if (word == "REFINED")
            m.tau_grid = PressureModel::TauGrid::refined;
          else
            throw InputError(
              between_line_breaks("ERROR: The keyword TAUGRID should be followed by UNIFORM or REFINED!"));
        }
        else if (line == "OIL")
          m.oil = true;
        else if (line == "WATER")
          m.water = true;
        else if (line == "GAS")
          m.gas = true;
        else if (line == "VAPOIL")
          m.vapoil = true;
        else if (line == "DISGAS")
          m.disgas = true;
        else if (line == "ROCKCOMP")
          m.rockcomp = true;
        else if (line == "IRREVERS")
          m.irrevers = true;
        else if (line == "DUALPORO")
          m.dualporo = true;
        else if (line == "ADSORB")
          m.adsorb = true;
        else if (line == "KEROGEN")
          m.kerogen = true;
        else if (line == "KLINKENBERG")
          m.klinkenberg = true;
        else if (line == "PRESSURE")
          in >> m.initial_pressure;
        else if (line == "SWL")
          in >> m.swl;
        else if (line == "KR")
          in >> m.kr;
        else if (line == "ROCKTAB" && m.rockcomp)
        {
          std::vector<std::vector<double>> rows;
          _read_table(in, line, 3, rows);
          for (const auto &row : rows)
            append_row(row, {&m.rock_pressure, &m.rock_pore_volume_multiplier,
                             &m.rock_transmissibility_multiplier});
        }
        else if ((line == "RCOMP" || line == "RCOMPRE") && !m.rockcomp)
          read_values(in, {&m.rock_reference_pressure, &m.rock_compressibility});
        else if (line == "DENSITY")
        {
          if (!(in >> m.oil_density >> m.water_density >> m.gas_density))
            throw InputError(between_line_breaks("Error in reading DENSITY data!"));
        }
        else if (line == "MTRXPERM" && m.dualporo)
          in >> m.matrix_permeability;
        else if (line == "MTRXPORO" && m.dualporo)
          in >> m.matrix_porosity;
        else if ((line == "MTRXCOMP" || line == "MTRXCOMPRE") && m.dualporo)
          read_values(in, {&m.matrix_reference_pressure, &m.matrix_compressibility});
        else if (line == "SIGMA" && m.dualporo)
          in >> m.sigma;
        else if (line == "SWLM" && m.dualporo)
          in >> m.swlm;
        else if (line == "KRM" && m.dualporo)
          in >> m.krm;
        else if (line == "TRANSHAPE" && m.dualporo)
          m.transhape = true;
        else if (line == "LANGPRESS" && (m.adsorb || m.kerogen))
          in >> m.langmuir_pressure;
        else if (line == "LANGVOL" && (m.adsorb || m.kerogen))
          in >> m.langmuir_volume;
        else if (line == "TEMPERATURE" && m.klinkenberg)
        {
          double fahrenheit = 0.0;
          if (in >> fahrenheit)
            m.temperature = fahrenheit + 459.67;
        }
        else if (line == "COMPONENT" && m.klinkenberg)
        {
          std::vector<std::vector<double>> rows;
          _read_table(in, line, 2, rows);
          for (const auto &row : rows)
            append_row(row, {&m.component_mole_fraction, &m.component_molecular_weight});
        }
        else if (line == "PORERAD" && m.klinkenberg)
          in >> m.pore_radius;
        else if (line == "ALPHA" && m.klinkenberg)
          in >> m.alpha;
        else if (line == "TORTUOSITY" && m.klinkenberg)
          in >> m.tortuosity;
        else if (line == "SIGMAMK" && m.kerogen)
          in >> m.sigmamk;
        else if (line == "DIFFCOAL" && m.kerogen)
          in >> m.kerogen_diffusion_coefficient;
        else if (line == "SWOF" && m.oil && m.water && !m.gas)
          _read_table(in, line, 3, m.swof);
        else if (line == "SGOF" && m.oil && m.gas && !m.water)
          _read_table(in, line, 3, m.sgof);
        else if (line == "SGWF" && m.water && m.gas && !m.oil)
          _read_table(in, line, 3, m.sgwf);
        else if (line == "SWFN" && m.oil && m.water && m.gas)
          _read_table(in, line, 3, m.swfn);
        else if (line == "SGFN" && m.oil && m.water && m.gas)
          _read_table(in, line, 3, m.sgfn);
        else if (line == "SOF3" && m.oil && m.water && m.gas)
          _read_table(in, line, 3, m.sof3);
        else if (line == "PVTW")
          _read_table(in, line, 5, m.pvtw);
        else if (line == "PVDG")
        {
          if (m.vapoil)
            throw InputError("Please use PVTG in this model.");
          std::vector<std::vector<double>> rows;
          _read_table(in, line, 3, rows);
          for (auto &row : rows)
          {
            check_positive_pvt(line, row[1], row[2]);
            row[1] *= gas_volume_factor;
            append_row({row[0], row[1], row[2], 1.0 / row[1], 1.0 / (row[2] * row[1])},
                       {&m.gas_pressure, &m.gas_b, &m.gas_mu, &m.gas_inverse_b, &m.gas_inverse_mu_b});
          }
        }
        else if (line == "PVTG")
        {
          if (!m.vapoil)
            throw InputError("Please use PVDG in this model.");
          std::vector<std::vector<double>> rows;
          _read_table(in, line, 4, rows);
          for (auto &row : rows)
          {
            check_positive_pvt(line, row[2], row[3]);
            row[1] *= gas_volume_factor;
            row[2] *= gas_volume_factor;
            m.rv.push_back(row[1]);
            append_row({row[0], row[2], row[3], 1.0 / row[2], 1.0 / (row[3] * row[2])},
                       {&m.gas_pressure, &m.gas_b, &m.gas_mu, &m.gas_inverse_b, &m.gas_inverse_mu_b});
          }
        }
        else if (line == "PVDO")
        {
          if (m.disgas)
            throw InputError("Please use PVTO in this model.");
          std::vector<std::vector<double>> rows;
          _read_table(in, line, 3, rows);
          for (const auto &row : rows)
          {
            check_positive_pvt(line, row[1], row[2]);
            append_row({row[0], row[1], row[2], 1.0 / row[1], 1.0 / (row[2] * row[1])},
                       {&m.oil_pressure, &m.oil_b, &m.oil_mu, &m.oil_inverse_b, &m.oil_inverse_mu_b});
          }
        }
        else if (line == "PVTO")
        {
          if (!m.disgas)
            throw InputError("Please use PVDO in this model.");
          std::vector<std::vector<double>> rows;
          _read_table(in, line, 4, rows);
          for (const auto &row : rows)
          {
            check_positive_pvt(line, row[2], row[3]);
            m.rs.push_back(row[0]);
            append_row({row[1], row[2], row[3], 1.0 / row[2], 1.0 / (row[3] * row[2])},
                       {&m.oil_pressure, &m.oil_b, &m.oil_mu, &m.oil_inverse_b, &m.oil_inverse_mu_b});
          }
        }
        else if (line == "WELLRADIUS")
          in >> m.well_radius;
        else if (line == "SKIN")
          in >> m.skin;
        else if (line == "WCONPROD")
          _read_schedule(in);
        // A keyword's value that is missing or no number would otherwise end the section
        // unnoticed, leaving the default in its place.
        if (in.fail())
          throw InputError(between_line_breaks("Error in reading " + line + " data!"));
      }
      _check_pressure_model();
      _build_report_times();
    }

    void OneDimSolver::_check_pressure_model() const
    {
      const PressureModel &m = _model;
      auto refuse = [](const std::string &text) { throw InputError(between_line_breaks(text)); };

      if (m.oil && m.oil_pressure.empty())
        refuse("ERROR: PVT properties of oil is not found!");
      if (m.gas && m.gas_pressure.empty())
        refuse("ERROR: PVT properties of gas is not found!");
      if (m.water && m.pvtw.empty())
        refuse("ERROR: PVT properties of water is not found!");
      if (m.rockcomp && m.rock_pressure.empty())
        refuse("ERROR: The keyword ROCKTAB is not found for rock compaction option!");
      if (m.klinkenberg && m.component_mole_fraction.empty())
        refuse("ERROR: The keyword COMPONENT is not found for Klinkenberg effect!");
      if (!m.gas)
      {
        if (m.klinkenberg)
          refuse("ERROR: The Klinkenberg effect only works for gas phase!");
        if (m.adsorb)
          refuse("ERROR: The adsorption/desorption effect only works for gas phase!");
        if (m.kerogen)
          refuse("ERROR: The kerogen diffusion effect only works for gas phase!");
        if (!m.oil)
          refuse("ERROR: Please specify the hydrocarbon phase: Gas or/and Oil!");
      }
      if (m.adsorb && !m.dualporo)
        refuse("ERROR: Please enable dual porosity model to consider adsorption/desorption effect!");
      if (m.klinkenberg && !m.dualporo)
        refuse("ERROR: Please enable dual porosity model to consider Klinkenberg effect!");
      if (m.kerogen && !m.dualporo)
        refuse("ERROR: Please enable dual porosity model to consider Kerogen diffusion effect!");
      // The tables are interpolated in pressure; a pressure that does not increase from row to
      // row (a typing error, rows out of order) would make the lookup meaningless.
      auto require_increasing = [&refuse](const std::vector<double> &pressure, const std::string &keyword) {
        for (std::size_t r = 1; r < pressure.size(); ++r)
          if (!(pressure[r - 1] < pressure[r]))
            refuse("ERROR: The pressures in " + keyword + " should increase from row to row!");
      };
      require_increasing(m.gas_pressure, m.vapoil ? "PVTG" : "PVDG");
      require_increasing(m.oil_pressure, m.disgas ? "PVTO" : "PVDO");
      require_increasing(m.rock_pressure, "ROCKTAB");
      // Nothing flows without a relative permeability, and a matrix without pore volume or
      // without transfer to the fractures leaves its Newton equations empty (a singular system).
      if (!(m.kr > 0.0))
        refuse("ERROR: The relative permeability KR should be positive!");
      if (m.dualporo
          && (!(m.matrix_porosity > 0.0) || !(m.sigma > 0.0)
              || (!m.klinkenberg && !(m.matrix_permeability > 0.0))))
        refuse("ERROR: The dual porosity model needs a positive matrix porosity MTRXPORO, matrix"
               " permeability MTRXPERM and shape factor SIGMA!");
      // Without a schedule there is nothing to solve and no report to write.
      if (m.schedule_time.empty())
        refuse("ERROR: The well schedule WCONPROD has no rows!");
    }
  } // namespace quill
} // namespace orr
