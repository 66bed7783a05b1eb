#include <csignal>
#include <memory>
#include <sstream>
#include <stdexcept>

#include <boost/any.hpp>
#include <gtest/gtest.h>

#include "data_getter.h"
#include "data_record.h"
#include "dynamic_properties.h"
#include "properties.h"

using orr::DataGetter;
using orr::DataRecord;
using orr::DataRecordBase;
using orr::DynamicProperties;
using orr::Properties;
namespace exc = orr::StandardExceptions;

namespace
{
  std::shared_ptr<DataRecord<double>> record(const std::string &name, std::vector<double> values)
  {
    auto r = std::make_shared<DataRecord<double>>(name);
    for (const double v : values)
      r->push_back(v);
    return r;
  }
} // namespace

TEST(DataRecord, ContentsAndCopies)
{
  auto poro = record("PORO    ", {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0});
  poro->reserve(100);
  EXPECT_EQ(poro->size(), 10u);
  poro->assign(3, 0.25);
  EXPECT_EQ(poro->size(), 3u);
  for (unsigned int i = 0; i < 3; ++i)
    EXPECT_EQ(poro->get_value(i), 0.25);

  const auto copy = std::dynamic_pointer_cast<DataRecord<double>>(poro->clone());
  ASSERT_TRUE(copy);
  poro->set_value(0, 0.5);
  EXPECT_EQ(copy->get_value(0), 0.25);
  EXPECT_EQ(copy->get_name(), "PORO    ");
  const auto empty = poro->clone_empty();
  EXPECT_TRUE(empty->empty());
  EXPECT_EQ(empty->get_name(), "PORO    ");

  poro->push_back_undefined();
  EXPECT_EQ(poro->get_value(3), 1.79769e+308);
  EXPECT_EQ(boost::any_cast<double>(poro->get_any(1)), 0.25);
  poro->push_back_any(boost::any(0.75));
  EXPECT_EQ(poro->get_value(4), 0.75);
  EXPECT_THROW(poro->push_back_any(boost::any(1)), boost::bad_any_cast);
  EXPECT_EQ(poro->size(), 5u);
  poro->clear();
  EXPECT_TRUE(poro->empty());
}

TEST(DataRecord, TypeTagsAndText)
{
  EXPECT_EQ(DataRecord<double>("A").type_name(), "DOUB");
  EXPECT_EQ(DataRecord<float>("A").type_name(), "REAL");
  EXPECT_EQ(DataRecord<int>("A").type_name(), "INTE");
  EXPECT_EQ(DataRecord<unsigned int>("A").type_name(), "INTE");
  EXPECT_EQ(DataRecord<std::string>("A").type_name(), "CHAR");
  EXPECT_EQ(DataRecord<bool>("A").type_name(), "LOGI");

  std::ostringstream out;
  record("PORO    ", {0.25, 0.5, 1e-07})->write_values(out);
  EXPECT_EQ(out.str(), "PORO     DOUB 3\n0.25 0.5 1e-07 \n");
}

TEST(DataRecord, IndexPastTheEndIsAFailedCheck)
{
  const auto poro = record("PORO    ", {1, 2, 3, 4, 5});
  EXPECT_EXIT(poro->get_value(5), ::testing::KilledBySignal(SIGABRT),
              "orr::DataRecord<DataType>::get_value\\(unsigned int\\) const .*\n"
              "The violated condition was: \n    i < size\\(\\)\n"
              "The name and call sequence of the exception was:\n"
              "    ExcIndexRange\\(i, 0, size\\(\\) - 1\\)\n"
              "Additional Information: \nIndex 5 is not in \\[0,4\\]\n");
  EXPECT_EXIT(poro->set_value(7, 0.0), ::testing::KilledBySignal(SIGABRT), "Index 7 is not in");
  EXPECT_EXIT(poro->get_any(5), ::testing::KilledBySignal(SIGABRT), "Index 5 is not in");
}

TEST(DataGetter, BindsOnlyToRecordsOfItsType)
{
  DataGetter<double> getter;
  EXPECT_FALSE(getter.is_set());
  EXPECT_EXIT(getter(0), ::testing::KilledBySignal(SIGABRT),
              "    is_set\\(\\)\n.*\n    ExcNullPointer\\(\\)\n");
  EXPECT_EXIT(getter.size(), ::testing::KilledBySignal(SIGABRT), "is_set");

  try
  {
    getter.set(nullptr);
    FAIL() << "no exception";
  }
  catch (const exc::ExcNullPointer &e)
  {
    EXPECT_NE(std::string(e.what()).find("The violated condition was: \n    _raw_data\n"),
              std::string::npos);
  }

  const std::shared_ptr<DataRecordBase> poro = record("PORO    ", {0.2, 0.3});
  getter.set(poro);
  EXPECT_EQ(getter.size(), 2u);
  EXPECT_EQ(getter(1), 0.3);

  try
  {
    getter.set(std::make_shared<DataRecord<int>>("ACTNUM  "));
    FAIL() << "no exception";
  }
  catch (const exc::ExcTypeMismatch &e)
  {
    const std::string text = e.what();
    EXPECT_NE(text.find("    _data\n"), std::string::npos);
    EXPECT_NE(text.find("ExcTypeMismatch(typeid(DataRecord<DataType>).name(), "
                        "typeid(_raw_data).name())"),
              std::string::npos);
    EXPECT_NE(text.find(std::string("Type ") + typeid(DataRecord<double>).name() + " is not " +
                        typeid(std::shared_ptr<DataRecordBase>).name() + "\n"),
              std::string::npos);
  }
  EXPECT_FALSE(getter.is_set());
}

TEST(Properties, NamesAreExactAndOrdered)
{
  Properties properties;
  properties.set("PORO    ", record("PORO    ", {0.2}));
  properties.set("PERMX   ", record("PERMX   ", {100, 200}));
  properties.set("DX      ", record("DX      ", {10}));
  EXPECT_EQ(properties.size(), 3u);
  EXPECT_FALSE(properties.get("PORO"));
  EXPECT_FALSE(properties.get("SWAT    "));
  EXPECT_TRUE(properties.get("PORO    "));

  std::ostringstream headers;
  properties.print(headers, false);
  EXPECT_EQ(headers.str(), "Name: DX      \nDX       DOUB 1\n"
                           "Name: PERMX   \nPERMX    DOUB 2\n"
                           "Name: PORO    \nPORO     DOUB 1\n");
  std::ostringstream values;
  properties.print(values, true);
  EXPECT_EQ(values.str(), "Name: DX      \nDX       DOUB 1\n10 \n"
                          "Name: PERMX   \nPERMX    DOUB 2\n100 200 \n"
                          "Name: PORO    \nPORO     DOUB 1\n0.2 \n");
}

TEST(Properties, SetReplacesAndReleasesItsShare)
{
  Properties                          properties;
  std::weak_ptr<DataRecordBase>       dropped;
  std::shared_ptr<DataRecord<double>> kept = record("PERMX   ", {1});
  {
    auto first = record("PORO    ", {0.1});
    dropped    = first;
    properties.set("PORO    ", first);
    properties.set("PERMX   ", kept);
  }
  properties.set("PORO    ", record("PORO    ", {0.3}));
  properties.set("PERMX   ", record("PERMX   ", {2}));
  EXPECT_TRUE(dropped.expired());
  EXPECT_EQ(kept->get_value(0), 1.0);
  EXPECT_EQ(std::dynamic_pointer_cast<DataRecord<double>>(properties.get("PORO    "))->get_value(0),
            0.3);
  EXPECT_EQ(properties.size(), 2u);
}

TEST(DynamicProperties, AbsentNamesAreNotCreatedByLookUps)
{
  DynamicProperties series;
  EXPECT_EQ(series.count("PRESSURE"), 0u);
  EXPECT_FALSE(series.last("PRESSURE"));
  EXPECT_FALSE(series.pop_last("PRESSURE"));
  EXPECT_FALSE(series.at("PRESSURE", 0));
  EXPECT_FALSE(series.series_empty("PRESSURE"));
  series.clear_series("PRESSURE");
  EXPECT_TRUE(series.empty());

  series.add_name("PRESSURE");
  EXPECT_TRUE(series.contains("PRESSURE"));
  EXPECT_TRUE(series.series_empty("PRESSURE"));
  EXPECT_FALSE(series.pop_last("PRESSURE"));
  EXPECT_EQ(series.erase("PRESSURE"), 1u);
  EXPECT_EQ(series.erase("PRESSURE"), 0u);
}

TEST(DynamicProperties, SeriesKeepTheirOrder)
{
  DynamicProperties series;
  const auto        day1 = record("PRESSURE", {3000});
  const auto        day2 = record("PRESSURE", {2900});
  series.append("PRESSURE", day1);
  series.append("PRESSURE", day2);
  EXPECT_EQ(series.size(), 1u);
  EXPECT_EQ(series.count("PRESSURE"), 2u);
  EXPECT_EQ(series.at("PRESSURE", 0), day1);
  EXPECT_EQ(series.last("PRESSURE"), day2);
  try
  {
    series.at("PRESSURE", 2);
    FAIL() << "no exception";
  }
  catch (const std::out_of_range &e)
  {
    EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
  }
  EXPECT_EQ(series.pop_last("PRESSURE"), day2);
  EXPECT_EQ(series.count("PRESSURE"), 1u);
  series.clear_series("PRESSURE");
  EXPECT_TRUE(series.series_empty("PRESSURE"));
  series.clear();
  EXPECT_TRUE(series.empty());
}

TEST(DynamicProperties, ExchangeWithAContainer)
{
  Properties snapshot;
  const auto poro = record("PORO    ", {0.2});
  const auto dx   = record("DX      ", {10});
  snapshot.set("PORO    ", poro);
  snapshot.set("DX      ", dx);

  DynamicProperties history;
  history.append_all(snapshot);
  history.append_all(snapshot);
  EXPECT_EQ(history.count("PORO    "), 2u);
  EXPECT_EQ(history.count("DX      "), 2u);

  Properties target;
  target.set("PORO    ", nullptr);
  history.copy_last_into(target);
  EXPECT_EQ(target.get("PORO    "), poro);
  EXPECT_EQ(history.count("PORO    "), 2u);
  EXPECT_FALSE(target.get("DX      "));

  target.set("SWAT    ", record("SWAT    ", {0.3}));
  history.pop_into(target);
  EXPECT_EQ(history.count("PORO    "), 1u);
  EXPECT_EQ(target.get("PORO    "), poro);
  EXPECT_FALSE(target.get("SWAT    "));
  EXPECT_EQ(target.size(), 2u);
}
