#ifndef VELDRA_TESTS_MESSAGE_BOX_CATCHER_H
#define VELDRA_TESTS_MESSAGE_BOX_CATCHER_H

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

// Closes every message box as soon as it shows and keeps its texts, each as
// "<title>|<text>|<informative text>".
class MessageBoxCatcher : public QObject
{
public:
  MessageBoxCatcher()
  {
    connect(&timer, &QTimer::timeout, this, [this] {
      for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible())
        {
          texts << box->windowTitle() + "|" + box->text() + "|" + box->informativeText();
          box->done(QMessageBox::Ok);
        }
    });
    timer.start(20);
  }
  QStringList texts;

private:
  QTimer timer;
};

#endif // VELDRA_TESTS_MESSAGE_BOX_CATCHER_H
