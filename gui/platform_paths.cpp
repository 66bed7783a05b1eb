#include "platform_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace
{
const char SOLVER_PROGRAM[] = "quill";
}

QString locateSolver()
{
  const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(SOLVER_PROGRAM);
  const QFileInfo besideInfo(beside);
  if (besideInfo.isFile() && besideInfo.isExecutable())
    return besideInfo.absoluteFilePath();
  return QStandardPaths::findExecutable(SOLVER_PROGRAM);
}

QString locateInstallationFile(const QString &relativePath)
{
  const QFileInfo inWorkingDirectory(QDir::current().filePath(relativePath));
  if (inWorkingDirectory.isFile())
    return inWorkingDirectory.absoluteFilePath();
  return QDir(QCoreApplication::applicationDirPath()).filePath(relativePath);
}
