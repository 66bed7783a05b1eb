#include <cmath>

#include "one_dim_solver.h"
#include "pressure_constants.h"

namespace orr
{
  namespace quill
  {
    using pressure_constants::Z;

    // (E1) fluid and rock properties at the current iterate
    void OneDimSolver::_update_properties()
    {
      for (unsigned i = 0; i < _n; ++i)
      {
        const FlowingPhase flowing = flowing_phase(_p[i]);
        _b[i]   = flowing.formation_volume_factor;
        _mu[i]  = flowing.viscosity;
        _db[i]  = flowing.formation_volume_factor_derivative;
        _dmu[i] = flowing.viscosity_derivative;
        if (_model.rockcomp)
        {
          _mt[i]  = transmissibility_multiplier(_p[i]);
          _dmt[i] = transmissibility_multiplier_derivative(_p[i]);
          _m[i]   = pore_volume_multiplier(_p[i]);
          _dm[i]  = pore_volume_multiplier_derivative(_p[i]);
          // Compacted rock does not recover: multipliers never rise above the last step's.
          if (_model.irrevers)
          {
            if (_mt[i] > _mt_old[i])
            {
              _mt[i]  = _mt_old[i];
              _dmt[i] = _dmt_old[i];
            }
            if (_m[i] > _m_old[i])
            {
              _m[i]  = _m_old[i];
              _dm[i] = _dm_old[i];
            }
          }
        }
        if (_model.dualporo)
        {
          const FlowingPhase in_matrix = flowing_phase(_p_m[i]);
          _b_m[i]   = in_matrix.formation_volume_factor;
          _mu_m[i]  = in_matrix.viscosity;
          _db_m[i]  = in_matrix.formation_volume_factor_derivative;
          _dmu_m[i] = in_matrix.viscosity_derivative;
        }
      }
    }

    void OneDimSolver::_assemble()
    {
      const unsigned n = _n;
      SparseJacobian &J = _jacobian;
      std::vector<double> &R = _residual;
      J.clear();
      std::fill(R.begin(), R.end(), 0.0);

      _update_properties();

      const double kr  = _model.kr;
      const double krm = _model.krm;

      // (E2) flux between neighbouring fracture cells, upstream mobility, cell i's own
      // transmissibility multiplier
      for (unsigned i = 0; i < n; ++i)
        for (int side = -1; side <= 1; side += 2)
        {
          if ((side < 0 && i == 0) || (side > 0 && i + 1 == n))
            continue;
          const unsigned b = i + side;
          const double   T = _interface_coefficient[side < 0 ? i : i + 1];
          const unsigned u = _p[i] >= _p[b] ? i : b;
          const double lambda  = kr / (_b[u] * _mu[u]);
          const double dlambda = -(_dmu[u] / _mu[u] + _db[u] / _b[u]) * lambda;
          const double F  = T * _mt[i] * lambda;
          const double G  = T * (lambda * _dmt[i] + dlambda * _mt[i]);
          const double dp = _p[b] - _p[i];
          R[i] += F * dp;
          if (u == i)
          {
            J.at(i, i) += dp * G - F;
            J.at(i, b) += F;
          }
          else
          {
            J.at(i, i) -= F;
            J.at(i, b) += dp * G + F;
          }
        }

      // (E3) matrix-fracture transfer
      _q_trans = 0.0;
      if (_model.dualporo)
        for (unsigned i = 0; i < n; ++i)
        {
          const unsigned m  = n + i;
          const double   dp = _p[i] - _p_m[i];
          double k_m  = _model.matrix_permeability;
          double dk_m = 0.0;
          if (_model.klinkenberg)
          {
            k_m  = apparent_matrix_permeability(_p_m[i]);
            dk_m = apparent_matrix_permeability_derivative(_p_m[i]);
            _model.matrix_permeability = k_m;
          }
          const double bv = _bulk_volume[i];
          if (dp > 0.0)
          {
            const double lambda  = kr / (_b[i] * _mu[i]);
            const double dlambda = -(_dmu[i] / _mu[i] + _db[i] / _b[i]) * lambda;
            const double A = _model.sigma * k_m * lambda;
            const double D = _model.sigma * (dlambda * k_m + lambda * dk_m);
            J.at(i, i) -= D * bv * dp + A * bv;
            J.at(m, m) -= A;
            J.at(i, m) += A * bv;
            J.at(m, i) += D * dp + A;
            R[i] -= A * bv * dp;
            R[m] += A * dp;
            _q_trans -= A * bv * dp;
          }
          else
          {
            const double lambda  = krm / (_b_m[i] * _mu_m[i]);
            const double dlambda = -(_dmu_m[i] / _mu_m[i] + _db_m[i] / _b_m[i]) * lambda;
            const double A = _model.sigma * k_m * lambda;
            const double D = _model.sigma * (dlambda * k_m + lambda * dk_m);
            J.at(i, i) -= A * bv;
            J.at(m, m) += D * dp - A;
            J.at(i, m) += A * bv - D * bv * dp;
            J.at(m, i) += A;
            R[i] -= A * bv * dp;
            R[m] += A * dp;
            _q_trans -= A * bv * dp;
          }
        }

      // (E4) kerogen diffusion into the matrix
      _q_diff = 0.0;
      if (_model.kerogen)
        for (unsigned i = 0; i < n; ++i)
        {
          const unsigned m = n + i;
          const unsigned g = 2 * n + i;
          const double c_eq  = langmuir_concentration(_p_m[i]);
          const double dc_eq = langmuir_concentration_derivative(_p_m[i]);
          const double a     = _model.sigmamk * _model.kerogen_diffusion_coefficient;
          const double e     = c_eq - _c_k[i];
          _q_diff -= _bulk_volume[i] * a * e;
          R[m] -= Z * a * e;
          R[g] += a * e;
          J.at(m, m) -= Z * a * dc_eq;
          J.at(m, g) += Z * a;
          J.at(g, m) += a * dc_eq;
          J.at(g, g) -= a;
        }

      // (E5) accumulation
      const double dt = _dt;
      for (unsigned i = 0; i < n; ++i)
      {
        double m = _m[i], m_old = _m_old[i], dm = _dm[i];
        if (!_model.rockcomp)
        {
          m     = _rock_multiplier(_p[i]);
          m_old = _rock_multiplier(_p_old[i]);
          dm    = _model.rock_compressibility * m;
        }
        const double E = (1.0 - _model.swl) * _pore_volume[i] / dt;
        R[i] -= Z * E * (m / _b[i] - m_old / _b_old[i]);
        J.at(i, i) -= Z * E * (dm / _b[i] - m * _db[i] / (_b[i] * _b[i]));

        if (_model.dualporo)
        {
          const unsigned row   = n + i;
          const double   mm     = _matrix_multiplier(_p_m[i]);
          const double   mm_old = _matrix_multiplier(_p_m_old[i]);
          const double   dmm    = _model.matrix_compressibility * mm;
          const double   f      = (1.0 - _model.swl) * _model.matrix_porosity;
          // The well's own cell holds no adsorbed gas.
          const bool adsorbs  = _model.adsorb && i > 0;
          const double ads     = adsorbs ? langmuir_concentration(_p_m[i]) : 0.0;
          const double ads_old = adsorbs ? langmuir_concentration(_p_m_old[i]) : 0.0;
          const double dads    = adsorbs ? langmuir_concentration_derivative(_p_m[i]) : 0.0;
          R[row] -= Z * (f * (mm / _b_m[i] - mm_old / _b_m_old[i]) + ads - ads_old) / dt;
          J.at(row, row) -=
            Z * (f * (dmm / _b_m[i] - mm * _db_m[i] / (_b_m[i] * _b_m[i])) + dads) / dt;
        }
        if (_model.kerogen)
        {
          const unsigned g = 2 * n + i;
          R[g] -= (_c_k[i] - _c_k_old[i]) / dt;
          J.at(g, g) -= 1.0 / dt;
        }
      }

      // (E6) the well in cell 0
      const double lambda0  = kr / (_b[0] * _mu[0]);
      const double dlambda0 = -(_dmu[0] / _mu[0] + _db[0] / _b[0]) * lambda0;
      const double productivity = _mt[0] * _well_index * lambda0;
      const double dproductivity = (lambda0 * _dmt[0] + dlambda0 * _mt[0]) * _well_index;
      const double H = dproductivity * (_p[0] - _p_wf) + productivity;
      if (!_rate_control)
      {
        const double q = productivity * (_p[0] - _p_wf);
        R[0] -= Z * q;
        J.at(0, 0) -= Z * H;
      }
      else
      {
        const unsigned w = _continua * n;
        const double   q = _target_rate;
        const double   H_at_target = dproductivity * (q / productivity) + productivity;
        R[0] -= Z * q;
        J.at(0, 0) -= Z * H_at_target;
        R[w] = Z * (q - productivity * (_p[0] - _p_wf));
        J.at(w, 0) = -Z * H;
        J.at(w, w) = Z * productivity;
        J.at(0, w) = Z * productivity;
      }
    }
  } // namespace quill
} // namespace orr
