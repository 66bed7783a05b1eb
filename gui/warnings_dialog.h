#ifndef VELDRA_WARNINGS_DIALOG_H
#define VELDRA_WARNINGS_DIALOG_H

#include <QDialog>
#include <QStringList>

class QLabel;
class QPlainTextEdit;

// A modeless list of warnings (of the deck just opened, of the results just loaded) that the
// user reads at leisure, one warning a line, and closes when done.
class WarningsDialog : public QDialog
{
  Q_OBJECT

public:
  explicit WarningsDialog(QWidget *parent = nullptr);

  // Shows the warnings under a heading that says whose they are; title: the window title.
  void setWarnings(const QString &title, const QString &heading, const QStringList &warnings);

private:
  QLabel *headingLabel;
  QPlainTextEdit *warningList;
};

#endif // VELDRA_WARNINGS_DIALOG_H
