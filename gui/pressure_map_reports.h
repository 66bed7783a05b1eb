#ifndef VELDRA_PRESSURE_MAP_REPORTS_H
#define VELDRA_PRESSURE_MAP_REPORTS_H

#include "project.h"
#include "run_results.h"
#include "viewreservoir.h"

#include <vector>

// The pressure maps of a run as reports of a map view: each named by its step and day, read
// from its file when the user steps to it (cellCount values, or none when the file no longer
// holds them all). Opens at the last map.
MapReports pressureMapReports(const Project &project, const std::vector<PressureReport> &reports, int cellCount);

#endif // VELDRA_PRESSURE_MAP_REPORTS_H
