#include <cctype>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>

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
      // Every row of a table or schedule is read; one of more rows than this is refused rather
      // than held (a stray include of a large file, most likely).
      constexpr std::size_t max_rows = 100000;

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

      // A "/" glued to a number ("1.1/") ends the table or schedule after it: it is left in the
      // stream as a token of its own.
      void leave_glued_slash(std::istream &in, std::string &token)
      {
        if (token.size() > 1 && token.back() == '/')
        {
          token.pop_back();
          in.putback('/');
        }
      }

      // The next value as a whole token; a token that is no number of the type (see
      // parse_whole_number) fails the stream like an unreadable stream extraction.
      template <typename Number>
      bool read_number(std::istream &in, Number &value)
      {
        std::string token;
        if (!(in >> token))
          return false;
        leave_glued_slash(in, token);
        if (parse_whole_number(token, value))
          return true;
        in.setstate(std::ios::failbit);
        return false;
      }

      [[noreturn]] void refuse_too_many_rows(const std::string &keyword)
      {
        throw InputError(between_line_breaks("ERROR: " + keyword + " has more than "
                                             + std::to_string(max_rows) + " rows!"));
      }

      // rb/Mscf to ft3/scf, evaluated left to right as x * 5.6145833334 / 1000: a product with
      // the one factor 5.6145833334 / 1000 differs in the last bit for some x, and where the tau
      // guide grid ties with the largest tau such a bit takes or leaves a node of the 1-D grid.
      double gas_volume(double rb_per_mscf)
      {
        return rb_per_mscf * cubic_feet_per_barrel / scf_per_mscf;
      }

      // Volume factors and viscosities are divided by; a zero or negative one is a typing error.
      void check_positive_pvt(const std::string &keyword, double b, double mu)
      {
        if (!(b > 0.0) || !(mu > 0.0))
          throw InputError(between_line_breaks("ERROR: The formation volume factor and viscosity"
                                               " in " + keyword + " should be positive!"));
      }

      template <typename Number>
      void read_values(std::istream &in, std::initializer_list<Number *> values)
      {
        for (Number *value : values)
          read_number(in, *value);
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
      for (std::size_t read_rows = 0;; ++read_rows)
      {
        std::string first;
        while (in >> first && first.compare(0, 2, "--") == 0)
          in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
        if (!in)
          table_read_error(keyword);
        if (first == "/")
          return;
        if (read_rows == max_rows)
          refuse_too_many_rows(keyword);
        std::vector<double> row(columns);
        leave_glued_slash(in, first);
        if (!parse_whole_number(first, row[0]))
          table_read_error(keyword);
        for (unsigned c = 1; c < columns; ++c)
          if (!read_number(in, row[c]))
            table_read_error(keyword);
        rows.push_back(row);
      }
    }

    void OneDimSolver::_read_schedule(std::istream &in)
    {
      const std::string read_error =
        between_line_breaks("ERROR: The keyword WCONPROD is not found!");
      while (true)
      {
        std::string first;
        while (in >> first && first.compare(0, 2, "--") == 0)
          in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
        if (!in)
          throw InputError(read_error);
        if (first == "/")
          return;
        if (_model.schedule_time.size() == max_rows)
          refuse_too_many_rows("WCONPROD");
        double      time = 0.0, first_value = 0.0, second_value = 0.0, steps = 0.0;
        std::string mode;
        leave_glued_slash(in, first);
        if (!parse_whole_number(first, time) || !(in >> mode) || !read_number(in, first_value)
            || !read_number(in, second_value) || !read_number(in, steps)
            || std::fabs(steps) > std::numeric_limits<int>::max())
          throw InputError(read_error);
        in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
        _check_schedule_mode(mode);

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

    // The three modes the reader converts are written in upper case; "grat" would be taken as
    // a rate in scf/d, a thousandth of what was meant. Other words are rates in the units given.
    void OneDimSolver::_check_schedule_mode(const std::string &mode) const
    {
      std::string upper = mode;
      for (char &c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      if (upper != mode && (upper == "BHP" || upper == "GRAT" || upper == "ORAT"))
        throw InputError(between_line_breaks("ERROR: The WCONPROD mode " + mode
                                             + " should be written BHP, GRAT or ORAT, in upper case!"));
    }

    void OneDimSolver::read_pressure_model(std::istream &in)
    {
      PressureModel &m = _model;

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
            // The rest of the line, blanks around it aside, is the number: "FREQ=5abc" is none.
            std::istringstream text(line.substr(5));
            std::string        word;
            int                frequency = 0;
            if (!(text >> word) || !parse_whole_number(word, frequency) || frequency <= 0 || text >> word)
              throw InputError(between_line_breaks(
                "ERROR: The map frequency after FREQ= should be a positive integer!"));
            m.map_frequency = static_cast<int>(frequency);
          }
          else
            line_pending = true;
        }
        else if (line == "NTAU")
          read_number(in, m.ntau);
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
          read_number(in, m.initial_pressure);
        else if (line == "SWL")
          read_number(in, m.swl);
        else if (line == "KR")
          read_number(in, m.kr);
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
          if (!read_number(in, m.oil_density) || !read_number(in, m.water_density)
              || !read_number(in, m.gas_density))
            throw InputError(between_line_breaks("Error in reading DENSITY data!"));
        }
        else if (line == "MTRXPERM" && m.dualporo)
          read_number(in, m.matrix_permeability);
        else if (line == "MTRXPORO" && m.dualporo)
          read_number(in, m.matrix_porosity);
        else if ((line == "MTRXCOMP" || line == "MTRXCOMPRE") && m.dualporo)
          read_values(in, {&m.matrix_reference_pressure, &m.matrix_compressibility});
        else if (line == "SIGMA" && m.dualporo)
          read_number(in, m.sigma);
        else if (line == "SWLM" && m.dualporo)
          read_number(in, m.swlm);
        else if (line == "KRM" && m.dualporo)
          read_number(in, m.krm);
        else if (line == "TRANSHAPE" && m.dualporo)
          m.transhape = true;
        else if (line == "LANGPRESS" && (m.adsorb || m.kerogen))
          read_number(in, m.langmuir_pressure);
        else if (line == "LANGVOL" && (m.adsorb || m.kerogen))
          read_number(in, m.langmuir_volume);
        else if (line == "TEMPERATURE" && m.klinkenberg)
        {
          double fahrenheit = 0.0;
          if (read_number(in, fahrenheit))
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
          read_number(in, m.pore_radius);
        else if (line == "ALPHA" && m.klinkenberg)
          read_number(in, m.alpha);
        else if (line == "TORTUOSITY" && m.klinkenberg)
          read_number(in, m.tortuosity);
        else if (line == "SIGMAMK" && m.kerogen)
          read_number(in, m.sigmamk);
        else if (line == "DIFFCOAL" && m.kerogen)
          read_number(in, m.kerogen_diffusion_coefficient);
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
            row[1] = gas_volume(row[1]);
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
            row[1] = gas_volume(row[1]);
            row[2] = gas_volume(row[2]);
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
          read_number(in, m.well_radius);
        else if (line == "SKIN")
          read_number(in, m.skin);
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

      // Values that have no physical meaning below (or beyond) a bound; each is checked only
      // where its option puts it to use. A zero Langmuir volume or kerogen coefficient switches
      // its effect off; a zero pore radius, accommodation coefficient or tortuosity would
      // divide by zero.
      auto require = [&refuse](bool holds, const std::string &keyword, const std::string &rule) {
        if (!holds)
          refuse("ERROR: The value of " + keyword + " should " + rule + "!");
      };
      require(m.initial_pressure > 0.0, "PRESSURE", "be positive");
      require(m.swl >= 0.0 && m.swl < 1.0, "SWL", "be at least 0 and below 1");
      if (m.dualporo)
      {
        require(m.krm >= 0.0, "KRM", "not be negative");
        require(m.matrix_porosity <= 1.0, "MTRXPORO", "not be above 1");
      }
      if (m.adsorb || m.kerogen)
      {
        require(m.langmuir_pressure >= 0.0, "LANGPRESS", "not be negative");
        require(m.langmuir_volume >= 0.0, "LANGVOL", "not be negative");
      }
      if (m.kerogen)
      {
        require(m.sigmamk >= 0.0, "SIGMAMK", "not be negative");
        require(m.kerogen_diffusion_coefficient >= 0.0, "DIFFCOAL", "not be negative");
      }
      if (m.klinkenberg)
      {
        require(m.pore_radius > 0.0, "PORERAD", "be positive");
        require(m.alpha > 0.0, "ALPHA", "be positive");
        require(m.tortuosity > 0.0, "TORTUOSITY", "be positive");
      }

      // The well produces: its pressure lies between 0 and the reservoir's, its rate is not
      // negative.
      for (std::size_t r = 0; r < m.schedule_time.size(); ++r)
      {
        const std::string row = "row " + std::to_string(r + 1) + " of WCONPROD";
        if (!(m.schedule_first_value[r] > 0.0 && m.schedule_first_value[r] < m.initial_pressure))
          refuse("ERROR: The bottom-hole pressure in " + row
                 + " should be above 0 and below the initial pressure PRESSURE!");
        if (m.schedule_mode[r] != "BHP" && m.schedule_second_value[r] < 0.0)
          refuse("ERROR: The rate in " + row + " should not be negative!");
      }
    }
  } // namespace quill
} // namespace orr
