#ifndef VELDRA_PROJECT_SETTINGS_H
#define VELDRA_PROJECT_SETTINGS_H

#include "project.h"

#include <QString>

// What Veldra remembers between sessions, in the user's settings (never beside the deck): the
// folder of the last project, and per deck the observed production file shown with it.

// The folder of the last project opened, or the current directory when there was none.
QString lastProjectFolder();

// Remembers project as the last one opened.
void rememberLastProject(const Project &project);

// The observed production file last loaded with project; empty when there is none.
QString observedProductionFile(const Project &project);

// Remembers path (absolute) as project's observed production file.
void rememberObservedProductionFile(const Project &project, const QString &path);

#endif // VELDRA_PROJECT_SETTINGS_H
