#include "analytic_solutions.h"

#include <array>
#include <cmath>
#include <functional>

#include <boost/math/special_functions/bessel.hpp>
#include <boost/math/special_functions/expint.hpp>

namespace orr
{
  namespace reference
  {
    namespace
    {
      // Image wells farther than this many diffusion lengths add less than E1(60) ~ 1e-28.
      constexpr double negligible_exponent = 60.0;
      // Terms of the Stehfest sum: 12 keeps the rounding of its alternating weights (up to
      // about 1e5 in size) far below the 1e-4 that the comparisons need.
      constexpr int stehfest_terms = 12;

      double factorial(int n)
      {
        double f = 1.0;
        for (int k = 2; k <= n; ++k)
          f *= k;
        return f;
      }

      std::array<double, stehfest_terms + 1> stehfest_weights()
      {
        constexpr int half = stehfest_terms / 2;
        std::array<double, stehfest_terms + 1> v{};
        for (int i = 1; i <= stehfest_terms; ++i)
        {
          double sum = 0.0;
          for (int k = (i + 1) / 2; k <= std::min(i, half); ++k)
            sum += std::pow(k, half) * factorial(2 * k)
                 / (factorial(half - k) * factorial(k) * factorial(k - 1) * factorial(i - k)
                    * factorial(2 * k - i));
          v[i] = ((half + i) % 2 == 0 ? 1.0 : -1.0) * sum;
        }
        return v;
      }

      // f(t) from its Laplace transform F(s) by the Gaver-Stehfest formula.
      double stehfest_inverse(const std::function<double(double)> &transform, double t)
      {
        static const std::array<double, stehfest_terms + 1> v = stehfest_weights();
        const double a   = std::log(2.0) / t;
        double       sum = 0.0;
        for (int i = 1; i <= stehfest_terms; ++i)
          sum += v[i] * transform(i * a);
        return a * sum;
      }

      // The constant-pressure rate in Laplace space, K1(sqrt s) / (sqrt s K0(sqrt s)).
      double rate_transform(double s)
      {
        const double root = std::sqrt(s);
        return boost::math::cyl_bessel_k(1, root) / (root * boost::math::cyl_bessel_k(0, root));
      }

      double exponential_integral(double x) { return boost::math::expint(1, x); }
    } // namespace

    double line_source_pressure(double t_d) { return 0.5 * exponential_integral(1.0 / (4.0 * t_d)); }

    double closed_square_pressure(double t_d, double side_d)
    {
      double p_d = line_source_pressure(t_d);
      const double reach = std::sqrt(negligible_exponent * 4.0 * t_d) / side_d;
      const int    range = static_cast<int>(std::ceil(reach));
      for (int m = -range; m <= range; ++m)
        for (int n = -range; n <= range; ++n)
        {
          const double distance_squared = (double(m) * m + double(n) * n) * side_d * side_d;
          if ((m != 0 || n != 0) && distance_squared / (4.0 * t_d) < negligible_exponent)
            p_d += 0.5 * exponential_integral(distance_squared / (4.0 * t_d));
        }
      return p_d;
    }

    double constant_pressure_rate(double t_d) { return stehfest_inverse(rate_transform, t_d); }

    double constant_pressure_cumulative(double t_d)
    {
      return stehfest_inverse([](double s) { return rate_transform(s) / s; }, t_d);
    }
  } // namespace reference
} // namespace orr
