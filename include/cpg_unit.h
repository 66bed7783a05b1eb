#ifndef ORR_CPG_UNIT_H
#define ORR_CPG_UNIT_H

#include <memory>
#include <string>
#include <vector>

#include "dynamic_properties.h"
#include "grid_corner_point.h"
#include "properties.h"

namespace orr
{
  /**
   * One named corner-point grid of a system. A unit may refine cells of a parent unit:
   * then it knows its parent's index and, for each of its cells, the parent's cell; the
   * parent lists its children with the region of its cells each one refines.
   */
  class CpgUnit
  {
  public:
    /** A unit named `name` on `grid`, without parent or children. */
    CpgUnit(const std::string &name, const std::shared_ptr<CornerPointGrid> &grid);
    virtual ~CpgUnit() = default;

    virtual void set_name(const std::string &name);
    virtual std::string get_name() const;

    virtual void set_grid(const std::shared_ptr<CornerPointGrid> &grid);
    virtual std::shared_ptr<CornerPointGrid> get_grid() const;

    /** The parent's unit index and, per cell of this unit, the parent's cell number. */
    virtual void set_parent(int parent, const std::vector<unsigned int> &cell_map);

    /** The parent's unit index, -1 for a unit without parent. */
    virtual int get_parent() const;

    /** The parent's cell that contains `cell` of this unit (check and report on the index). */
    virtual unsigned int get_parent_icell(unsigned int cell) const;

    /** Lists unit `child` as refining the parent cells in `region`. */
    virtual void add_child(unsigned int child, const std::vector<unsigned int> &region);
    virtual bool has_children() const;
    virtual unsigned int number_of_children() const;

    virtual std::shared_ptr<Properties> unit_properties() const;
    virtual std::shared_ptr<DynamicProperties> unit_dynamic_properties() const;

  private:
    std::string                            _name;
    std::shared_ptr<CornerPointGrid>       _grid;
    int                                    _parent;
    std::vector<unsigned int>              _parent_cell_map;
    std::vector<std::vector<unsigned int>> _child_regions;
    std::vector<unsigned int>              _children;
    std::shared_ptr<Properties>            _unit_properties;
    std::shared_ptr<DynamicProperties>     _unit_dynamic_properties;
  };
} // namespace orr

#endif
