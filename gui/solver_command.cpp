#include "solver_command.h"

QByteArray doubleSlashes(const QByteArray &directory)
{
  QByteArray escaped = directory;
  return escaped.replace("/", "//");
}

SolverCommand solverCommand(const QString &program, const Project &project)
{
  return {program,
          {QString::fromUtf8(project.rootName), QString::fromUtf8(doubleSlashes(project.projectDir))}};
}
