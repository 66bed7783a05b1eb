#ifndef VELDRA_SOLVER_COMMAND_H
#define VELDRA_SOLVER_COMMAND_H

#include "project.h"

#include <QString>
#include <QStringList>

// The program and arguments that start the solver on a project; passed to the process as a list,
// so blanks and shell characters in the names reach the solver unchanged.
struct SolverCommand
{
  QString program;
  QStringList arguments; // the root name, then the project directory with every "/" doubled
};

// projectDir with every "/" replaced by "//" ("D:/a/b" gives "D://a//b").
QByteArray doubleSlashes(const QByteArray &directory);

// program: path of the solver executable; project: an accepted project.
SolverCommand solverCommand(const QString &program, const Project &project);

#endif // VELDRA_SOLVER_COMMAND_H
