#include "eclipse_tools.h"

#include "eclipse_tool_commands.h"
#include "mainwindow.h"
#include "platform_paths.h"
#include "solver_run_dialog.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>

namespace
{
const char IMPORT_PROGRAM[] = "quill-import";
const char EXPORT_PROGRAM[] = "quill-export";
// Lines of a tool's standard error shown in the failure message; the rest is cut.
const int SHOWN_ERROR_LINES = 20;
} // namespace

EclipseTools::EclipseTools(MainWindow *window) : QObject(window), window(window)
{
  auto *importAction = new QAction(tr("Import Eclipse Deck..."), window);
  importAction->setObjectName(QStringLiteral("actionImport_Eclipse_Deck"));
  connect(importAction, &QAction::triggered, this, &EclipseTools::chooseAndImport);
  auto *exportAction = new QAction(tr("Export for ResInsight/ParaView"), window);
  exportAction->setObjectName(QStringLiteral("actionExport_for_ResInsight_ParaView"));
  connect(exportAction, &QAction::triggered, this, &EclipseTools::exportResults);

  auto *fileMenu = window->findChild<QMenu *>(QStringLiteral("menuFile"));
  auto *quit = window->findChild<QAction *>(QStringLiteral("actionQuit"));
  fileMenu->insertActions(quit, {importAction, exportAction});
  fileMenu->insertSeparator(quit);
}

QString EclipseTools::program(const QString &name) const
{
  if (!programDirectory.isEmpty())
    return QDir(programDirectory).filePath(name);
  return locateProgram(name);
}

void EclipseTools::chooseAndImport()
{
  const QString deck = QFileDialog::getOpenFileName(window, tr("Import Eclipse Deck"), QDir::currentPath(),
                                                    tr("Eclipse decks (*.DATA *.data)"));
  if (deck.isEmpty())
    return;
  const QString folder = QFileDialog::getExistingDirectory(window, tr("Folder for the quill deck"),
                                                           QFileInfo(deck).absolutePath());
  if (folder.isEmpty())
    return;
  importDeck(deck, folder);
}

void EclipseTools::importDeck(const QString &eclipseDeckPath, const QString &folder)
{
  const QString deck = importedDeckPath(eclipseDeckPath, folder);
  runTool(tr("Import Eclipse Deck"), importCommand(program(IMPORT_PROGRAM), eclipseDeckPath, folder),
          [this, deck] { return window->openProject(deck); });
}

void EclipseTools::exportResults()
{
  if (!window->project())
  {
    showFailure(tr("Export for ResInsight/ParaView"), tr("Open a project and run quill on it first."));
    emit toolFinished(false);
    return;
  }
  runTool(tr("Export for ResInsight/ParaView"), exportCommand(program(EXPORT_PROGRAM), *window->project()),
          [] { return true; });
}

void EclipseTools::runTool(const QString &title, const SolverCommand &command, std::function<bool()> onSuccess)
{
  if (runDialog)
    return;
  if (command.program.isEmpty() || !QFileInfo(command.program).isExecutable())
  {
    showFailure(title, tr("The program %1 was found neither beside Veldra nor on the PATH.")
                           .arg(QFileInfo(command.program).fileName()));
    emit toolFinished(false);
    return;
  }
  runDialog = new SolverRunDialog(window);
  runDialog->setWindowTitle(title);
  connect(runDialog, &SolverRunDialog::runEnded, this, [this, title, onSuccess](bool exitedNormally, int exitCode) {
    const QString output = runDialog->standardOutput();
    const QString errors = runDialog->standardError();
    runDialog->deleteLater();
    runDialog = nullptr;
    if (!exitedNormally || exitCode != 0)
    {
      showFailure(title, errors.trimmed().isEmpty() ? tr("The tool ended with status %1.").arg(exitCode) : errors);
      emit toolFinished(false);
      return;
    }
    QMessageBox::information(window, title, output.trimmed(), QMessageBox::Ok);
    emit toolFinished(onSuccess());
  });
  runDialog->start(command);
}

void EclipseTools::showFailure(const QString &title, const QString &text)
{
  QStringList lines = text.trimmed().split(QLatin1Char('\n'));
  if (lines.size() > SHOWN_ERROR_LINES)
    lines = lines.mid(lines.size() - SHOWN_ERROR_LINES);
  QMessageBox box(QMessageBox::Critical, tr("Error!"), title + tr(" did not succeed."), QMessageBox::Ok, window);
  box.setInformativeText(lines.join(QLatin1Char('\n')));
  box.exec();
}
