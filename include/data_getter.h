#ifndef ORR_DATA_GETTER_H
#define ORR_DATA_GETTER_H

#include <memory>
#include <typeinfo>

#include "data_record.h"
#include "exceptions.h"

namespace orr
{
  /**
   * A typed, non-owning view of one property record. The record must stay alive through
   * its owners (normally the container it was fetched from) while the getter is used.
   *
   * Usage:
   *   orr::DataGetter<double> poro;
   *   poro.set(grid->cell_properties()->get("PORO    "));   // throws on null or wrong type
   *   double phi = poro(cell);
   */
  template <typename DataType>
  class DataGetter
  {
  public:
    DataGetter()
      : _data(nullptr)
    {}

    /**
     * Binds the getter to `_raw_data`. Throws ExcNullPointer for an empty pointer and
     * ExcTypeMismatch (leaving the getter unbound) for a record of another value type.
     */
    void set(const std::shared_ptr<DataRecordBase> &_raw_data)
    {
      _data = nullptr;
      ORR_ASSERT_THROW(_raw_data, ExcNullPointer());
      _data = dynamic_cast<DataRecord<DataType> *>(_raw_data.get());
      ORR_ASSERT_THROW(_data, ExcTypeMismatch(typeid(DataRecord<DataType>).name(), typeid(_raw_data).name()));
    }

    bool is_set() const { return _data != nullptr; }

    /** Value `i` of the bound record (check and report for an unbound getter or bad index). */
    DataType operator()(unsigned int i) const
    {
      ORR_ASSERT(is_set(), ExcNullPointer());
      return _data->get_value(i);
    }

    unsigned int size() const
    {
      ORR_ASSERT(is_set(), ExcNullPointer());
      return _data->size();
    }

  private:
    DataRecord<DataType> *_data;
  };
} // namespace orr

#endif
