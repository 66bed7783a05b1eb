#ifndef ORR_QUILL_PRESSURE_CONSTANTS_H
#define ORR_QUILL_PRESSURE_CONSTANTS_H

namespace orr
{
  namespace quill
  {
    namespace pressure_constants
    {
      constexpr double pi = 3.14159265358979323846;

      // Surface volumes: ft3 per stb (and rb), scf per Mscf.
      constexpr double cubic_feet_per_barrel = 5.6145833334;
      constexpr double scf_per_mscf          = 1000.0;

      // Reciprocal of the field-unit Darcy constant (0.0063283 ft3.cp/(md.ft.psi.d)). It scales
      // the accumulation, well and kerogen-coupling terms; flux and transfer terms carry none.
      constexpr double Z = 158.0250325;

      // Step of every numerical pressure derivative, psi: f' = (f(p - step) - f(p)) / -step.
      constexpr double derivative_step = 0.0001;

      // Newton iterations of a step end when the largest pressure change falls below this (psi),
      // or when the iteration count reaches the limit: the step is then accepted unconverged
      // after limit - 1 solves and its count recorded as the limit.
      constexpr double converged_pressure_change = 0.001;
      constexpr int    newton_iteration_limit    = 50;

      // Fast marching marks cells it could not reach with this tau.
      constexpr double infinite_tau = 1.79769e+308;
    } // namespace pressure_constants
  } // namespace quill
} // namespace orr

#endif
