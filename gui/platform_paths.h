#ifndef VELDRA_PLATFORM_PATHS_H
#define VELDRA_PLATFORM_PATHS_H

#include <QString>

// Where this system's programs and installation files are found on the desktop.

// The solver program: "quill" beside the running executable, else the first one on the PATH.
// Returns an empty string when neither exists.
QString locateSolver();

// The ensemble runner: "quill-ensemble" beside the running executable, else on the PATH.
// Returns an empty string when neither exists.
QString locateEnsembleTool();

// A program of this system by name ("quill-export"): beside the running executable, else the
// first one on the PATH; an empty string when neither exists.
QString locateProgram(const QString &name);

// An installation file given by a relative path ("someResource/loading.png", "User_Manual.pdf"):
// the file under the working directory when it exists there, else the one beside the executable.
// Returns the path beside the executable when neither exists, so that a message can name it.
QString locateInstallationFile(const QString &relativePath);

#endif // VELDRA_PLATFORM_PATHS_H
