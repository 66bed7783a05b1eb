#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "input_error.h"
#include "one_dim_solver.h"
#include "pressure_constants.h"

namespace orr
{
  namespace quill
  {
    namespace
    {
      using pressure_constants::infinite_tau;
      using pressure_constants::pi;
      // Well index constant in field units: 2 pi times 0.001127 (md.ft/cp to ft3/d/psi)
      // times 5.6145833334 ft3/bbl.
      constexpr double well_index_factor = 0.03975770587966126;
      constexpr unsigned near_well_nodes = 6;
    } // namespace

    void OneDimSolver::set_well_data(double completion_radius, double sum_kh, double sum_phih,
                                     double sum_h, unsigned completion_count)
    {
      _completion_radius = completion_radius;
      _sum_kh            = sum_kh;
      _sum_phih          = sum_phih;
      _sum_h             = sum_h;
      _completion_count  = completion_count;
    }

    void OneDimSolver::setup_grid(const std::vector<double> &tau_list,
                                  const std::vector<double> &pore_volume_list,
                                  const std::vector<double> &bulk_volume_list,
                                  std::vector<double>        cell_tau)
    {
      _cell_tau = std::move(cell_tau);

      // Cells reached only across closed faces were accepted at the infinite tau; they drain
      // nothing in any finite time and stay out of the grid.
      std::size_t accepted = std::min({tau_list.size(), pore_volume_list.size(), bulk_volume_list.size()});
      while (accepted > 0 && !(tau_list[accepted - 1] < infinite_tau))
        --accepted;
      if (accepted < _completion_count || _completion_count == 0)
        throw InputError("\nERROR: The completed cells were not reached by fast marching; the"
                         " pressure grid cannot be built!\n");

      if (!(_sum_kh > 0.0) || !(_sum_phih > 0.0) || !(_sum_h > 0.0))
        throw InputError("\nERROR: The completed cells have no permeability, porosity or"
                         " thickness; the well cannot produce!\n");

      // (1) tau to radius: r = d tau in the equivalent radial reservoir.
      const double d = std::sqrt(_sum_kh / _sum_phih / _mu_i / _ct_i);
      // (2) tau of the equivalent well-block radius and of the completed cells' drained area.
      const double tau_o   = _completion_radius / d;
      const double w_block = bulk_volume_list[_completion_count - 1];
      _tau_wb              = std::sqrt(w_block / _sum_h / pi) / d;
      if (!(tau_o < _tau_wb))
        throw InputError("\nERROR: The equivalent well-block radius of the completed cells is not"
                         " smaller than the radius of their area (elongated or strongly"
                         " anisotropic completion cells); the near-well grid cannot be built!\n");
      if (!(_completion_radius > _model.well_radius) || !(_model.well_radius > 0.0))
        throw InputError("\nERROR: The well radius WELLRADIUS should be positive and smaller than"
                         " the equivalent well-block radius of the completed cells!\n");

      // (3) well index
      _well_index = well_index_factor * _sum_kh / std::log(_completion_radius / _model.well_radius);

      // (4) six near-well nodes from the well-block radius out to the completed cells' area
      _tau_nodes.clear();
      _node_pore_volume.clear();
      _node_bulk_volume.clear();
      for (unsigned k = 0; k < near_well_nodes; ++k)
      {
        const double tau = tau_o + k * (_tau_wb - tau_o) / near_well_nodes;
        const double r   = d * tau;
        const double w   = _sum_h * pi * r * r;
        _tau_nodes.push_back(tau);
        _node_bulk_volume.push_back(w);
        _node_pore_volume.push_back(w * _sum_phih / _sum_h);
      }

      // (5) uniform guide grid G_0 .. G_NTAU from tau_wb to the largest tau; points past the
      // last lie above every tau.
      const double largest_tau = tau_list[accepted - 1];
      if (_model.ntau < 2)
        _model.ntau = static_cast<int>(std::sqrt(static_cast<double>(accepted)));
      const unsigned ntau    = static_cast<unsigned>(std::max(_model.ntau, 2));
      const double   spacing = (largest_tau - _tau_wb) / (ntau - 1);
      auto guide = [&](std::size_t g) {
        return g <= ntau ? _tau_wb + g * spacing : std::numeric_limits<double>::infinity();
      };

      // (6) take about one accepted entry every second guide interval
      std::size_t g = 0;
      for (std::size_t a = 0; a + 1 < accepted; ++a)
      {
        const double x = tau_list[a];
        while (x > guide(g + 1))
          ++g;
        if (guide(g) < x && x <= guide(g + 1) && guide(g + 1) < tau_list[a + 1])
        {
          _tau_nodes.push_back(x);
          _node_pore_volume.push_back(pore_volume_list[a]);
          _node_bulk_volume.push_back(bulk_volume_list[a]);
          g += 2;
        }
      }

      // (7) close the grid at the last accepted entry
      if (0.9999 * largest_tau > _tau_nodes.back())
      {
        _tau_nodes.push_back(largest_tau);
        _node_pore_volume.push_back(pore_volume_list[accepted - 1]);
        _node_bulk_volume.push_back(bulk_volume_list[accepted - 1]);
      }

      // (8) cells between consecutive nodes
      _n = static_cast<unsigned>(_tau_nodes.size() - 1);
      _pore_volume.resize(_n);
      _bulk_volume.resize(_n);
      _cell_centre_tau.resize(_n);
      for (unsigned i = 0; i < _n; ++i)
      {
        _pore_volume[i]     = _node_pore_volume[i + 1] - _node_pore_volume[i];
        _bulk_volume[i]     = _node_bulk_volume[i + 1] - _node_bulk_volume[i];
        _cell_centre_tau[i] = 0.5 * (_tau_nodes[i] + _tau_nodes[i + 1]);
      }
    }
  } // namespace quill
} // namespace orr
