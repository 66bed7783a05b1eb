#ifndef ORR_DATA_RECORD_H
#define ORR_DATA_RECORD_H

#include <cstdint>
#include <limits>
#include <memory>
#include <ostream>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

#include <boost/any.hpp>

#include "exceptions.h"

namespace orr
{
  /** The value that stands for "not given" in a record of doubles (not the largest double). */
  constexpr double UNDEFINED_DOUBLE = 1.79769e+308;

  /**
   * A named array of values, one per cell (or corner), of a value type that the holder
   * need not know. Records are always held through std::shared_ptr; a container and the
   * code that filled it share one record.
   *
   * Names are compared byte by byte; the system's names are blank-padded to 8 characters
   * ("PORO    ", "PERMX   ", ...).
   */
  class DataRecordBase
  {
  public:
    virtual ~DataRecordBase() = default;

    /** A new record of the same type and name holding a copy of all values. */
    virtual std::shared_ptr<DataRecordBase> clone() const = 0;

    /** A new record of the same type and name without values. */
    virtual std::shared_ptr<DataRecordBase> clone_empty() const = 0;

    virtual const std::string &get_name() const = 0;
    virtual void set_name(const std::string &name) = 0;

    virtual bool empty() const = 0;
    virtual unsigned int size() const = 0;

    /** Makes room for at least `n` values; the values and the size stay as they are. */
    virtual void reserve(unsigned int n) = 0;
    virtual void clear() = 0;

    /** Value `i` wrapped in boost::any; `i` must be below size() (check and report). */
    virtual boost::any get_any(unsigned int i) const = 0;

    /** Appends the value held in `value`; boost::bad_any_cast when it is of another type. */
    virtual void push_back_any(const boost::any &value) = 0;

    /** Appends the undefined value of the record's type. */
    virtual void push_back_undefined() = 0;

    /** "INTE", "REAL", "DOUB", "CHAR" or "LOGI"; the compiler's type name for other types. */
    virtual std::string type_name() const = 0;

    /** "<name> <type tag> <size>", newline. */
    virtual void write_header(std::ostream &out) const = 0;

    /** The header line, then every value followed by one blank, then a newline. */
    virtual void write_values(std::ostream &out) const = 0;
  };

  /** Type tags and undefined values of the record value types. */
  template <typename DataType>
  struct DataRecordTraits
  {
    static std::string type_name() { return typeid(DataType).name(); }
    static DataType undefined() { return DataType(); }
  };

  template <>
  struct DataRecordTraits<double>
  {
    static std::string type_name() { return "DOUB"; }
    static double undefined() { return UNDEFINED_DOUBLE; }
  };

  template <>
  struct DataRecordTraits<float>
  {
    static std::string type_name() { return "REAL"; }
    static float undefined() { return std::numeric_limits<float>::max(); }
  };

  template <>
  struct DataRecordTraits<std::int32_t>
  {
    static std::string type_name() { return "INTE"; }
    static std::int32_t undefined() { return std::numeric_limits<std::int32_t>::max(); }
  };

  template <>
  struct DataRecordTraits<std::uint32_t>
  {
    static std::string type_name() { return "INTE"; }
    static std::uint32_t undefined() { return std::numeric_limits<std::uint32_t>::max(); }
  };

  template <>
  struct DataRecordTraits<std::string>
  {
    static std::string type_name() { return "CHAR"; }
    static std::string undefined() { return std::string(); }
  };

  template <>
  struct DataRecordTraits<bool>
  {
    static std::string type_name() { return "LOGI"; }
    static bool undefined() { return false; }
  };

  /**
   * A property record of values of type DataType (in a run always double).
   *
   * Element access is checked: an index at or past size() ends the process with the
   * failed-check report.
   */
  template <typename DataType>
  class DataRecord final : public DataRecordBase
  {
  public:
    /** An empty record named `name`. */
    explicit DataRecord(const std::string &name)
      : _name(name)
    {}

    std::shared_ptr<DataRecordBase> clone() const override
    {
      return std::make_shared<DataRecord<DataType>>(*this);
    }

    std::shared_ptr<DataRecordBase> clone_empty() const override
    {
      return std::make_shared<DataRecord<DataType>>(_name);
    }

    const std::string &get_name() const override { return _name; }
    void set_name(const std::string &name) override { _name = name; }

    bool empty() const override { return size() == 0; }
    unsigned int size() const override { return _one_value ? _one_value_count : static_cast<unsigned int>(_data.size()); }
    void reserve(unsigned int n) override
    {
      _spell_out();
      _data.reserve(n);
    }
    void clear() override
    {
      _one_value = false;
      _data.clear();
    }

    boost::any get_any(unsigned int i) const override { return boost::any(get_value(i)); }

    void push_back_any(const boost::any &value) override { push_back(boost::any_cast<DataType>(value)); }

    void push_back_undefined() override { push_back(DataRecordTraits<DataType>::undefined()); }

    std::string type_name() const override { return DataRecordTraits<DataType>::type_name(); }

    void write_header(std::ostream &out) const override
    {
      out << _name << ' ' << type_name() << ' ' << _data.size() << '\n';
    }

    void write_values(std::ostream &out) const override
    {
      write_header(out);
      for (unsigned int i = 0; i < size(); ++i)
        out << get_value(i) << ' ';
      out << '\n';
    }

    /**
     * Replaces the contents by `n` copies of `value`, kept as the one value (a deck gives a
     * whole grid one cell size in a line) until a value is changed or added.
     */
    void assign(unsigned int n, const DataType &value)
    {
      std::vector<DataType>().swap(_data);
      _one_value       = true;
      _one_value_count = n;
      _value           = value;
    }

    /** Replaces the contents by `values`, taken over without a copy. */
    void assign(std::vector<DataType> values)
    {
      _one_value = false;
      _data      = std::move(values);
    }

    DataType get_value(unsigned int i) const
    {
      ORR_ASSERT(i < size(), ExcIndexRange(i, 0, size() - 1));
      return _one_value ? _value : _data[i];
    }

    void set_value(unsigned int i, const DataType &value)
    {
      ORR_ASSERT(i < size(), ExcIndexRange(i, 0, size() - 1));
      _spell_out();
      _data[i] = value;
    }

    void push_back(const DataType &value)
    {
      _spell_out();
      _data.push_back(value);
    }

  private:
    /** Turns the one value into as many copies, before a value is changed or added. */
    void _spell_out()
    {
      if (!_one_value)
        return;
      _data.assign(_one_value_count, _value);
      _one_value = false;
    }

    std::string           _name;
    std::vector<DataType> _data;
    /** Whether every value is `_value`, `_one_value_count` of them, with `_data` empty. */
    bool                  _one_value       = false;
    unsigned int          _one_value_count = 0;
    DataType              _value{};
  };
} // namespace orr

#endif
