#include "solver_run_dialog.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

SolverRunDialog::SolverRunDialog(QWidget *parent)
    : QDialog(parent), statusLabel(new QLabel(tr("Running quill ..."), this)),
      outputView(new QPlainTextEdit(this)), stopButton(new QPushButton(tr("Stop"), this))
{
  setWindowTitle(tr("Run Veldra"));
  setWindowModality(Qt::WindowModal);
  resize(640, 320);

  auto *busy = new QProgressBar(this);
  busy->setRange(0, 0);
  statusLabel->setWordWrap(true);
  outputView->setReadOnly(true);
  outputView->setObjectName(QStringLiteral("solverOutput"));
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(statusLabel);
  layout->addWidget(busy);
  layout->addWidget(outputView);
  layout->addWidget(stopButton, 0, Qt::AlignRight);

  connect(stopButton, &QPushButton::clicked, this, &SolverRunDialog::reject);
  connect(&process, &QProcess::readyReadStandardOutput, this, &SolverRunDialog::appendOutput);
  connect(&process, &QProcess::readyReadStandardError, this, &SolverRunDialog::appendError);
  connect(&process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
          &SolverRunDialog::onFinished);
  connect(&process, &QProcess::errorOccurred, this, &SolverRunDialog::onErrorOccurred);
}

SolverRunDialog::~SolverRunDialog()
{
  if (process.state() == QProcess::NotRunning)
    return;
  process.disconnect(this);
  process.kill();
  process.waitForFinished();
}

void SolverRunDialog::start(const SolverCommand &command)
{
  statusLabel->setText(tr("Running %1 %2").arg(command.program, command.arguments.join(QLatin1Char(' '))));
  show();
  process.start(command.program, command.arguments, QIODevice::ReadOnly);
}

void SolverRunDialog::reject()
{
  if (ended)
  {
    QDialog::reject();
    return;
  }
  errorText += tr("The run was stopped.\n");
  process.kill();
}

void SolverRunDialog::appendOutput()
{
  const QString text = QString::fromLocal8Bit(process.readAllStandardOutput());
  outputText += text;
  showLines(text);
}

void SolverRunDialog::appendError()
{
  const QString text = QString::fromLocal8Bit(process.readAllStandardError());
  errorText += text;
  showLines(text);
}

void SolverRunDialog::showLines(const QString &text)
{
  outputView->moveCursor(QTextCursor::End);
  outputView->insertPlainText(text);
  outputView->moveCursor(QTextCursor::End);
}

void SolverRunDialog::onFinished(int exitCode, QProcess::ExitStatus status)
{
  appendOutput();
  appendError();
  end(status == QProcess::NormalExit, exitCode);
}

void SolverRunDialog::onErrorOccurred(QProcess::ProcessError error)
{
  // A process that started reports its end through onFinished; only a failed start ends here.
  if (error != QProcess::FailedToStart)
    return;
  errorText += tr("quill could not be started: %1\n").arg(process.errorString());
  end(false, -1);
}

void SolverRunDialog::end(bool exitedNormally, int exitCode)
{
  if (ended)
    return;
  ended = true;
  hide();
  emit runEnded(exitedNormally, exitCode);
}
