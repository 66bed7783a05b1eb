#ifndef ORR_PROPERTIES_H
#define ORR_PROPERTIES_H

#include <map>
#include <memory>
#include <ostream>
#include <string>

#include "data_record.h"

namespace orr
{
  /**
   * Property records filed by name, one record per name, in ascending byte order of the
   * names. The container shares the records with whoever else holds them.
   */
  class Properties
  {
  public:
    using Records        = std::map<std::string, std::shared_ptr<DataRecordBase>>;
    using iterator       = Records::iterator;
    using const_iterator = Records::const_iterator;

    virtual ~Properties() = default;

    virtual const_iterator begin() const { return _records.begin(); }
    virtual iterator begin() { return _records.begin(); }
    virtual const_iterator end() const { return _records.end(); }
    virtual iterator end() { return _records.end(); }

    virtual bool empty() const { return _records.empty(); }
    virtual unsigned int size() const { return static_cast<unsigned int>(_records.size()); }

    /** Files `record` under `name`, replacing any record filed there before. */
    virtual void set(const std::string &name, const std::shared_ptr<DataRecordBase> &record);

    /** The record filed under `name`, or an empty pointer. */
    virtual std::shared_ptr<DataRecordBase> get(const std::string &name) const;

    /**
     * For every record in name order: "Name: <name>", newline, then the record's values
     * (write_values) when `with_values` is true, else its header line (write_header).
     */
    virtual void print(std::ostream &out, bool with_values) const;

  private:
    Records _records;
  };
} // namespace orr

#endif
