#include "eclipse_tool_commands.h"

#include <QDir>
#include <QFileInfo>

QString importedRootName(const QString &eclipseDeckPath)
{
  return QFileInfo(eclipseDeckPath).completeBaseName().replace(QLatin1Char('.'), QLatin1Char('_'));
}

QString importedDeckPath(const QString &eclipseDeckPath, const QString &folder)
{
  return QDir(folder).filePath(importedRootName(eclipseDeckPath) + QStringLiteral(".fip"));
}

SolverCommand importCommand(const QString &program, const QString &eclipseDeckPath, const QString &folder)
{
  return {program, {eclipseDeckPath, folder, importedRootName(eclipseDeckPath)}};
}

SolverCommand exportCommand(const QString &program, const Project &project)
{
  return {program, {QString::fromUtf8(project.rootName), QString::fromUtf8(project.projectDir)}};
}
