#include <cmath>

#include <gtest/gtest.h>

#include "pressure_test_decks.h"

namespace orr
{
  namespace quill
  {
    // The Newton system of a solver at a state of the test's choosing.
    class OneDimSolverTestAccess
    {
    public:
      explicit OneDimSolverTestAccess(OneDimSolver &solver)
        : _solver(solver)
      {}

      unsigned cells() const { return _solver._n; }
      unsigned unknowns() const { return _solver._jacobian.size(); }
      bool rate_control() const { return _solver._rate_control; }

      double &unknown(unsigned j)
      {
        const unsigned n = _solver._n;
        if (j < n)
          return _solver._p[j];
        if (j < 2 * n && _solver._continua > 1)
          return _solver._p_m[j - n];
        if (j < 3 * n && _solver._continua > 2)
          return _solver._c_k[j - 2 * n];
        return _solver._p_wf;
      }

      std::vector<double> residual()
      {
        _solver._assemble();
        return _solver._residual;
      }

      // The assembled Jacobian as dense rows.
      std::vector<std::vector<double>> jacobian()
      {
        _solver._assemble();
        std::vector<double> values;
        std::vector<int>    columns, row_start;
        _solver._jacobian.export_one_based(values, columns, row_start);
        row_start.push_back(static_cast<int>(values.size()) + 1);
        std::vector<std::vector<double>> dense(unknowns(), std::vector<double>(unknowns(), 0.0));
        for (unsigned r = 0; r < unknowns(); ++r)
          for (int e = row_start[r] - 1; e < row_start[r + 1] - 1; ++e)
            dense[r][columns[e] - 1] = values[e];
        return dense;
      }

    private:
      OneDimSolver &_solver;
    };
  } // namespace quill
} // namespace orr

using orr::quill::OneDimSolver;
using orr::quill::OneDimSolverTestAccess;
using orr::testing::radial_gas_solver;

namespace
{
  // Moves a solved state off equilibrium: the fractures drawn down, the matrix alternately
  // above and below them (both upstream directions), kerogen away from its equilibrium.
  void disturb(OneDimSolverTestAccess &access, unsigned continua)
  {
    const unsigned n = access.cells();
    for (unsigned i = 0; i < n; ++i)
    {
      access.unknown(i) -= 20.0 + i;
      if (continua > 1)
        access.unknown(n + i) = access.unknown(i) + (i % 2 ? 15.0 : -15.0);
      if (continua > 2)
        access.unknown(2 * n + i) *= 1.01;
    }
  }

  // Every Jacobian entry against the backward difference of the residual (the properties'
  // own derivatives use the same step); `skip` marks entries that are approximate by design.
  template <typename Skip>
  void expect_jacobian_matches_residual(OneDimSolverTestAccess &access, Skip skip)
  {
    const auto   J  = access.jacobian();
    const auto   R  = access.residual();
    const double h  = 1e-4;
    for (unsigned c = 0; c < access.unknowns(); ++c)
    {
      // Concentrations are small numbers; step them relatively.
      const double step = c >= 2 * access.cells() && c < 3 * access.cells()
                            ? h * std::fabs(access.unknown(c)) : h;
      const double saved = access.unknown(c);
      access.unknown(c) -= step;
      const auto R_step = access.residual();
      access.unknown(c) = saved;
      for (unsigned r = 0; r < access.unknowns(); ++r)
      {
        if (skip(r, c))
          continue;
        double row_scale = 0.0;
        for (double v : J[r])
          row_scale = std::max(row_scale, std::fabs(v));
        const double difference = (R_step[r] - R[r]) / -step;
        EXPECT_NEAR(J[r][c], difference, 2e-4 * row_scale) << "row " << r << ", column " << c;
      }
    }
  }

  void check_after_solving(const std::string &deck, unsigned continua)
  {
    OneDimSolver solver = radial_gas_solver(deck, 60);
    solver.solve();
    OneDimSolverTestAccess access(solver);
    disturb(access, continua);
    const unsigned well = continua * access.cells();
    const bool     rate = access.rate_control();
    // Under rate control the fracture well term holds the target rate and its entries on row
    // 0 are those of the model, not derivatives.
    expect_jacobian_matches_residual(access, [&](unsigned r, unsigned c) {
      return rate && r == 0 && (c == 0 || c == well);
    });
  }
} // namespace

TEST(NewtonJacobian, SinglePorosityWithRockCompressibility)
{
  check_after_solving("RCOMP\n5000 0.000004\nWCONPROD\n30 BHP 1000 0 3\n/\n", 1);
}

TEST(NewtonJacobian, DualPorosityWithAdsorption)
{
  check_after_solving("DUALPORO\nADSORB\nMTRXPERM\n0.0005\nMTRXPORO\n0.06\nMTRXCOMP\n5000 0.000002\n"
                      "SIGMA\n0.05\nLANGPRESS\n1000\nLANGVOL\n3\nKRM\n0.7\n"
                      "WCONPROD\n30 BHP 1000 0 3\n/\n", 2);
}

TEST(NewtonJacobian, KerogenDiffusion)
{
  check_after_solving("DUALPORO\nADSORB\nKEROGEN\nMTRXPERM\n0.0005\nMTRXPORO\n0.06\n"
                      "SIGMA\n0.05\nLANGPRESS\n1000\nLANGVOL\n3\nSIGMAMK\n0.5\nDIFFCOAL\n0.005\n"
                      "WCONPROD\n30 BHP 1000 0 3\n/\n", 3);
}

TEST(NewtonJacobian, RateControlledWellRow)
{
  check_after_solving("WCONPROD\n30 GRAT 500 1000 3\n/\n", 1);
}
