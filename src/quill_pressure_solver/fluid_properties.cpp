#include <cmath>

#include "input_error.h"
#include "one_dim_solver.h"
#include "pressure_constants.h"

namespace orr
{
  namespace quill
  {
    namespace
    {
      // One-sided difference toward lower pressure.
      template <typename Function>
      double backward_derivative(const Function &f, double p)
      {
        using pressure_constants::derivative_step;
        return (f(p - derivative_step) - f(p)) / (-derivative_step);
      }

      using pressure_constants::pi;
      constexpr double pascal_per_psi       = 6894.757293168361;
      constexpr double md_per_square_metre  = 1.013249966e15;
      constexpr double kelvin_per_rankine   = 0.555555556;
      constexpr double eight_r_over_pi      = 66.5156968;  // 8 R in J/(mol K), times 1000 g/kg
    } // namespace

    // The flowing phase's table holds 1/B and 1/(mu B); interpolating those rather than B and mu
    // is part of the model.
    double OneDimSolver::formation_volume_factor(double p) const
    {
      if (_gas_flows())
        return 1.0 / interpolate(_model.gas_pressure, _model.gas_inverse_b, p);
      return 1.0 / interpolate(_model.oil_pressure, _model.oil_inverse_b, p);
    }

    double OneDimSolver::_inverse_mu_b(double p) const
    {
      return _gas_flows() ? interpolate(_model.gas_pressure, _model.gas_inverse_mu_b, p)
                          : interpolate(_model.oil_pressure, _model.oil_inverse_mu_b, p);
    }

    double OneDimSolver::viscosity(double p) const
    {
      return 1.0 / _inverse_mu_b(p) / formation_volume_factor(p);
    }

    OneDimSolver::FlowingPhase OneDimSolver::flowing_phase(double p) const
    {
      // B and mu at p and one step below, each looked up once; the derivatives are
      // backward_derivative's, to the bit.
      using pressure_constants::derivative_step;
      const double b        = formation_volume_factor(p);
      const double mu       = 1.0 / _inverse_mu_b(p) / b;
      const double below    = p - derivative_step;
      const double b_below  = formation_volume_factor(below);
      const double mu_below = 1.0 / _inverse_mu_b(below) / b_below;
      return {b, mu, (b_below - b) / (-derivative_step), (mu_below - mu) / (-derivative_step)};
    }

    double OneDimSolver::formation_volume_factor_derivative(double p) const
    {
      return flowing_phase(p).formation_volume_factor_derivative;
    }

    double OneDimSolver::viscosity_derivative(double p) const
    {
      return flowing_phase(p).viscosity_derivative;
    }

    double OneDimSolver::_rock_multiplier(double p) const
    {
      return std::exp((p - _model.rock_reference_pressure) * _model.rock_compressibility);
    }

    double OneDimSolver::_matrix_multiplier(double p) const
    {
      return std::exp((p - _model.matrix_reference_pressure) * _model.matrix_compressibility);
    }

    double OneDimSolver::pore_volume_multiplier(double p) const
    {
      if (_model.rockcomp)
        return interpolate(_model.rock_pressure, _model.rock_pore_volume_multiplier, p);
      return _rock_multiplier(p);
    }

    double OneDimSolver::pore_volume_multiplier_derivative(double p) const
    {
      if (_model.rockcomp)
        return backward_derivative([this](double x) { return pore_volume_multiplier(x); }, p);
      return _model.rock_compressibility * _rock_multiplier(p);
    }

    double OneDimSolver::transmissibility_multiplier(double p) const
    {
      if (_model.rockcomp)
        return interpolate(_model.rock_pressure, _model.rock_transmissibility_multiplier, p);
      return 1.0;
    }

    double OneDimSolver::transmissibility_multiplier_derivative(double p) const
    {
      if (_model.rockcomp)
        return backward_derivative([this](double x) { return transmissibility_multiplier(x); }, p);
      return 0.0;
    }

    double OneDimSolver::langmuir_concentration(double p) const
    {
      return _model.langmuir_volume * p / (_model.langmuir_pressure + p);
    }

    double OneDimSolver::langmuir_concentration_derivative(double p) const
    {
      const double denominator = _model.langmuir_pressure + p;
      return _model.langmuir_pressure * _model.langmuir_volume / (denominator * denominator);
    }

    // Slip flow and Knudsen diffusion in the matrix pores, worked in SI units and returned in md.
    double OneDimSolver::apparent_matrix_permeability(double p) const
    {
      double molar_mass = 0.0;
      for (std::size_t c = 0; c < _model.component_mole_fraction.size(); ++c)
        molar_mass += _model.component_mole_fraction[c] * _model.component_molecular_weight[c];

      const double bg = formation_volume_factor(p);
      const double gas_compressibility =
        bg * backward_derivative([this](double x) { return 1.0 / formation_volume_factor(x); }, p);
      const double mu_pa_s = 0.01 * viscosity(p);  // cp scaled as the correlation expects

      const double temperature_k = _model.temperature * kelvin_per_rankine;
      const double mean_speed    = std::sqrt(eight_r_over_pi * temperature_k / (pi * molar_mass));

      const double r        = _model.pore_radius;
      const double f        = _model.matrix_porosity / _model.tortuosity;
      const double slip     = 2.0 / _model.alpha - 1.0;
      const double p_pascal = p * pascal_per_psi;

      const double slip_flow = (r * r * f / 8.0) * (1.0 + slip * mean_speed * mu_pa_s / (p_pascal * r));
      const double knudsen   = (2.0 / 3.0) * r * mean_speed * f
                             * (gas_compressibility / pascal_per_psi) * mu_pa_s;
      return md_per_square_metre * (slip_flow + knudsen);
    }

    double OneDimSolver::apparent_matrix_permeability_derivative(double p) const
    {
      return backward_derivative([this](double x) { return apparent_matrix_permeability(x); }, p);
    }

    void OneDimSolver::compute_initial_properties()
    {
      const double p_i = _model.initial_pressure;
      _b_i  = formation_volume_factor(p_i);
      _mu_i = viscosity(p_i);
      const double fluid_compressibility =
        _b_i * backward_derivative([this](double x) { return 1.0 / formation_volume_factor(x); }, p_i);

      double rock_compressibility = _model.rock_compressibility;
      if (_model.rockcomp)
        rock_compressibility = pore_volume_multiplier_derivative(p_i) / pore_volume_multiplier(p_i);

      _ct_i = (1.0 - _model.swl) * fluid_compressibility + rock_compressibility;
      // A table flat at the initial pressure (it starts above it) and no rock compressibility
      // would give a reservoir in which nothing ever moves.
      if (!(_ct_i > 0.0) || !std::isfinite(_ct_i) || !(_mu_i > 0.0) || !std::isfinite(_mu_i))
        throw InputError("\nERROR: The initial total compressibility or viscosity is not positive!"
                         " Check that the PVT table of the flowing phase covers the initial"
                         " pressure, or give a rock compressibility.\n");
    }

    double OneDimSolver::get_initial_viscosity() const
    {
      return _mu_i;
    }

    double OneDimSolver::get_initial_total_compressibility() const
    {
      return _ct_i;
    }
  } // namespace quill
} // namespace orr
