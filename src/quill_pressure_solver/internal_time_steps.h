#ifndef ORR_QUILL_INTERNAL_TIME_STEPS_H
#define ORR_QUILL_INTERNAL_TIME_STEPS_H

namespace orr
{
  namespace quill
  {
    /**
     * End (days) of the next internal time step from `time` toward `report_time`, for a well
     * whose control last changed at `control_start` (control_start <= time < report_time).
     *
     * A step is at most the first step, 0.001 day, or a tenth of the time since the control
     * changed, whichever is longer: steps start small after every change of control, where the
     * pressure changes fastest, and grow by a tenth at each step once the time since the
     * change exceeds 0.01 day. The report time is reached exactly, and a remainder shorter than
     * two steps is split into two equal steps rather than leaving a sliver.
     */
    double next_internal_time(double time, double control_start, double report_time);
  } // namespace quill
} // namespace orr

#endif
