#ifndef VELDRA_ECLIPSE_TOOL_COMMANDS_H
#define VELDRA_ECLIPSE_TOOL_COMMANDS_H

#include "project.h"
#include "solver_command.h"

#include <QString>

// The commands of the two tools that bridge to Eclipse decks and 3-D viewers: quill-import and
// quill-export, passed to the process as argument lists like the solver's.

// The root name an imported deck gets: the deck's name without its extension, every further dot
// turned into "_" so that the imported deck opens as a project ("my.case.DATA" gives "my_case").
QString importedRootName(const QString &eclipseDeckPath);

// The quill deck quill-import writes for eclipseDeckPath into folder.
QString importedDeckPath(const QString &eclipseDeckPath, const QString &folder);

// program: path of quill-import; eclipseDeckPath: the CASE.DATA chosen; folder: where the quill
// deck goes.
SolverCommand importCommand(const QString &program, const QString &eclipseDeckPath, const QString &folder);

// program: path of quill-export; project: an accepted project that was run.
SolverCommand exportCommand(const QString &program, const Project &project);

#endif // VELDRA_ECLIPSE_TOOL_COMMANDS_H
