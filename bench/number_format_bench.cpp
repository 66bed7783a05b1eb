// Whether the result writers' number formatting (orr::write_general_numbers) writes exactly
// the text of snprintf's "%.<precision>g", the format of every result file, and how much
// faster it is than snprintf and than std::to_chars in the general notation: the writers
// trust it with tens of millions of numbers per run.
//
//   number_format_bench [--count n]      (default: 100000000 doubles per precision)
//
// The doubles: edge cases (zeros, subnormals, the largest double and the system's infinite
// value, infinities, NaN, powers of ten and their neighbours, halfway points of 6 and 18
// digits and their neighbours, doubles exactly halfway between two 6- or 18-digit decimals),
// then random bit patterns over every finite double and values like a run's results
// (log-uniform from 1e-3 to 1e11, the range of its tau, times and volumes), half each, on
// every core; only the latter are timed. Exits with status 1 at the first difference, printing
// the double's bits and both texts.

#include <charconv>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <future>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "count_argument.h"
#include "general_number.h"

namespace
{
  constexpr int PRECISIONS[] = {18, 6};

  /**
   * What one thread found: the first difference, and the seconds each formatter took on the
   * `timed` values like a run's results.
   */
  struct Comparison
  {
    std::uint64_t checked          = 0;
    std::uint64_t timed            = 0;
    double        writer_seconds   = 0.0;
    double        to_chars_seconds = 0.0;
    double        snprintf_seconds = 0.0;
    std::string   difference;  // empty while every text agreed
  };

  double bits_to_double(const std::uint64_t bits)
  {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

  std::uint64_t double_to_bits(const double value)
  {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
  }

  std::vector<double> edge_cases()
  {
    const double        max = std::numeric_limits<double>::max();
    std::vector<double> values = {0.0, -0.0, std::numeric_limits<double>::denorm_min(),
                                  std::numeric_limits<double>::min(), std::nextafter(std::numeric_limits<double>::min(), 0.0),
                                  max, -max, 1.79769e+308, std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(),
                                  9007199254740992.0, 9007199254740993.0, 0.1, 0.5, 1.0 / 3.0};
    for (int exponent = -323; exponent <= 308; ++exponent)
      {
        const double power = std::strtod(("1e" + std::to_string(exponent)).c_str(), nullptr);
        for (const double value : {power, std::nextafter(power, 0.0), std::nextafter(power, max)})
          values.push_back(value);
      }
    // Halfway between two 6- or 18-digit decimals, and the doubles either side.
    std::mt19937_64 engine(1);
    for (int i = 0; i < 20000; ++i)
      {
        char text[64];
        const int exponent = static_cast<int>(engine() % 600) - 300;
        if (i % 2)
          std::snprintf(text, sizeof text, "%06" PRIu64 "5e%d", engine() % 1000000, exponent);
        else
          std::snprintf(text, sizeof text, "%018" PRIu64 "5e%d", engine() % std::uint64_t(1000000000000000000), exponent);
        const double halfway = std::strtod(text, nullptr);
        for (const double value : {halfway, std::nextafter(halfway, 0.0), std::nextafter(halfway, max)})
          values.push_back(value);
      }
    // Exactly halfway: m * 2^-j has the digits of m * 5^j, which end in 5 for an odd m;
    // with 7 or 19 of them it lies halfway between two 6- or 18-digit decimals.
    for (int i = 0; i < 20000; ++i)
      {
        const int           digits = i % 2 ? 7 : 19;
        const int           j      = 1 + static_cast<int>(engine() % (digits == 7 ? 9 : 26));
        const double        low = std::pow(10.0, digits - 1) / std::pow(5.0, j);
        const std::uint64_t m   = static_cast<std::uint64_t>(low + std::fmod(static_cast<double>(engine() >> 11), 9.0 * low)) | 1;
        if (m < (std::uint64_t(1) << 53))
          values.push_back(std::ldexp(static_cast<double>(m), -j));
      }
    return values;
  }

  /** CPU seconds of the calling thread: on a shared machine steadier than the clock. */
  double thread_cpu_seconds()
  {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
  }

  /** Compares the texts of every value of `values` at `precision`; times each formatter if `timed`. */
  void compare(const std::vector<double> &values, const int precision, const bool timed, Comparison &comparison)
  {
    char format[8];
    std::snprintf(format, sizeof format, "%%.%dg", precision);
    constexpr std::size_t SLOT = 32;  // a text of up to 25 characters and its '\0'
    std::vector<char> expected(values.size() * SLOT), reference(values.size() * SLOT);
    // The writers' text: each number followed by a '\0', in the room they ask for.
    std::vector<char> actual(values.size() * (orr::GENERAL_NUMBER_ROOM + 1));

    const double start = thread_cpu_seconds();
    for (std::size_t i = 0; i < values.size(); ++i)
      std::snprintf(&expected[SLOT * i], SLOT, format, values[i]);
    const double after_snprintf = thread_cpu_seconds();
    for (std::size_t i = 0; i < values.size(); ++i)
      {
        char *const first = &reference[SLOT * i];
        *std::to_chars(first, first + SLOT - 1, values[i], std::chars_format::general, precision).ptr = '\0';
      }
    const double after_to_chars = thread_cpu_seconds();
    orr::write_general_numbers(actual.data(), values.data(), values.size(), precision, '\0', '\0');
    const double end = thread_cpu_seconds();
    if (timed)
      {
        comparison.snprintf_seconds += after_snprintf - start;
        comparison.to_chars_seconds += after_to_chars - after_snprintf;
        comparison.writer_seconds += end - after_to_chars;
        comparison.timed += values.size();
      }

    const char *text = actual.data();
    for (std::size_t i = 0; i < values.size() && comparison.difference.empty(); text += std::strlen(text) + 1, ++i)
      if (std::strcmp(&expected[SLOT * i], text) != 0)
        {
          char message[160];
          std::snprintf(message, sizeof message, "bits %016" PRIx64 " at precision %d: snprintf \"%s\", writers \"%s\"",
                        double_to_bits(values[i]), precision, &expected[SLOT * i], text);
          comparison.difference = message;
        }
    comparison.checked += values.size();
  }

  /** One thread's share: `count` random doubles per precision from `seed`. */
  Comparison compare_random(const std::uint64_t count, const std::uint64_t seed)
  {
    constexpr std::size_t BATCH = 1 << 20;
    std::mt19937_64       engine(seed);
    std::uniform_real_distribution<double> decimal_exponent(-3.0, 11.0);
    Comparison            comparison;
    std::vector<double>   patterns, results;
    for (std::uint64_t done = 0; done < count && comparison.difference.empty(); done += BATCH)
      {
        patterns.clear();
        results.clear();
        for (std::size_t i = 0; i < BATCH && done + i < count; ++i)
          if (i % 2)
            results.push_back(std::pow(10.0, decimal_exponent(engine)));
          else
            {
              double value;
              do
                value = bits_to_double(engine());
              while (!std::isfinite(value));
              patterns.push_back(value);
            }
        for (const int precision : PRECISIONS)
          {
            compare(patterns, precision, false, comparison);
            compare(results, precision, true, comparison);
          }
      }
    return comparison;
  }
} // namespace

int main(int argc, char **argv)
{
  std::uint64_t count = 100000000;
  for (int a = 1; a < argc; ++a)
    {
      const std::optional<unsigned> n =
        std::string(argv[a]) == "--count" && a + 1 < argc ? orr::bench::read_count_argument(argv[++a], 1) : std::nullopt;
      if (!n)
        {
          std::fprintf(stderr, "usage: %s [--count n]   (doubles per precision, default 100000000)\n", argv[0]);
          return 1;
        }
      count = *n;
    }

  Comparison total;
  for (const int precision : PRECISIONS)
    compare(edge_cases(), precision, false, total);

  const unsigned                  threads = std::max(1u, std::thread::hardware_concurrency());
  std::vector<std::future<Comparison>> shares;
  for (unsigned t = 0; t < threads; ++t)
    shares.push_back(std::async(std::launch::async | std::launch::deferred, compare_random,
                                count / threads + (t < count % threads ? 1 : 0), 1000 + t));
  for (std::future<Comparison> &share : shares)
    {
      const Comparison part = share.get();
      total.checked += part.checked;
      total.timed += part.timed;
      total.writer_seconds += part.writer_seconds;
      total.to_chars_seconds += part.to_chars_seconds;
      total.snprintf_seconds += part.snprintf_seconds;
      if (total.difference.empty())
        total.difference = part.difference;
    }

  std::printf("The writers' formatting (precision 18 and 6) against snprintf (%%.18g, %%.6g): %" PRIu64
              " numbers compared\n", total.checked);
  std::printf("    per number like a run's results (both precisions, CPU time): writers %.1f ns, std::to_chars %.1f ns, "
              "snprintf %.1f ns\n",
              1e9 * total.writer_seconds / static_cast<double>(total.timed),
              1e9 * total.to_chars_seconds / static_cast<double>(total.timed),
              1e9 * total.snprintf_seconds / static_cast<double>(total.timed));
  if (!total.difference.empty())
    {
      std::printf("    DIFFERENT: %s\n", total.difference.c_str());
      return 1;
    }
  std::printf("    every text the same\n");
  return 0;
}
