#ifndef ORR_CPG_SYSTEM_H
#define ORR_CPG_SYSTEM_H

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cpg_unit.h"
#include "dynamic_properties.h"
#include "grid_corner_point.h"
#include "ijk.h"
#include "properties.h"

namespace orr
{
  /**
   * The corner-point grids of one model, each in a named unit, with the model's unit
   * settings and shared property containers. Cells of all units together are numbered
   * unit by unit (global cell numbers).
   *
   * A run uses one unit, "GLOBAL  ":
   *   auto system = std::make_shared<orr::CpgSystem>();
   *   system->set_length_unit("FEET");
   *   system->set_unit_type(orr::CpgSystem::UNIT_TYPE_FIELD);
   *   system->add_unit("GLOBAL  ", std::make_shared<orr::CornerPointGrid>());
   *   auto grid = system->get_unit_grid("GLOBAL  ");
   */
  class CpgSystem
  {
  public:
    /** Unit type codes. */
    static constexpr int UNIT_TYPE_METRIC = 1;
    static constexpr int UNIT_TYPE_FIELD  = 2;

    CpgSystem();
    virtual ~CpgSystem() = default;

    virtual void set_length_unit(const std::string &label);
    virtual std::string get_length_unit() const;

    /** 1 = METRIC, 2 = FIELD. */
    virtual void set_unit_type(const int &unit_type);
    virtual int get_unit_type() const;

    virtual unsigned int number_of_units() const;

    /** The unit at `index` (check and report on the index). */
    virtual std::shared_ptr<CpgUnit> get_unit(unsigned int index) const;

    /** The first unit named `name`, or an empty pointer. */
    virtual std::shared_ptr<CpgUnit> get_unit(const std::string &name) const;

    virtual std::shared_ptr<CornerPointGrid> get_unit_grid(unsigned int index) const;

    /** The grid of the unit named `name`, or an empty pointer. */
    virtual std::shared_ptr<CornerPointGrid> get_unit_grid(const std::string &name) const;

    /** Appends a new unit; its index is the number of units before it. */
    virtual void add_unit(const std::string &name, const std::shared_ptr<CornerPointGrid> &grid);

    /** Global number of `cell` of `unit`: the cell plus the cells of all units before it. */
    virtual unsigned int get_global_icell(unsigned int unit, unsigned int cell) const;

    /**
     * The unit and local cell of a global cell number; the number must be below the
     * system's total cell count (check and report).
     */
    virtual void get_local_icell(unsigned int global, unsigned int &unit, unsigned int &cell) const;

    /**
     * Makes unit `child` a refinement of unit `parent`: `cell_map` gives, per child cell,
     * the parent cell containing it; `region` lists the parent cells that the child refines.
     */
    virtual void set_parent_unit(unsigned int child, unsigned int parent,
                                 const std::vector<unsigned int> &cell_map,
                                 const std::vector<unsigned int> &region);

    /** The cell of the top unit (one without parent) that contains `cell` of `unit`. */
    virtual unsigned int get_top_icell(unsigned int unit, unsigned int cell) const;

    /**
     * True when the face of `cell` of `unit` in `direction` lies on the boundary of the
     * whole system: on the boundary of its unit's grid and, through the cell maps, of every
     * ancestor's grid.
     */
    virtual bool is_system_boundary_face(Ijk::Direction direction, unsigned int cell,
                                         unsigned int unit) const;

    virtual std::shared_ptr<Properties> system_properties() const;
    virtual std::shared_ptr<DynamicProperties> system_dynamic_properties() const;

    /** Stores copies of the connected cell lists of units `a` and `b`. */
    virtual void add_unit_connection(unsigned int a, unsigned int b,
                                     const std::vector<unsigned int> &cells_a,
                                     const std::vector<unsigned int> &cells_b);

    /**
     * Copies out the connected cell lists of (a, b); false, lists untouched, when the pair
     * was never stored.
     */
    virtual bool get_unit_connection(unsigned int a, unsigned int b,
                                     std::vector<unsigned int> &cells_a,
                                     std::vector<unsigned int> &cells_b) const;

    /** Properties of the unit pair (a, b), created empty on first request. */
    virtual std::shared_ptr<DynamicProperties> unit_pair_properties(unsigned int a, unsigned int b);

    /** Properties of the connections of the unit pair (a, b), created empty on first request. */
    virtual std::shared_ptr<DynamicProperties> unit_pair_connection_properties(unsigned int a,
                                                                               unsigned int b);

  private:
    using UnitPair = std::pair<unsigned int, unsigned int>;
    using PairProperties = std::map<UnitPair, std::shared_ptr<DynamicProperties>>;

    void _check_unit(unsigned int unit) const;
    static std::shared_ptr<DynamicProperties> _pair_entry(PairProperties &map, const UnitPair &pair);

    std::string                                  _length_unit;
    int                                          _unit_type;
    std::vector<std::shared_ptr<CpgUnit>>        _units;
    std::map<UnitPair, std::pair<std::vector<unsigned int>, std::vector<unsigned int>>>
                                                 _unit_connections;
    PairProperties                               _unit_pair_properties;
    PairProperties                               _unit_pair_connection_properties;
    std::shared_ptr<Properties>                  _system_properties;
    std::shared_ptr<DynamicProperties>           _system_dynamic_properties;
  };
} // namespace orr

#endif
