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
      using pressure_constants::Z;
      // Well index constant in field units: 2 pi times 0.001127 (md.ft/cp to ft3/d/psi)
      // times 5.6145833334 ft3/bbl.
      constexpr double well_index_factor = 0.03975770587966126;
      constexpr unsigned near_well_nodes = 6;
      // With TAUGRID REFINED: nodes per decade of radius from the wellbore out to the completed
      // cells' area. The interface coefficients see a geometric grid of ratio a as a radial
      // one with a transmissibility (a + 1/a) ln(a) / (a - 1/a) too large: 0.7 % at 16 a decade.
      constexpr double sandface_nodes_per_decade = 16.0;
      // The far-field nodes of the refined grid start beyond this many times the completed
      // cells' radius: the cells around the completed ones are accepted at the distance of
      // their centres but hold volume out to their outer faces, so that their cumulative
      // volumes overstate the volume within their tau (a ring of four square neighbours holds
      // five cells' volume at one cell's distance, where a cylinder holds 3.14).
      constexpr double far_field_start = 2.0;
      // Growth of the refined guide spacing from one point to the next, from the near-well
      // spacing up to the uniform one. Nodes much denser than the accepted cells sample the
      // staircase of their cumulative volumes, whose uneven slopes add resistance (on a square
      // of 40 ft cells, 300 guide intervals instead of 114 raise the late drawdown by 0.8 %).
      constexpr double guide_growth = 1.5;

      /**
       * Guide points G_0, G_1, ... in tau: the listed head, then on at a fixed spacing from the
       * last listed point up to G_last. Points past G_last lie above every tau.
       */
      class GuideGrid
      {
      public:
        /** G_g = start + g spacing for g = 0 .. ntau. */
        static GuideGrid uniform(double start, double spacing, unsigned ntau)
        {
          return GuideGrid({start}, spacing, ntau);
        }

        /**
         * From start with the spacing first_spacing growing by `ratio` at each point until it
         * reaches `spacing`, then at `spacing`, up to the first point at or beyond `end` and
         * one more, as the uniform grid ends one spacing past the largest tau.
         */
        static GuideGrid growing(double start, double first_spacing, double ratio, double spacing,
                                 double end)
        {
          std::vector<double> head{start};
          for (double step = first_spacing; step < spacing && head.back() < end; step *= ratio)
            head.push_back(head.back() + step);
          const double      rest = std::max(0.0, std::ceil((end - head.back()) / spacing));
          const std::size_t last = head.size() + static_cast<std::size_t>(rest);
          return GuideGrid(std::move(head), spacing, last);
        }

        GuideGrid() = default;

        double operator()(std::size_t g) const
        {
          if (g > _last)
            return std::numeric_limits<double>::infinity();
          if (g < _head.size())
            return _head[g];
          return _head.back() + (g - (_head.size() - 1)) * _spacing;
        }

      private:
        GuideGrid(std::vector<double> head, double spacing, std::size_t last)
          : _head(std::move(head)), _spacing(spacing), _last(last)
        {}

        std::vector<double> _head;
        double              _spacing = 0.0;
        std::size_t         _last    = 0;
      };
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

    void OneDimSolver::_add_radial_node(double tau, double d)
    {
      const double r = d * tau;
      const double w = _sum_h * pi * r * r;
      _tau_nodes.push_back(tau);
      _node_bulk_volume.push_back(w);
      _node_pore_volume.push_back(w * _sum_phih / _sum_h);
    }

    // A negative skin (a stimulated well) is the well of the larger effective radius
    // r_w exp(-s) without skin: the grid starts there. A positive skin is a resistance.
    double OneDimSolver::_add_sandface_nodes(double d)
    {
      const double r_w  = _model.well_radius * std::exp(-std::min(_model.skin, 0.0));
      const double r_wb = d * _tau_wb;
      if (!(_model.well_radius > 0.0) || !(r_w < r_wb))
        throw InputError("\nERROR: The well radius WELLRADIUS should be positive and, with TAUGRID"
                         " REFINED, smaller than the radius of the completed cells' area (after a"
                         " negative SKIN enlarged it to WELLRADIUS exp(-SKIN))!\n");
      const double decades   = std::log10(r_wb / r_w);
      const auto   intervals = static_cast<unsigned>(std::ceil(sandface_nodes_per_decade * decades));
      const double ratio     = std::pow(r_wb / r_w, 1.0 / intervals);
      for (unsigned k = 0; k < intervals; ++k)
        _add_radial_node(r_w * std::pow(ratio, k) / d, d);
      _add_radial_node(_tau_wb, d);
      return ratio;
    }

    // The well sees the first cell across its inner half, from its centre to the sandface, and
    // a positive skin: two resistances in series. The half cell's conductance is the interface
    // coefficient of the flux terms taken over half a cell; the skin's is that of the steady
    // radial flow, 2 pi k h / s in the units of the well term.
    double OneDimSolver::_sandface_well_index() const
    {
      const double dtau = _tau_nodes[1] - _tau_nodes[0];
      const double half_cell =
        2.0 * _mu_i * _ct_i * (_node_pore_volume[1] - _node_pore_volume[0]) / (dtau * dtau);
      const double skin = std::max(_model.skin, 0.0);
      return 1.0 / (Z / half_cell + skin / (well_index_factor * _sum_kh));
    }

    // Between the completed cells' radius and the first far-field node the grid would have one
    // wide cell just where the early transient passes; it is split at the refined nodes' ratio,
    // the volumes growing with the square of tau between the two nodes, as in a cylinder.
    void OneDimSolver::_add_junction_nodes(std::size_t junction, double ratio)
    {
      if (junction + 1 >= _tau_nodes.size())
        return;
      const double tau_0 = _tau_nodes[junction], tau_1 = _tau_nodes[junction + 1];
      const double v_0 = _node_pore_volume[junction], v_1 = _node_pore_volume[junction + 1];
      const double w_0 = _node_bulk_volume[junction], w_1 = _node_bulk_volume[junction + 1];
      const auto   intervals = static_cast<unsigned>(std::ceil(std::log(tau_1 / tau_0) / std::log(ratio)));
      const double step      = std::pow(tau_1 / tau_0, 1.0 / intervals);
      std::vector<double> tau, v, w;
      for (unsigned k = 1; k < intervals; ++k)
      {
        const double t        = tau_0 * std::pow(step, k);
        const double fraction = (t * t - tau_0 * tau_0) / (tau_1 * tau_1 - tau_0 * tau_0);
        tau.push_back(t);
        v.push_back(v_0 + fraction * (v_1 - v_0));
        w.push_back(w_0 + fraction * (w_1 - w_0));
      }
      _tau_nodes.insert(_tau_nodes.begin() + junction + 1, tau.begin(), tau.end());
      _node_pore_volume.insert(_node_pore_volume.begin() + junction + 1, v.begin(), v.end());
      _node_bulk_volume.insert(_node_bulk_volume.begin() + junction + 1, w.begin(), w.end());
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
      const double largest_tau = tau_list[accepted - 1];
      if (_model.ntau < 2)
        _model.ntau = static_cast<int>(std::sqrt(static_cast<double>(accepted)));
      const unsigned ntau    = static_cast<unsigned>(std::max(_model.ntau, 2));
      const double   spacing = (largest_tau - _tau_wb) / (ntau - 1);

      // (3, 4) the well and the nodes out to the completed cells' area, (5) the guide grid
      _tau_nodes.clear();
      _node_pore_volume.clear();
      _node_bulk_volume.clear();
      GuideGrid   guide;
      double      ratio    = 0.0;  // of the refined nodes' radii
      std::size_t junction = 0;    // the refined node at tau_wb
      const bool  refined = _model.tau_grid == PressureModel::TauGrid::refined;
      if (refined)
      {
        ratio       = _add_sandface_nodes(d);
        junction    = _tau_nodes.size() - 1;
        _well_index        = _sandface_well_index();
        guide = GuideGrid::growing(far_field_start * _tau_wb, _tau_wb * (1.0 - 1.0 / ratio), guide_growth,
                                   spacing, largest_tau);
      }
      else
      {
        if (!(tau_o < _tau_wb))
          throw InputError("\nERROR: The equivalent well-block radius of the completed cells is not"
                           " smaller than the radius of their area (elongated or strongly"
                           " anisotropic completion cells); the near-well grid cannot be built!\n");
        if (!(_completion_radius > _model.well_radius) || !(_model.well_radius > 0.0))
          throw InputError("\nERROR: The well radius WELLRADIUS should be positive and smaller than"
                           " the equivalent well-block radius of the completed cells!\n");
        _well_index = well_index_factor * _sum_kh / std::log(_completion_radius / _model.well_radius);
        for (unsigned k = 0; k < near_well_nodes; ++k)
          _add_radial_node(tau_o + k * (_tau_wb - tau_o) / near_well_nodes, d);
        guide = GuideGrid::uniform(_tau_wb, spacing, ntau);
      }

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

      if (refined)
        _add_junction_nodes(junction, ratio);

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
