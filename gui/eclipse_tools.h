#ifndef VELDRA_ECLIPSE_TOOLS_H
#define VELDRA_ECLIPSE_TOOLS_H

#include "solver_command.h"

#include <QObject>
#include <QString>

#include <functional>

class MainWindow;
class QAction;
class SolverRunDialog;

// "Import Eclipse Deck..." and "Export for ResInsight/ParaView" in the main window's File menu.
// Each runs its tool the way a solver run goes: no shell, its output shown while it runs, its
// errors in a message box.
class EclipseTools : public QObject
{
  Q_OBJECT

public:
  // Adds the two entries to window's File menu, above Quit.
  explicit EclipseTools(MainWindow *window);

  // Imports eclipseDeckPath into folder with quill-import, then opens the quill deck as the
  // project. Returns at once; toolFinished follows.
  void importDeck(const QString &eclipseDeckPath, const QString &folder);

  // Exports the open project's run with quill-export. Returns at once; toolFinished follows.
  void exportResults();

  // The folder holding quill-import and quill-export; by default beside this program, else the
  // PATH.
  void setProgramDirectory(const QString &directory) { programDirectory = directory; }

signals:
  // A tool ended and its message was dismissed.
  void toolFinished(bool success);

private:
  void chooseAndImport();
  QString program(const QString &name) const;
  void runTool(const QString &title, const SolverCommand &command, std::function<bool()> onSuccess);
  void showFailure(const QString &title, const QString &text);

  MainWindow *window;
  QString programDirectory;
  SolverRunDialog *runDialog = nullptr;
};

#endif // VELDRA_ECLIPSE_TOOLS_H
