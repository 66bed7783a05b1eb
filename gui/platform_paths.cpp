#include "platform_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace
{
const char SOLVER_PROGRAM[] = "quill";
const char ENSEMBLE_PROGRAM[] = "quill-ensemble";
} // namespace

QString locateProgram(const QString &name)
{
  const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(name);
  const QFileInfo besideInfo(beside);
  if (besideInfo.isFile() && besideInfo.isExecutable())
    return besideInfo.absoluteFilePath();
  return QStandardPaths::findExecutable(name);
}

QString locateSolver()
{
  return locateProgram(SOLVER_PROGRAM);
}

QString locateEnsembleTool()
{
  return locateProgram(ENSEMBLE_PROGRAM);
}

QString locateInstallationFile(const QString &relativePath)
{
  const QFileInfo inWorkingDirectory(QDir::current().filePath(relativePath));
  if (inWorkingDirectory.isFile())
    return inWorkingDirectory.absoluteFilePath();
  return QDir(QCoreApplication::applicationDirPath()).filePath(relativePath);
}
