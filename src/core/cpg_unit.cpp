#include "cpg_unit.h"

namespace orr
{
  CpgUnit::CpgUnit(const std::string &name, const std::shared_ptr<CornerPointGrid> &grid)
    : _name(name)
    , _grid(grid)
    , _parent(-1)
    , _unit_properties(std::make_shared<Properties>())
    , _unit_dynamic_properties(std::make_shared<DynamicProperties>())
  {}

  void CpgUnit::set_name(const std::string &name)
  {
    _name = name;
  }

  std::string CpgUnit::get_name() const
  {
    return _name;
  }

  void CpgUnit::set_grid(const std::shared_ptr<CornerPointGrid> &grid)
  {
    _grid = grid;
  }

  std::shared_ptr<CornerPointGrid> CpgUnit::get_grid() const
  {
    return _grid;
  }

  void CpgUnit::set_parent(int parent, const std::vector<unsigned int> &cell_map)
  {
    _parent          = parent;
    _parent_cell_map = cell_map;
  }

  int CpgUnit::get_parent() const
  {
    return _parent;
  }

  unsigned int CpgUnit::get_parent_icell(unsigned int cell) const
  {
    ORR_ASSERT(cell < _parent_cell_map.size(), ExcIndexRange(cell, 0, _parent_cell_map.size()-1));
    return _parent_cell_map[cell];
  }

  void CpgUnit::add_child(unsigned int child, const std::vector<unsigned int> &region)
  {
    _children.push_back(child);
    _child_regions.push_back(region);
  }

  bool CpgUnit::has_children() const
  {
    return !_children.empty();
  }

  unsigned int CpgUnit::number_of_children() const
  {
    return static_cast<unsigned int>(_children.size());
  }

  std::shared_ptr<Properties> CpgUnit::unit_properties() const
  {
    return _unit_properties;
  }

  std::shared_ptr<DynamicProperties> CpgUnit::unit_dynamic_properties() const
  {
    return _unit_dynamic_properties;
  }
} // namespace orr
