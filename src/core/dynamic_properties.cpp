#include "dynamic_properties.h"

#include <stdexcept>

namespace orr
{
  void DynamicProperties::clear()
  {
    _records.clear();
  }

  bool DynamicProperties::empty() const
  {
    return _records.empty();
  }

  unsigned int DynamicProperties::size() const
  {
    return static_cast<unsigned int>(_records.size());
  }

  bool DynamicProperties::contains(const std::string &name) const
  {
    return _records.count(name) != 0;
  }

  unsigned int DynamicProperties::count(const std::string &name) const
  {
    const auto found = _records.find(name);
    return found == _records.end() ? 0 : static_cast<unsigned int>(found->second.size());
  }

  void DynamicProperties::add_name(const std::string &name)
  {
    _records.emplace(name, Series());
  }

  unsigned int DynamicProperties::erase(const std::string &name)
  {
    return static_cast<unsigned int>(_records.erase(name));
  }

  void DynamicProperties::clear_series(const std::string &name)
  {
    const auto found = _records.find(name);
    if (found != _records.end())
      found->second.clear();
  }

  bool DynamicProperties::series_empty(const std::string &name) const
  {
    const auto found = _records.find(name);
    return found != _records.end() && found->second.empty();
  }

  void DynamicProperties::append(const std::string &name,
                                 const std::shared_ptr<DataRecordBase> &record)
  {
    _records[name].push_back(record);
  }

  std::shared_ptr<DataRecordBase> DynamicProperties::pop_last(const std::string &name)
  {
    const auto found = _records.find(name);
    if (found == _records.end() || found->second.empty())
      return nullptr;
    std::shared_ptr<DataRecordBase> record = found->second.back();
    found->second.pop_back();
    return record;
  }

  std::shared_ptr<DataRecordBase> DynamicProperties::last(const std::string &name) const
  {
    const auto found = _records.find(name);
    if (found == _records.end() || found->second.empty())
      return nullptr;
    return found->second.back();
  }

  std::shared_ptr<DataRecordBase> DynamicProperties::at(const std::string &name,
                                                        unsigned int index) const
  {
    const auto found = _records.find(name);
    if (found == _records.end())
      return nullptr;
    if (index >= found->second.size())
      throw std::out_of_range("invalid vector<T> subscript");
    return found->second[index];
  }

  void DynamicProperties::append_all(const Properties &properties)
  {
    for (const auto &entry : properties)
      append(entry.first, entry.second);
  }

  void DynamicProperties::pop_into(Properties &properties)
  {
    for (auto &entry : properties)
      entry.second = pop_last(entry.first);
  }

  void DynamicProperties::copy_last_into(Properties &properties) const
  {
    for (auto &entry : properties)
      entry.second = last(entry.first);
  }
} // namespace orr
