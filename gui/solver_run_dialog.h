#ifndef VELDRA_SOLVER_RUN_DIALOG_H
#define VELDRA_SOLVER_RUN_DIALOG_H

#include "solver_command.h"

#include <QDialog>
#include <QProcess>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// A window-modal progress dialog that runs the solver without blocking the event loop and
// shows its output lines (the timing lines) as they come.
class SolverRunDialog : public QDialog
{
  Q_OBJECT

public:
  explicit SolverRunDialog(QWidget *parent = nullptr);
  // A run still going when the program ends is stopped, not left behind.
  ~SolverRunDialog() override;

  // Starts command and shows the dialog; returns at once. runEnded follows exactly once.
  void start(const SolverCommand &command);

  // What the solver wrote to standard error so far (or why it could not be started).
  QString standardError() const { return errorText; }
  // What the solver wrote to standard output so far.
  QString standardOutput() const { return outputText; }

signals:
  // The solver ended: normally with exitCode, or not (crashed, stopped, never started).
  void runEnded(bool exitedNormally, int exitCode);

public slots:
  // Closing the dialog stops the run; the run then counts as failed.
  void reject() override;

private slots:
  void appendOutput();
  void appendError();
  void onFinished(int exitCode, QProcess::ExitStatus status);
  void onErrorOccurred(QProcess::ProcessError error);

private:
  void showLines(const QString &text);
  void end(bool exitedNormally, int exitCode);

  QProcess process;
  QLabel *statusLabel;
  QPlainTextEdit *outputView;
  QPushButton *stopButton;
  QString outputText;
  QString errorText;
  bool ended = false;
};

#endif // VELDRA_SOLVER_RUN_DIALOG_H
