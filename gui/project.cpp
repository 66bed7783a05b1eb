#include "project.h"

#include <QFileInfo>

QString Project::resultPath(const QString &suffix) const
{
  return QString::fromUtf8(projectDir + "/" + rootName) + suffix;
}

std::optional<Project> projectFromChosenFile(const QString &chosen)
{
  if (chosen.isEmpty())
    return std::nullopt;
  const QFileInfo info(chosen);
  Project project;
  project.deckFilePath = info.absoluteFilePath();
  project.deckBaseName = info.baseName();
  project.rootName = project.deckBaseName.toUtf8();
  project.projectDir = info.absolutePath().toUtf8();
  if (project.projectDir + "/" + project.rootName + ".fip" != project.deckFilePath.toUtf8())
    return std::nullopt;
  return project;
}
