#ifndef VELDRA_PROJECT_H
#define VELDRA_PROJECT_H

#include <QByteArray>
#include <QString>

#include <optional>

// The deck a user opened, and the names the solver and the result files are built from.
struct Project
{
  QString deckFilePath;  // absolute path of the deck, forward slashes
  QString deckBaseName;  // file name up to its first dot
  QByteArray rootName;   // UTF-8 of deckBaseName: the solver's root name
  QByteArray projectDir; // UTF-8 of the deck's absolute directory, no trailing separator

  // projectDir + "/" + rootName + suffix, e.g. resultPath("_RATE").
  QString resultPath(const QString &suffix) const;
};

// Turns the file a user chose into a project.
// chosen: the path as a file dialog returns it (empty when the dialog was cancelled).
// Returns the project only when the deck path rebuilds from its directory, its base name and
// ".fip" byte for byte: a lower-case ".fip" extension and no further dot in the name.
std::optional<Project> projectFromChosenFile(const QString &chosen);

#endif // VELDRA_PROJECT_H
