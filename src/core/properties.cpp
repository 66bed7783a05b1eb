#include "properties.h"

namespace orr
{
  void Properties::set(const std::string &name, const std::shared_ptr<DataRecordBase> &record)
  {
    _records[name] = record;
  }

  std::shared_ptr<DataRecordBase> Properties::get(const std::string &name) const
  {
    const auto found = _records.find(name);
    return found == _records.end() ? nullptr : found->second;
  }

  void Properties::print(std::ostream &out, bool with_values) const
  {
    for (const auto &entry : _records)
    {
      out << "Name: " << entry.first << '\n';
      if (!entry.second)
        continue;
      if (with_values)
        entry.second->write_values(out);
      else
        entry.second->write_header(out);
    }
  }
} // namespace orr
