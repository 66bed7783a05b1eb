#ifndef ORR_DYNAMIC_PROPERTIES_H
#define ORR_DYNAMIC_PROPERTIES_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "data_record.h"
#include "properties.h"

namespace orr
{
  /**
   * A series of property records per name (for instance one property at successive
   * times), names in ascending byte order. Look-ups of an absent name never create it.
   */
  class DynamicProperties
  {
  public:
    using Series = std::vector<std::shared_ptr<DataRecordBase>>;

    virtual ~DynamicProperties() = default;

    /** Removes all names. */
    virtual void clear();
    virtual bool empty() const;
    virtual unsigned int size() const;
    virtual bool contains(const std::string &name) const;

    /** Length of the name's series; 0 for an absent name. */
    virtual unsigned int count(const std::string &name) const;

    /** Creates an empty series for an absent name; nothing for a present one. */
    virtual void add_name(const std::string &name);

    /** Removes the name and its series; returns the number of names removed (0 or 1). */
    virtual unsigned int erase(const std::string &name);

    /** Empties the series of a present name; nothing for an absent one. */
    virtual void clear_series(const std::string &name);

    /** True only for a present name with an empty series. */
    virtual bool series_empty(const std::string &name) const;

    /** Appends `record` to the name's series, creating the name if absent. */
    virtual void append(const std::string &name, const std::shared_ptr<DataRecordBase> &record);

    /** Removes and returns the last record; empty pointer for an absent name or empty series. */
    virtual std::shared_ptr<DataRecordBase> pop_last(const std::string &name);

    /** The last record, left in place; empty pointer as for pop_last. */
    virtual std::shared_ptr<DataRecordBase> last(const std::string &name) const;

    /**
     * The record at `index` of the name's series; empty pointer for an absent name.
     * An index at or past the series length throws std::out_of_range.
     */
    virtual std::shared_ptr<DataRecordBase> at(const std::string &name, unsigned int index) const;

    /** Appends every record of `properties` to the series of its name. */
    virtual void append_all(const Properties &properties);

    /** For every name of `properties`: files there the record popped from this series. */
    virtual void pop_into(Properties &properties);

    /** For every name of `properties`: files there the last record of this series. */
    virtual void copy_last_into(Properties &properties) const;

  private:
    std::map<std::string, Series> _records;
  };
} // namespace orr

#endif
