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

#endif // VELDRA_RUN_VERDICT_H
