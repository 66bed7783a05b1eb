#include "mainwindow.h"
#include "platform_paths.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QSplashScreen>
#include <QThread>

namespace
{
// How long the splash picture stays before the main window appears.
const int SPLASH_MS = 3000;
} // namespace

int main(int argc, char *argv[])
{
  // (1) the application; (2) the splash picture, from the working directory or beside the
  // program; (3) a pause that keeps the splash painted, ended early by a click that hides
  // it; (4) the main window with its controls locked until a project is opened.
  QApplication application(argc, argv);

  QSplashScreen splash(QPixmap(locateInstallationFile(QStringLiteral("someResource/loading.png"))),
                       Qt::WindowStaysOnTopHint);
  splash.show();

  QElapsedTimer shown;
  shown.start();
  while (shown.elapsed() < SPLASH_MS && splash.isVisible())
  {
    application.processEvents();
    QThread::msleep(20);
  }

  MainWindow window;
  window.lockControls();
  window.show();
  splash.finish(&window);
  return application.exec();
}
