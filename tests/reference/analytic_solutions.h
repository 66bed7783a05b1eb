#ifndef ORR_TESTS_REFERENCE_ANALYTIC_SOLUTIONS_H
#define ORR_TESTS_REFERENCE_ANALYTIC_SOLUTIONS_H

namespace orr
{
  namespace reference
  {
    /**
     * Textbook solutions of radial flow of a slightly compressible fluid to a well of radius
     * r_w in a homogeneous reservoir of uniform thickness, in dimensionless form: time
     * t_D = eta t / r_w^2 (eta the hydraulic diffusivity), pressure drop and rate scaled by
     * 2 pi k h / (mu B).
     */

    /**
     * Wellbore pressure drop p_D at t_D > 0 under a constant rate in an infinite reservoir:
     * the line source, p_D = E1(1 / (4 t_D)) / 2.
     */
    double line_source_pressure(double t_d);

    /**
     * Wellbore pressure drop p_D at t_D > 0 under a constant rate at the centre of a closed
     * square of side side_d (in well radii): the line source and its images, one at every
     * point of the square lattice of spacing side_d around the well.
     */
    double closed_square_pressure(double t_d, double side_d);

    /**
     * Rate q_D at t_D > 0 of a well held at a constant pressure in an infinite reservoir
     * (van Everdingen and Hurst): the Stehfest inversion of K1(sqrt s) / (sqrt s K0(sqrt s)).
     */
    double constant_pressure_rate(double t_d);

    /** Its cumulative, the integral of q_D from 0 to t_D: the inversion of the above over s. */
    double constant_pressure_cumulative(double t_d);
  } // namespace reference
} // namespace orr

#endif
