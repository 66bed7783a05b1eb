#include "project_settings.h"

#include <QDir>
#include <QSettings>
#include <QUrl>

namespace
{
QSettings userSettings()
{
  return QSettings(QStringLiteral("Veldra"), QStringLiteral("Veldra"));
}

// A key of its own per deck: the path percent-encoded, since "/" would open settings groups.
QString projectKey(const Project &project, const char *entry)
{
  return QStringLiteral("projects/%1/%2")
      .arg(QString::fromLatin1(QUrl::toPercentEncoding(project.deckFilePath)), QLatin1String(entry));
}
} // namespace

QString lastProjectFolder()
{
  const QString folder = userSettings().value(QStringLiteral("lastProjectFolder")).toString();
  return !folder.isEmpty() && QDir(folder).exists() ? folder : QDir::currentPath();
}

void rememberLastProject(const Project &project)
{
  userSettings().setValue(QStringLiteral("lastProjectFolder"), QString::fromUtf8(project.projectDir));
}

QString observedProductionFile(const Project &project)
{
  return userSettings().value(projectKey(project, "observedProduction")).toString();
}

void rememberObservedProductionFile(const Project &project, const QString &path)
{
  userSettings().setValue(projectKey(project, "observedProduction"), path);
}
