#include "cpg_system.h"

namespace orr
{
  CpgSystem::CpgSystem()
    : _unit_type(0)
    , _system_properties(std::make_shared<Properties>())
    , _system_dynamic_properties(std::make_shared<DynamicProperties>())
  {}

  void CpgSystem::set_length_unit(const std::string &label)
  {
    _length_unit = label;
  }

  std::string CpgSystem::get_length_unit() const
  {
    return _length_unit;
  }

  void CpgSystem::set_unit_type(const int &unit_type)
  {
    _unit_type = unit_type;
  }

  int CpgSystem::get_unit_type() const
  {
    return _unit_type;
  }

  unsigned int CpgSystem::number_of_units() const
  {
    return static_cast<unsigned int>(_units.size());
  }

  std::shared_ptr<CpgUnit> CpgSystem::get_unit(unsigned int index) const
  {
    _check_unit(index);
    return _units[index];
  }

  std::shared_ptr<CpgUnit> CpgSystem::get_unit(const std::string &name) const
  {
    for (const std::shared_ptr<CpgUnit> &unit : _units)
      if (unit->get_name() == name)
        return unit;
    return nullptr;
  }

  std::shared_ptr<CornerPointGrid> CpgSystem::get_unit_grid(unsigned int index) const
  {
    return get_unit(index)->get_grid();
  }

  std::shared_ptr<CornerPointGrid> CpgSystem::get_unit_grid(const std::string &name) const
  {
    const std::shared_ptr<CpgUnit> unit = get_unit(name);
    return unit ? unit->get_grid() : nullptr;
  }

  void CpgSystem::add_unit(const std::string &name, const std::shared_ptr<CornerPointGrid> &grid)
  {
    _units.push_back(std::make_shared<CpgUnit>(name, grid));
  }

  unsigned int CpgSystem::get_global_icell(unsigned int unit, unsigned int cell) const
  {
    _check_unit(unit);
    for (unsigned int before = 0; before < unit; ++before)
      cell += _units[before]->get_grid()->number_of_cells();
    return cell;
  }

  void CpgSystem::get_local_icell(unsigned int global, unsigned int &unit, unsigned int &cell) const
  {
    unsigned int u = 0, local = global;
    while (u < _units.size() && local >= _units[u]->get_grid()->number_of_cells())
      local -= _units[u++]->get_grid()->number_of_cells();
    ORR_ASSERT(u < _units.size(), ExcIndexRange(global, 0, global - local - 1));
    unit = u;
    cell = local;
  }

  void CpgSystem::set_parent_unit(unsigned int child, unsigned int parent,
                                  const std::vector<unsigned int> &cell_map,
                                  const std::vector<unsigned int> &region)
  {
    _check_unit(child);
    _check_unit(parent);
    _units[parent]->add_child(child, region);
    _units[child]->set_parent(static_cast<int>(parent), cell_map);
  }

  unsigned int CpgSystem::get_top_icell(unsigned int unit, unsigned int cell) const
  {
    _check_unit(unit);
    // Bounded by the number of units, so that a cycle of parents cannot hang the caller.
    for (std::size_t level = 0; _units[unit]->get_parent() >= 0; ++level)
    {
      ORR_ASSERT(level < _units.size(), ExcInternalError());
      cell = _units[unit]->get_parent_icell(cell);
      unit = static_cast<unsigned int>(_units[unit]->get_parent());
      _check_unit(unit);
    }
    return cell;
  }

  bool CpgSystem::is_system_boundary_face(Ijk::Direction direction, unsigned int cell,
                                          unsigned int unit) const
  {
    _check_unit(unit);
    for (std::size_t level = 0; _units[unit]->get_parent() >= 0; ++level)
    {
      ORR_ASSERT(level < _units.size(), ExcInternalError());
      if (!_units[unit]->get_grid()->is_boundary_face(cell, direction))
        return false;
      cell = _units[unit]->get_parent_icell(cell);
      unit = static_cast<unsigned int>(_units[unit]->get_parent());
      _check_unit(unit);
    }
    return _units[unit]->get_grid()->is_boundary_face(cell, direction);
  }

  std::shared_ptr<Properties> CpgSystem::system_properties() const
  {
    return _system_properties;
  }

  std::shared_ptr<DynamicProperties> CpgSystem::system_dynamic_properties() const
  {
    return _system_dynamic_properties;
  }

  void CpgSystem::add_unit_connection(unsigned int a, unsigned int b,
                                      const std::vector<unsigned int> &cells_a,
                                      const std::vector<unsigned int> &cells_b)
  {
    _unit_connections[UnitPair(a, b)] = std::make_pair(cells_a, cells_b);
  }

  bool CpgSystem::get_unit_connection(unsigned int a, unsigned int b,
                                      std::vector<unsigned int> &cells_a,
                                      std::vector<unsigned int> &cells_b) const
  {
    const auto found = _unit_connections.find(UnitPair(a, b));
    if (found == _unit_connections.end())
      return false;
    cells_a = found->second.first;
    cells_b = found->second.second;
    return true;
  }

  std::shared_ptr<DynamicProperties> CpgSystem::unit_pair_properties(unsigned int a, unsigned int b)
  {
    return _pair_entry(_unit_pair_properties, UnitPair(a, b));
  }

  std::shared_ptr<DynamicProperties> CpgSystem::unit_pair_connection_properties(unsigned int a,
                                                                                unsigned int b)
  {
    return _pair_entry(_unit_pair_connection_properties, UnitPair(a, b));
  }

  void CpgSystem::_check_unit(unsigned int unit) const
  {
    ORR_ASSERT(unit < _units.size(), ExcIndexRange(unit, 0, _units.size()-1));
  }

  std::shared_ptr<DynamicProperties> CpgSystem::_pair_entry(PairProperties &map,
                                                            const UnitPair &pair)
  {
    std::shared_ptr<DynamicProperties> &entry = map[pair];
    if (!entry)
      entry = std::make_shared<DynamicProperties>();
    return entry;
  }
} // namespace orr
