#ifndef VELDRA_RUN_VERDICT_H
#define VELDRA_RUN_VERDICT_H

#include "project.h"

#include <QDateTime>

// Whether a finished run of the solver produced results.
// exitedNormally, exitCode: how the process ended; startedAt: the time just before it started;
// hasPressureModel: the deck holds SIMULATION, so the run must also write the rate file.
// A run succeeds only when it exited normally with status 0 and wrote, during this run, the tau
// file and (with a pressure model) the rate file: files left by an earlier run do not count.
bool runProducedResults(bool exitedNormally, int exitCode, const Project &project, bool hasPressureModel,
                        const QDateTime &startedAt);

// The solver's count of the steps it accepted unconverged, the line "Warning: <u> of <N> steps
// did not converge in 49 iterations; their results are approximate." of its standard error;
// empty when the run gave none.
QString unconvergedStepCount(const QString &standardError);

#endif // VELDRA_RUN_VERDICT_H
