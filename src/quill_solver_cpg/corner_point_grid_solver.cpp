#include "corner_point_grid_solver.h"

#include <array>
#include <cmath>
#include <utility>

#include "exceptions.h"
#include "input_error.h"
#include "properties.h"
#include "tau_result_files.h"

namespace orr
{
  namespace quill
  {
    namespace
    {
      /** Permeabilities at or below this (mD) close a face. */
      constexpr double CLOSED_PERMEABILITY = 1e-7;

      using Ijk::Direction;

      /**
       * The cross directions of the four candidate solves of a local update whose accepted
       * neighbour lies in a given direction, in the order they are tried, and for each of
       * the two cross dimensions the bits of both its senses.
       */
      struct CandidateDirections
      {
        Direction    cross[4][2];
        unsigned int second_senses;
        unsigned int third_senses;
      };

      /**
       * The candidates of each direction: an I step is crossed by J and K, a J step by I and
       * K, a K step by I and J; each cross dimension is taken in its plus sense first.
       */
      std::array<CandidateDirections, Ijk::NUMBER_OF_DIRECTIONS> make_candidate_directions()
      {
        static constexpr Direction crossing[Ijk::NUMBER_OF_DIMENSIONS][2] = {
          {Ijk::J_PLUS, Ijk::K_PLUS}, {Ijk::I_PLUS, Ijk::K_PLUS}, {Ijk::I_PLUS, Ijk::J_PLUS}};
        std::array<CandidateDirections, Ijk::NUMBER_OF_DIRECTIONS> table{};
        for (unsigned int d = 0; d < Ijk::NUMBER_OF_DIRECTIONS; ++d)
        {
          const Direction *const cross  = crossing[Ijk::get_dimension(static_cast<Direction>(d))];
          const Direction        second = cross[0];
          const Direction        third  = cross[1];
          const Direction        second_back = Ijk::opposite_direction(second);
          const Direction        third_back  = Ijk::opposite_direction(third);
          table[d] = CandidateDirections{
            {{second, third}, {second_back, third}, {second, third_back}, {second_back, third_back}},
            (1u << second) | (1u << second_back),
            (1u << third) | (1u << third_back)};
        }
        return table;
      }

      const std::array<CandidateDirections, Ijk::NUMBER_OF_DIRECTIONS> CANDIDATE_DIRECTIONS =
        make_candidate_directions();

      constexpr double CLOSED = CellData::CLOSED_SIDE;

      /** Whether `mask`, a set of directions with bit d for direction d, holds `direction`. */
      bool has(const unsigned int mask, const Direction direction)
      {
        return (mask >> direction) & 1u;
      }

      /**
       * Accumulates sum w_i^2 (tau - t_i)^2 = 1 over the contributing directions. The sums
       * are formed in direction order and the products left to right ((w^2 t) t): cells of
       * equal tau leave the band in heap order, so a changed last bit reorders the
       * drained-volume records.
       */
      class Quadratic
      {
      public:
        void add(const double weight, const double value)
        {
          QuadraticTerms terms;
          terms.set(weight, value);
          add(terms);
        }

        /** Adds terms formed beforehand (the same sums as adding their weight and value). */
        void add(const QuadraticTerms &terms)
        {
          _a += terms.a;
          _b += terms.b;
          _q += terms.q;
        }

        /** B^2 - A Q of A tau^2 - 2 B tau + Q = 0 (Q with the -1 of the right-hand side). */
        double discriminant() const { return _b * _b - _a * (_q - 1.0); }

        /** The larger root, given a discriminant that is not negative. */
        double larger_root(const double discriminant) const
        {
          return (_b + std::sqrt(discriminant)) / _a;
        }

      private:
        double _a = 0.0;
        double _b = 0.0;
        double _q = 0.0;
      };
    } // namespace

    CornerPointGridSolver::CornerPointGridSolver()
    {
      set_stop_value(INFINITE_VALUE);
    }

    CornerPointGridSolver::~CornerPointGridSolver() = default;

    void CornerPointGridSolver::initialize()
    {
      SolverBase<unsigned int, double, CellData>::initialize();
      _expected.fill(Ijk::INVALID_INDEX);
      _accepted_cells = 0;
      _records.reset(number_of_nodes());
      _fill_cell_data();
    }

    void CornerPointGridSolver::march()
    {
      SolverBase<unsigned int, double, CellData>::march();
      if (_accepted_cells == _number_of_nodes)
        return;
      for (unsigned int cell = 0; cell < _number_of_nodes; ++cell)
        if (!is_accepted(cell))
          _records.clear(cell);
    }

    unsigned int CornerPointGridSolver::number_of_nodes() const
    {
      ORR_ASSERT(_grid, ExcNullPointer());
      return _grid->number_of_cells();
    }

    unsigned int CornerPointGridSolver::number_of_secondary_nodes() const
    {
      ORR_ASSERT(_grid, ExcNullPointer());
      return _grid->number_of_corners();
    }

    void CornerPointGridSolver::callback_new_value_accepted(const unsigned int &cell, const double &tau)
    {
      ++_accepted_cells;
      const TauRecords::CellRecord &kept = _records.cells()[cell];
      _records.record(cell, tau, kept.pore_volume, kept.bulk_volume, _unit_type);
    }

    void CornerPointGridSolver::get_neighbors(const unsigned int &cell, std::vector<unsigned int> &out) const
    {
      // In ascending cell order, so that the march need not sort them. The neighbours the
      // cell knows as accepted are left out: the march would only test them to pass over them.
      static constexpr Direction ascending[Ijk::NUMBER_OF_DIRECTIONS] = {Ijk::K_MINUS, Ijk::J_MINUS, Ijk::I_MINUS,
                                                                         Ijk::I_PLUS,  Ijk::J_PLUS,  Ijk::K_PLUS};
      const CellData    &data    = node_data(cell);
      const unsigned int skipped = data.missing_neighbors | data.accepted_neighbors;
      for (const Direction d : ascending)
        if (!has(skipped, d))
          out.push_back(_neighbor_cell(cell, d));

      // The march asks for the neighbours of each cell right after accepting it, then
      // updates them and records the acceptance: it reads the cell's record, its
      // neighbours, and the cells beside each neighbour that its update looks at. In a
      // large grid most of that is out of cache, so the loads start ahead: for the cell then
      // smallest in the band, which is accepted next unless an update brings another one
      // below it, and for the smaller of its two children, often the one after. They are not
      // started again for a cell the call before started them for.
      const std::size_t  band  = _narrow_band.size();
      const unsigned int next  = band > 0 ? _narrow_band.entry(0).node : Ijk::INVALID_INDEX;
      const unsigned int after =
        band > 1 ? _narrow_band.entry(_narrow_band.smaller_child(0)).node : Ijk::INVALID_INDEX;
      const std::array<unsigned int, 2> expected = {next, after};
      const auto was_loaded = [this](const unsigned int c) {
        return c == _expected[0] || c == _expected[1];
      };
      const unsigned int load[3] = {was_loaded(cell) ? Ijk::INVALID_INDEX : cell,
                                    was_loaded(next) ? Ijk::INVALID_INDEX : next,
                                    was_loaded(after) ? Ijk::INVALID_INDEX : after};
      _expected                  = expected;
      // The loads do not wait for the cell's edge bits: they are in the record still being
      // loaded, and waiting for them stalls the march. At the grid's edge a load may thus go
      // to a cell that is no neighbour, which costs a little bandwidth and nothing else.
      const std::int64_t cells = _number_of_nodes;
      for (const unsigned int accepting : load)
      {
        if (accepting == Ijk::INVALID_INDEX)
          continue;
        _records.prefetch(accepting);
        _narrow_band.prefetch(accepting);
        const std::int64_t centre = accepting;
        for (const std::int64_t offset : _look_ahead_offsets)
        {
          const std::int64_t other = centre + offset;
          if (other >= 0 && other < cells)
            _narrow_band.prefetch(static_cast<unsigned int>(other));
        }
      }
    }

    void CornerPointGridSolver::compute_value(const unsigned int &cell, const unsigned int &accepted,
                                              double &out)
    {
      // Gather once what the four candidates share: per accepted neighbour its tau and the
      // face coefficient towards it. The neighbours are found from the cell's index, not
      // listed into a table first: the update runs for every neighbour of every accepted cell.
      LocalStencil    local;
      const Direction towards = _direction_to(cell, accepted);
      const Direction away    = Ijk::opposite_direction(towards);
      // The march offers a value to every neighbour of each cell it accepts, so the cell's
      // record of its accepted neighbours is complete once `accepted` joins it; the
      // neighbours not accepted, often not in cache yet, are not looked at.
      CellData &data = node_data(cell);
      data.accepted_neighbors |= static_cast<std::uint8_t>(1u << towards);
      // The direction away from the accepted cell takes part in no candidate.
      local.accepted = static_cast<std::uint8_t>(data.accepted_neighbors & ~(1u << away));
      for (unsigned int d = 0; d < Ijk::NUMBER_OF_DIRECTIONS; ++d)
      {
        if (!has(local.accepted, static_cast<Direction>(d)))
          continue;
        const unsigned int neighbor = _neighbor_cell(cell, static_cast<Direction>(d));
        const std::uint8_t bit      = static_cast<std::uint8_t>(1u << d);
        const double tau = value(neighbor);
        local.tau[d]     = tau;
        if (tau == INFINITE_VALUE)
        {
          local.infinite |= bit;
          continue;
        }
        const double coefficient = _get_face_coefficient(cell, neighbor, static_cast<Direction>(d));
        local.coefficient[d]     = coefficient;
        if (coefficient >= INFINITE_VALUE)
          local.open |= bit;
        if (coefficient != 0.0)
        {
          local.weighted |= bit;
          local.terms[d].set(coefficient, tau);
        }
      }
      if (_second_order)
        for (LocalStencil::SecondOrderSide &side : local.second)
          side.stencil = LocalStencil::SecondOrderSide::UNKNOWN;

      // A cross dimension with neither sense accepted adds nothing to a solve, so the
      // candidates that differ only in its sense give the same value: each is solved once.
      const CandidateDirections &candidates     = CANDIDATE_DIRECTIONS[towards];
      const bool                 second_matters = local.accepted & candidates.second_senses;
      const bool                 third_matters  = local.accepted & candidates.third_senses;
      const bool repeated[4] = {false, !second_matters, !third_matters, !second_matters || !third_matters};
      out = INFINITE_VALUE;
      bool first = true;
      for (int c = 0; c < 4; ++c)
      {
        if (repeated[c])
          continue;
        const Direction *const cross = candidates.cross[c];
        const double value = _second_order
                               ? _local_solve3_second_order(cell, local, towards, cross[0], cross[1])
                               : _local_solve3(local, towards, cross[0], cross[1]);
        if (first || value < out)
          out = value;
        first = false;
      }
    }

    void CornerPointGridSolver::set_initial_total_compressibility(const double compressibility)
    {
      _initial_total_compressibility = compressibility;
    }

    double CornerPointGridSolver::get_initial_total_compressibility() const
    {
      return _initial_total_compressibility;
    }

    void CornerPointGridSolver::set_initial_viscosity(const double viscosity)
    {
      _initial_viscosity = viscosity;
    }

    double CornerPointGridSolver::get_initial_viscosity() const
    {
      return _initial_viscosity;
    }

    void CornerPointGridSolver::add_initial_value_at(const IjkIndex &ijk, const double value)
    {
      ORR_ASSERT(_grid, ExcNullPointer());
      add_initial_value(_grid->get_icell(ijk), value);
    }

    void CornerPointGridSolver::add_cell_initial_value(const unsigned int cell, const IjkIndex & /*ijk*/,
                                                       const double value)
    {
      add_initial_value(cell, value);
    }

    const std::vector<double> &CornerPointGridSolver::get_tau_list() const
    {
      return _records.tau_list();
    }

    const std::vector<double> &CornerPointGridSolver::get_pore_volume_list() const
    {
      return _records.pore_volume_list();
    }

    const std::vector<double> &CornerPointGridSolver::get_bulk_volume_list() const
    {
      return _records.bulk_volume_list();
    }

    std::vector<double> CornerPointGridSolver::get_cell_tau() const
    {
      return _records.cell_tau();
    }

    void CornerPointGridSolver::write_tau_solutions(const std::string &path) const
    {
      write_tau_table(_records, path);
    }

    void CornerPointGridSolver::write_tau_and_time(const std::string &tau_path,
                                                   const std::string &time_path) const
    {
      ORR_ASSERT(_grid, ExcNullPointer());
      write_tau_and_time_grids(_records, _grid->space_dimension(), tau_path, time_path);
    }

    void CornerPointGridSolver::write_raw_tau(const std::string &path) const
    {
      write_raw_tau_grid(_records, path);
    }

    void CornerPointGridSolver::attach_grid(std::shared_ptr<CornerPointGrid> grid, const int &unit_type)
    {
      _grid      = std::move(grid);
      _unit_type = unit_type;
      _extract_grid_properties();
    }

    void CornerPointGridSolver::_extract_grid_properties()
    {
      ORR_ASSERT(_grid, ExcNullPointer());
      const std::shared_ptr<Properties> properties = _grid->cell_properties();

      // The first record missing is the one named.
      const std::pair<const char *, DataGetter<double> *> records[] = {
        {"PERMX   ", &_perm_x}, {"PERMY   ", &_perm_y}, {"PERMZ   ", &_perm_z}, {"PORO    ", &_porosity},
        {"DX      ", &_size_x}, {"DY      ", &_size_y}, {"DZ      ", &_size_z}};
      for (const auto &record : records)
      {
        const std::shared_ptr<DataRecordBase> values = properties->get(record.first);
        ORR_ASSERT_THROW(values, ExcIncompleteData(record.first));
        record.second->set(values);
      }
    }

    bool CornerPointGridSolver::_is_per_active_cell(const DataGetter<double> &record) const
    {
      const unsigned int size = record.size();
      if (size == _grid->number_of_cells())
        return false;
      if (size == _grid->number_of_active_cells())
        return true;
      throw StandardExceptions::ExcDimensionMismatch2(static_cast<int>(size),
                                                      static_cast<int>(_grid->number_of_cells()),
                                                      static_cast<int>(_grid->number_of_active_cells()));
    }

    double CornerPointGridSolver::_get_cell_value(const DataGetter<double> &record, const unsigned int cell) const
    {
      return _get_cell_value(record, _is_per_active_cell(record), cell);
    }

    double CornerPointGridSolver::_get_cell_perm(const unsigned int cell, const Direction direction) const
    {
      switch (Ijk::get_dimension(direction))
      {
        case Ijk::DIM_I:
          return _get_cell_value(_perm_x, cell);
        case Ijk::DIM_J:
          return _get_cell_value(_perm_y, cell);
        case Ijk::DIM_K:
          return _get_cell_value(_perm_z, cell);
      }
      ORR_ASSERT(false, ExcInternalError());
      return 0.0;
    }

    double CornerPointGridSolver::_get_cell_porosity(const unsigned int cell) const
    {
      return _get_cell_value(_porosity, cell);
    }

    double CornerPointGridSolver::_get_cell_half_length(const unsigned int cell, const Direction direction) const
    {
      switch (direction)
      {
        case Ijk::I_PLUS:
        case Ijk::I_MINUS:
          return 0.5 * _size_x(cell);
        case Ijk::J_PLUS:
        case Ijk::J_MINUS:
          return 0.5 * _size_y(cell);
        case Ijk::K_PLUS:
        case Ijk::K_MINUS:
          return 0.5 * _size_z(cell);
        default:
          ORR_ASSERT(false, ExcInternalError());
          return 0.0;
      }
    }

    void CornerPointGridSolver::_check_fluid_is_defined() const
    {
      if (_initial_total_compressibility >= INFINITE_VALUE || _initial_viscosity >= INFINITE_VALUE)
        throw InputError("Error: Initial total compressibility or viscosity is not defined!\n");
    }

    double CornerPointGridSolver::_get_cell_storage(const double porosity) const
    {
      return porosity * _initial_viscosity * _initial_total_compressibility;
    }

    void CornerPointGridSolver::_fill_cell_data()
    {
      const unsigned int cells = number_of_nodes();
      _neighbor_offsets        = _grid->get_neighbor_offsets();
      // The cells diagonal to a cell in each plane of two directions are the side
      // neighbours of two of its neighbours.
      static constexpr Direction diagonals[NUMBER_OF_DIAGONALS][2] = {
        {Ijk::K_MINUS, Ijk::J_MINUS}, {Ijk::K_MINUS, Ijk::I_PLUS},  {Ijk::K_MINUS, Ijk::J_PLUS},
        {Ijk::K_MINUS, Ijk::I_MINUS}, {Ijk::J_MINUS, Ijk::I_PLUS},  {Ijk::J_MINUS, Ijk::I_MINUS},
        {Ijk::J_MINUS, Ijk::K_PLUS},  {Ijk::I_PLUS, Ijk::J_PLUS},   {Ijk::I_PLUS, Ijk::K_PLUS},
        {Ijk::J_PLUS, Ijk::I_MINUS},  {Ijk::J_PLUS, Ijk::K_PLUS},   {Ijk::I_MINUS, Ijk::K_PLUS}};
      for (unsigned int d = 0; d < Ijk::NUMBER_OF_DIRECTIONS; ++d)
        _look_ahead_offsets[d] = _neighbor_offsets[d];
      for (unsigned int p = 0; p < NUMBER_OF_DIAGONALS; ++p)
        _look_ahead_offsets[Ijk::NUMBER_OF_DIRECTIONS + p] =
          _neighbor_offsets[diagonals[p][0]] + _neighbor_offsets[diagonals[p][1]];
      if (cells == 0)
        return;
      // The checks in the order of the first cell's reads; the record-length rule is
      // settled once per record.
      _check_fluid_is_defined();
      const bool                      porosity_per_active = _is_per_active_cell(_porosity);
      const DataGetter<double> *const perm_records[Ijk::NUMBER_OF_DIMENSIONS] = {&_perm_x, &_perm_y, &_perm_z};
      bool                            perm_per_active[Ijk::NUMBER_OF_DIMENSIONS];
      for (unsigned int dimension = 0; dimension < Ijk::NUMBER_OF_DIMENSIONS; ++dimension)
        perm_per_active[dimension] = _is_per_active_cell(*perm_records[dimension]);

      for (unsigned int cell = 0; cell < cells; ++cell)
      {
        CellData &data = node_data(cell);
        const std::array<unsigned int, Ijk::NUMBER_OF_DIRECTIONS> neighbors = _grid->get_neighbor_cells(cell);
        data.missing_neighbors  = 0;
        data.accepted_neighbors = 0;
        for (unsigned int d = 0; d < Ijk::NUMBER_OF_DIRECTIONS; ++d)
          if (neighbors[d] == Ijk::INVALID_INDEX)
            data.missing_neighbors |= static_cast<std::uint8_t>(1u << d);
        const double porosity = _get_cell_value(_porosity, porosity_per_active, cell);
        const double storage  = _get_cell_storage(porosity);
        const double size[Ijk::NUMBER_OF_DIMENSIONS] = {_size_x(cell), _size_y(cell), _size_z(cell)};
        for (unsigned int dimension = 0; dimension < Ijk::NUMBER_OF_DIMENSIONS; ++dimension)
        {
          const double perm        = _get_cell_value(*perm_records[dimension], perm_per_active[dimension], cell);
          const double half_length = 0.5 * size[dimension];
          data.half_travel_time[dimension] = (perm <= CLOSED_PERMEABILITY || storage == 0.0)
                                               ? CLOSED
                                               : half_length / std::sqrt(perm / storage);
          data.zero_length[dimension]      = half_length == 0.0;
        }
        const double bulk_volume = size[0] * size[1] * size[2];
        _records.keep_volumes(cell, porosity * bulk_volume, bulk_volume);
      }
    }

    Direction CornerPointGridSolver::_direction_to(const unsigned int cell, const unsigned int other) const
    {
      for (const Direction d : {Ijk::I_MINUS, Ijk::I_PLUS, Ijk::J_MINUS, Ijk::J_PLUS, Ijk::K_MINUS, Ijk::K_PLUS})
        if (_neighbor_cell(cell, d) == other)
          return d;
      throw StandardExceptions::ExcInternalError();
    }

    double CornerPointGridSolver::_get_face_coefficient(const unsigned int cell, const unsigned int neighbor,
                                                        const Direction direction) const
    {
      const Ijk::Dimension dimension = Ijk::get_dimension(direction);
      const CellData      &here      = node_data(cell);
      const CellData      &there     = node_data(neighbor);
      const double         t_here    = here.half_travel_time[dimension];
      const double         t_there   = there.half_travel_time[dimension];
      if (t_here == CLOSED || t_there == CLOSED)
        return 0.0;
      if (here.zero_length[dimension] && there.zero_length[dimension])
        return INFINITE_VALUE;
      return 1.0 / (t_there + t_here);
    }

    CornerPointGridSolver::SecondOrderFace
    CornerPointGridSolver::_get_face_coefficient_second_order(const unsigned int cell, const unsigned int first,
                                                              const unsigned int second, const Direction direction) const
    {
      SecondOrderFace      face{0.0, 0.0, 0.0};
      const Ijk::Dimension dimension = Ijk::get_dimension(direction);
      const CellData      &data0     = node_data(cell);
      const CellData      &data1     = node_data(first);
      const CellData      &data2     = node_data(second);
      const double         t0        = data0.half_travel_time[dimension];
      const double         t1        = data1.half_travel_time[dimension];
      const double         t2        = data2.half_travel_time[dimension];
      if (t0 == CLOSED || t1 == CLOSED || t2 == CLOSED)
        return face;

      // Travel times cell -> first and first -> second (the half lengths along a dimension
      // are the same towards both sides of a cell).
      const double d1     = t0 + t1;
      const double d2     = t2 + t1;
      face.first_spacing  = d1;
      face.second_spacing = d2;
      if ((data0.zero_length[dimension] && data1.zero_length[dimension]) ||
          (data1.zero_length[dimension] && data2.zero_length[dimension]))
      {
        face.coefficient = INFINITE_VALUE;
        return face;
      }
      // Centre weight of the one-sided three-point derivative on spacings d1, d2
      // (3 / (2h) for d1 = d2 = h).
      face.coefficient = (2.0 * d1 * d2 + d2 * d2) / ((d1 + d2) * d1 * d2);
      return face;
    }

    double CornerPointGridSolver::_local_solve3(const LocalStencil &local, const Direction d1,
                                                const Direction d2, const Direction d3) const
    {
      const Direction    directions[3] = {d1, d2, d3};
      const unsigned int candidate     = (1u << d1) | (1u << d2) | (1u << d3);
      if (local.infinite & candidate)
        return INFINITE_VALUE;
      // A face of zero length on both sides passes the neighbour's value on unchanged.
      if (local.open & candidate)
      {
        double through_open_face = INFINITE_VALUE;
        for (const Direction d : directions)
          if (has(local.open, d))
            through_open_face = std::min(through_open_face, local.tau[d]);
        if (through_open_face < INFINITE_VALUE)
          return through_open_face;
      }
      if (!(local.weighted & candidate))
        return INFINITE_VALUE;

      // The candidates share directions, so each direction's terms were formed once; a
      // direction without an accepted neighbour adds nothing (its weight is 0).
      Quadratic quadratic;
      for (const Direction d : directions)
        if (has(local.weighted, d))
          quadratic.add(local.terms[d]);
      // Where the directions' coefficients differ by orders of magnitude (a thin layer beside
      // wide cells) the quadratic can lose its real root, to rounding or because the upwind
      // values lie further apart than a face's travel time; the front then arrives through
      // the single face that brings it first.
      const double discriminant = quadratic.discriminant();
      if (discriminant < 0.0)
      {
        double through_one_face = INFINITE_VALUE;
        for (const Direction d : directions)
          if (has(local.weighted, d) && local.coefficient[d] > 0.0)
            through_one_face = std::min(through_one_face, local.tau[d] + 1.0 / local.coefficient[d]);
        return through_one_face;
      }
      return quadratic.larger_root(discriminant);
    }

    void CornerPointGridSolver::_prepare_second_order(const unsigned int cell, LocalStencil &local,
                                                      const Direction direction)
    {
      // The stencil needs two accepted upwind cells, the nearer one not earlier than the
      // farther one.
      LocalStencil::SecondOrderSide &side = local.second[direction];
      side.stencil                        = LocalStencil::SecondOrderSide::INCOMPLETE;
      if (!has(local.accepted, direction))
        return;
      const unsigned int near = _neighbor_cell(cell, direction);
      const unsigned int far  = _neighbor_cell(near, direction);
      if (far == Ijk::INVALID_INDEX || !is_accepted(far))
        return;
      if (!(value(near) >= value(far)))
        return;
      side.stencil = LocalStencil::SecondOrderSide::COMPLETE;
      side.face    = _get_face_coefficient_second_order(cell, near, far, direction);
      if (side.face.coefficient == 0.0)
        return;
      // The value the one-sided second-order difference extrapolates from the two cells.
      const double d1  = side.face.first_spacing;
      const double d2  = side.face.second_spacing;
      const double sum = d1 + d2;
      side.extrapolated = (sum * sum * value(near) - d1 * d1 * value(far)) / (d2 * (2.0 * d1 + d2));
    }

    double CornerPointGridSolver::_local_solve3_second_order(const unsigned int cell, LocalStencil &local,
                                                             const Direction d1, const Direction d2,
                                                             const Direction d3)
    {
      const Direction    directions[3] = {d1, d2, d3};
      const unsigned int dimensions    = _grid->space_dimension();
      if (dimensions < 1 || dimensions > 3)
        return _local_solve3(local, d1, d2, d3);

      // Directions beyond the grid's space dimension have no neighbour (the cross
      // directions of a plane or line grid step out of it), so only the first ones count.
      for (unsigned int i = 0; i < dimensions; ++i)
      {
        const LocalStencil::SecondOrderSide &side = local.second[directions[i]];
        if (side.stencil == LocalStencil::SecondOrderSide::UNKNOWN)
          _prepare_second_order(cell, local, directions[i]);
        if (side.stencil == LocalStencil::SecondOrderSide::INCOMPLETE)
          return _local_solve3(local, d1, d2, d3);
      }

      double    through_open_face = INFINITE_VALUE;
      bool      any_open          = false;
      Quadratic quadratic;
      for (unsigned int i = 0; i < dimensions; ++i)
      {
        const LocalStencil::SecondOrderSide &side = local.second[directions[i]];
        if (side.face.coefficient == 0.0)
          continue;
        // Two upwind cells of zero size leave no second spacing to extrapolate over
        // (0 / 0); the first-order update handles the zero-length faces.
        if (std::isnan(side.extrapolated))
          return _local_solve3(local, d1, d2, d3);
        if (side.extrapolated >= INFINITE_VALUE)
          return INFINITE_VALUE;
        if (side.face.coefficient >= INFINITE_VALUE)
          through_open_face = std::min(through_open_face, side.extrapolated);
        any_open = true;
        quadratic.add(side.face.coefficient, side.extrapolated);
      }
      if (through_open_face < INFINITE_VALUE)
        return through_open_face;
      if (!any_open)
        return INFINITE_VALUE;

      // Where the directions' weights differ a lot the second-order quadratic can have no
      // real root; the first-order update of the same directions always has one.
      const double discriminant = quadratic.discriminant();
      if (discriminant < 0.0)
        return _local_solve3(local, d1, d2, d3);
      return quadratic.larger_root(discriminant);
    }
  } // namespace quill
} // namespace orr
