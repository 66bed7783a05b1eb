#ifndef ORR_QUILL_CORNER_POINT_GRID_SOLVER_H
#define ORR_QUILL_CORNER_POINT_GRID_SOLVER_H

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data_getter.h"
#include "grid_corner_point.h"
#include "ijk.h"
#include "infinite_value.h"
#include "solver_base.h"
#include "tau_records.h"

namespace orr
{
  namespace quill
  {
    /**
     * One direction's terms of the local update's quadratic: w^2, w^2 t and (w^2 t) t for
     * the face weight w and the upwind tau t.
     */
    struct QuadraticTerms
    {
      void set(const double weight, const double value)
      {
        a = weight * weight;
        b = a * value;
        q = b * value;
      }

      double a;
      double b;
      double q;
    };

    /**
     * What the local updates read of one cell, filled for all cells by `initialize` so that
     * they read it without checks, beside the cell's state and tau (see NarrowBand). It is
     * kept small, since every update reads it for up to seven cells and on large grids the
     * march waits on memory; the cell's volumes wait for its acceptance in its tau record.
     */
    struct CellData
    {
      /** Travel time entry of a side closed to flow (k <= 1e-7 mD or zero storage). */
      static constexpr double CLOSED_SIDE = -1.0;

      /**
       * Per dimension (I, J, K): half the cell's size over sqrt(k / (phi mu ct)), the
       * travel time from the centre to a face, in ft / sqrt(mD / (cp 1/psi)); or
       * CLOSED_SIDE.
       */
      std::array<double, Ijk::NUMBER_OF_DIMENSIONS> half_travel_time;
      /** Per dimension: whether the cell has no size along it. */
      std::array<bool, Ijk::NUMBER_OF_DIMENSIONS> zero_length;
      /** Bit d set: no face neighbour in direction d (the grid's edge). */
      std::uint8_t missing_neighbors;
      /**
       * Bit d set: the face neighbour in direction d was accepted. Kept by the local update,
       * which the march runs for every neighbour of each cell it accepts that is not accepted
       * itself, so it is complete up to the cell's own acceptance; not kept after it.
       */
      std::uint8_t accepted_neighbors;
    };

    /**
     * Fast marching of the diffusive time of flight tau on a corner-point grid.
     *
     * Solves sqrt(alpha) |grad tau| = 1 with the hydraulic diffusivity
     * alpha = k / (phi mu ct) from the seeded (completed) cells outward. Tau is raw: the
     * sum of length / sqrt(k / (phi mu ct)) in the deck's units (ft, mD, cp, 1/psi); the
     * conversion to sqrt(days) happens only in the grid result files.
     *
     * Each face between two cells carries the inverse travel time F through the two half
     * cells; a face with a permeability at or below 1e-7 mD, or a cell of zero storage, is
     * closed (F = 0); a face of zero length on both sides passes the value on unchanged
     * (F infinite). The local update of a cell combines up to three accepted neighbours
     * along perpendicular directions (first order, or the three-point one-sided second
     * order where two upwind cells are accepted).
     *
     * Use: the setters while the deck is read, `attach_grid`, `add_cell_initial_value` per
     * completion cell, `initialize`, `march`; then the result getters and writers.
     */
    class CornerPointGridSolver : public SolverBase<unsigned int, double, CellData>
    {
    public:
      /** The stop value is INFINITE_VALUE: the march ends after the first infinite acceptance. */
      CornerPointGridSolver();

      ~CornerPointGridSolver() override;

      /**
       * Base initialization, then empties the tau records, sizes them for the grid and reads
       * the cell properties the local updates need.
       * Throws orr::InputError when ct or mu was never given, ExcDimensionMismatch2 for a
       * property record of neither the cell nor the active-cell count.
       */
      void initialize() override;

      /**
       * The base march; then the records of the cells it did not reach are cleared. Call
       * `initialize` before each march.
       */
      void march() override;

      /** Number of grid cells. Precondition: a grid is attached. */
      unsigned int number_of_nodes() const override;

      /** Number of grid corners. Precondition: a grid is attached. */
      unsigned int number_of_secondary_nodes() const override;

      /**
       * Records tau and the drained volumes of the accepted cell (see TauRecords). A derived
       * class that overrides it must call it: the cell's record holds its own volumes until
       * then.
       */
      void callback_new_value_accepted(const unsigned int &cell, const double &tau) override;

      /**
       * The face neighbours of `cell`, inactive cells included, but for those accepted before
       * it (the march would pass over them); starts the loads of the next acceptances.
       */
      void get_neighbors(const unsigned int &cell, std::vector<unsigned int> &out) const override;

      /**
       * Tentative tau of `cell` after its neighbour `accepted` was accepted: the smallest of
       * the four local solves that pair the direction towards `accepted` with either sense of
       * the two cross directions. Adds `accepted` to the cell's accepted neighbours, which
       * the march thereby keeps complete: it calls this for every neighbour not accepted of
       * each cell it accepts. Precondition: `accepted` is accepted and a face neighbour.
       */
      void compute_value(const unsigned int &cell, const unsigned int &accepted, double &out) override;

      /** Initial total compressibility ct (1/psi); INFINITE_VALUE means not given. */
      virtual void set_initial_total_compressibility(double compressibility);
      virtual double get_initial_total_compressibility() const;

      /** Initial viscosity mu (cp); INFINITE_VALUE means not given. */
      virtual void set_initial_viscosity(double viscosity);
      virtual double get_initial_viscosity() const;

      /** Seeds the cell at (0-based) `ijk` with `value`. Precondition: a grid is attached. */
      virtual void add_initial_value_at(const IjkIndex &ijk, double value);

      /** Seeds `cell` with `value`; `ijk` (the cell's position) is informative only. */
      virtual void add_cell_initial_value(unsigned int cell, const IjkIndex &ijk, double value);

      /** The tau records, in FIELD units (see TauRecords); the cell tau is a copy. */
      virtual const std::vector<double> &get_tau_list() const;
      virtual const std::vector<double> &get_pore_volume_list() const;
      virtual const std::vector<double> &get_bulk_volume_list() const;
      virtual std::vector<double>        get_cell_tau() const;

      /**
       * Writes the tau table (see tau_result_files.h).
       * Throws ExcFileNotOpen with `path` when the file cannot be created.
       */
      virtual void write_tau_solutions(const std::string &path) const;

      /**
       * Writes the tau grid file (sqrt(days)) and the arrival-time grid file (days).
       * Throws ExcFileNotOpen naming the file that cannot be created.
       */
      virtual void write_tau_and_time(const std::string &tau_path, const std::string &time_path) const;

      /** Writes the raw tau of every cell. Throws ExcFileNotOpen with `path` on failure. */
      virtual void write_raw_tau(const std::string &path) const;

      /**
       * Binds the solver to `grid` and its property records ("PERMX   ", "PERMY   ",
       * "PERMZ   ", "PORO    ", "DX      ", "DY      ", "DZ      " of `cell_properties`).
       * `unit_type` is UNIT_TYPE_FIELD or UNIT_TYPE_METRIC (checked at the first record).
       * Throws ExcIncompleteData naming the first missing record, ExcTypeMismatch for a
       * record that does not hold doubles.
       */
      void attach_grid(std::shared_ptr<CornerPointGrid> grid, const int &unit_type);

      /**
       * Permeability (mD) of `cell` along the dimension of `direction`. The record is read
       * at the cell index if it has one value per cell, else at the active index if it has
       * one per active cell; any other length throws ExcDimensionMismatch2.
       */
      double _get_cell_perm(unsigned int cell, Ijk::Direction direction) const;

      /** Porosity of `cell`, by the same record-length rule as `_get_cell_perm`. */
      double _get_cell_porosity(unsigned int cell) const;

      /** Half the cell's size (ft) along the dimension of `direction` (DX, DY or DZ). */
      double _get_cell_half_length(unsigned int cell, Ijk::Direction direction) const;

    protected:
      /** Looks up and binds the seven property records of the attached grid. */
      virtual void _extract_grid_properties();

    private:
      /** Inverse travel time through the face and the spacings of a second-order stencil. */
      struct SecondOrderFace
      {
        double coefficient;
        double first_spacing;
        double second_spacing;
      };

      /**
       * What a local update of one cell knows about its six directions, indexed by
       * direction; bit d of a mask stands for direction d. Only what the update reads is set
       * (it runs for every neighbour of every accepted cell): `tau` only for an accepted
       * neighbour, `coefficient` only where that tau is finite, `terms` only for a weighted
       * face, `second` only where the update is of second order.
       */
      struct LocalStencil
      {
        /** Second order: whether two upwind cells are usable, their stencil and extrapolated tau. */
        struct SecondOrderSide
        {
          enum Stencil
          {
            UNKNOWN,
            INCOMPLETE,
            COMPLETE
          };

          Stencil         stencil;
          SecondOrderFace face;
          double          extrapolated;
        };

        /** Accepted neighbours; the direction away from the cell accepted last is left out. */
        std::uint8_t accepted = 0;
        /** Accepted neighbours of infinite tau. */
        std::uint8_t infinite = 0;
        /** Faces of infinite coefficient (zero length on both sides). */
        std::uint8_t open = 0;
        /** Faces towards an accepted neighbour of finite tau with a coefficient other than 0. */
        std::uint8_t weighted = 0;
        /** Tau of each accepted neighbour and the face coefficient towards it. */
        std::array<double, Ijk::NUMBER_OF_DIRECTIONS>         tau;
        std::array<double, Ijk::NUMBER_OF_DIRECTIONS>         coefficient;
        std::array<QuadraticTerms, Ijk::NUMBER_OF_DIRECTIONS> terms;
        std::array<SecondOrderSide, Ijk::NUMBER_OF_DIRECTIONS> second;
      };

      /**
       * The record-length rule: false for a record of one value per cell, true for one per
       * active cell; any other length throws ExcDimensionMismatch2.
       */
      bool _is_per_active_cell(const DataGetter<double> &record) const;

      /** Reads `record` at `cell`, indexed by active cell where `per_active_cell`. */
      double _get_cell_value(const DataGetter<double> &record, bool per_active_cell, unsigned int cell) const
      {
        return record(per_active_cell ? _grid->get_active_icell(cell) : cell);
      }

      /** Reads `record` at `cell` by the record-length rule. */
      double _get_cell_value(const DataGetter<double> &record, unsigned int cell) const;

      /** Throws orr::InputError when ct or mu was never given. */
      void _check_fluid_is_defined() const;

      /** phi mu ct of a cell of `porosity`. Precondition: `_check_fluid_is_defined` passed. */
      double _get_cell_storage(double porosity) const;

      /**
       * Fills the cell data from the property records. Throws what the record reads throw
       * (ExcDimensionMismatch2) and orr::InputError when ct or mu was never given.
       */
      void _fill_cell_data();

      /**
       * The face neighbour of `cell` in `direction`, or Ijk::INVALID_INDEX, as the grid gives
       * it; from the cell's edge bits and the grid's index offsets, without dividing.
       */
      unsigned int _neighbor_cell(const unsigned int cell, const Ijk::Direction direction) const
      {
        if ((node_data(cell).missing_neighbors >> direction) & 1u)
          return Ijk::INVALID_INDEX;
        return static_cast<unsigned int>(static_cast<std::int64_t>(cell) + _neighbor_offsets[direction]);
      }

      /**
       * The direction from `cell` to its face neighbour `other`, searched in the grid's order.
       * Cells that are not face neighbours are an internal error (ExcInternalError).
       */
      Ijk::Direction _direction_to(unsigned int cell, unsigned int other) const;

      /** Inverse travel time between the centres of `cell` and its `neighbor` in `direction`. */
      double _get_face_coefficient(unsigned int cell, unsigned int neighbor, Ijk::Direction direction) const;

      /**
       * Centre weight and spacings of the three-point stencil from `cell` over `first` and
       * `second`, its next two cells in `direction`.
       */
      SecondOrderFace _get_face_coefficient_second_order(unsigned int cell, unsigned int first,
                                                         unsigned int second, Ijk::Direction direction) const;

      /** First-order update from the accepted neighbours along d1, d2, d3. */
      double _local_solve3(const LocalStencil &local, Ijk::Direction d1, Ijk::Direction d2,
                           Ijk::Direction d3) const;

      /** Fills the second-order side of `local` in `direction` from `cell`. */
      void _prepare_second_order(unsigned int cell, LocalStencil &local, Ijk::Direction direction);

      /**
       * Second-order update along d1, d2, d3; falls back to `_local_solve3` where the
       * stencil is incomplete or degenerate or its quadratic has no real root.
       */
      double _local_solve3_second_order(unsigned int cell, LocalStencil &local, Ijk::Direction d1,
                                        Ijk::Direction d2, Ijk::Direction d3);

      std::shared_ptr<CornerPointGrid> _grid;
      int                              _unit_type = UNIT_TYPE_FIELD;
      double                           _initial_total_compressibility = INFINITE_VALUE;
      double                           _initial_viscosity = INFINITE_VALUE;

      DataGetter<double> _porosity;
      DataGetter<double> _perm_x;
      DataGetter<double> _perm_y;
      DataGetter<double> _perm_z;
      DataGetter<double> _size_x;
      DataGetter<double> _size_y;
      DataGetter<double> _size_z;

      /** The attached grid's get_neighbor_offsets, taken by `initialize`. */
      std::array<std::int64_t, Ijk::NUMBER_OF_DIRECTIONS> _neighbor_offsets{};

      /** The cells diagonal to a cell in its three planes of two dimensions. */
      static constexpr unsigned int NUMBER_OF_DIAGONALS = 12;

      /**
       * The index offsets from a cell to its six face neighbours and its diagonals, the
       * cells an update of its neighbours reads; formed by `initialize` for the look-ahead
       * loads of `get_neighbors`.
       */
      std::array<std::int64_t, Ijk::NUMBER_OF_DIRECTIONS + NUMBER_OF_DIAGONALS> _look_ahead_offsets{};

      TauRecords _records;

      /** Cells accepted since `initialize`. */
      unsigned int _accepted_cells = 0;

      /** The cells `get_neighbors` expected to be accepted next and started the loads for; a hint only. */
      mutable std::array<unsigned int, 2> _expected = {Ijk::INVALID_INDEX, Ijk::INVALID_INDEX};
    };
  } // namespace quill
} // namespace orr

#endif
