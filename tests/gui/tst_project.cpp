// Choosing a deck as the project, and the command line that starts the solver on it.

#include "platform_paths.h"
#include "project.h"
#include "solver_command.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TestProject : public QObject
{
  Q_OBJECT

private slots:
  void acceptsOnlyLowerCaseFipWithoutFurtherDots_data();
  void acceptsOnlyLowerCaseFipWithoutFurtherDots();
  void acceptedProjectNamesDeckAndResults();
  void slashesAreDoubled_data();
  void slashesAreDoubled();
  void commandPassesNamesWithBlanksAsSingleArguments();
  void installationFilesPreferTheWorkingDirectory();
  void solverIsFoundOnThePath();
};

void TestProject::acceptsOnlyLowerCaseFipWithoutFurtherDots_data()
{
  QTest::addColumn<QString>("fileName");
  QTest::addColumn<bool>("accepted");
  QTest::newRow("lower-case extension") << "CASE.fip" << true;
  QTest::newRow("upper-case extension") << "CASE.FIP" << false;
  QTest::newRow("two dots") << "CASE.NEW.fip" << false;
  QTest::newRow("other extension") << "CASE.fipx" << false;
  QTest::newRow("no extension") << "CASE" << false;
  QTest::newRow("blank in name") << "my case.fip" << true;
}

void TestProject::acceptsOnlyLowerCaseFipWithoutFurtherDots()
{
  QFETCH(QString, fileName);
  QFETCH(bool, accepted);
  QTemporaryDir dir;
  QCOMPARE(projectFromChosenFile(dir.filePath(fileName)).has_value(), accepted);
}

void TestProject::acceptedProjectNamesDeckAndResults()
{
  QVERIFY(!projectFromChosenFile(QString()).has_value()); // a cancelled file dialog

  QTemporaryDir dir;
  const QString deck = dir.filePath(QStringLiteral("field.fip"));
  const std::optional<Project> project = projectFromChosenFile(deck);
  QVERIFY(project.has_value());
  QCOMPARE(project->deckFilePath, QFileInfo(deck).absoluteFilePath());
  QCOMPARE(project->deckBaseName, QStringLiteral("field"));
  QCOMPARE(project->rootName, QByteArray("field"));
  QCOMPARE(project->projectDir, QFileInfo(deck).absolutePath().toUtf8());
  QVERIFY(!project->projectDir.endsWith('/'));
  QCOMPARE(project->resultPath(QStringLiteral("_RATE")), QFileInfo(deck).absolutePath() + "/field_RATE");
}

void TestProject::slashesAreDoubled_data()
{
  QTest::addColumn<QByteArray>("directory");
  QTest::addColumn<QByteArray>("escaped");
  QTest::newRow("drive path") << QByteArray("D:/data/case1") << QByteArray("D://data//case1");
  QTest::newRow("absolute path") << QByteArray("/home/u/x") << QByteArray("//home//u//x");
  QTest::newRow("no slash") << QByteArray("runs") << QByteArray("runs");
}

void TestProject::slashesAreDoubled()
{
  QFETCH(QByteArray, directory);
  QFETCH(QByteArray, escaped);
  QCOMPARE(doubleSlashes(directory), escaped);
}

void TestProject::commandPassesNamesWithBlanksAsSingleArguments()
{
  Project project;
  project.rootName = "my case";
  project.projectDir = "/tmp/a b/$HOME;x";
  const SolverCommand command = solverCommand(QStringLiteral("/opt/quill"), project);
  QCOMPARE(command.program, QStringLiteral("/opt/quill"));
  QCOMPARE(command.arguments, QStringList({"my case", "//tmp//a b//$HOME;x"}));
}

void TestProject::installationFilesPreferTheWorkingDirectory()
{
  QTemporaryDir dir;
  const QString previous = QDir::currentPath();
  QVERIFY(QDir::setCurrent(dir.path()));
  const QString beside = QCoreApplication::applicationDirPath() + "/someResource/loading.png";
  QCOMPARE(locateInstallationFile("someResource/loading.png"), beside);
  QVERIFY(QDir().mkpath("someResource"));
  QFile picture("someResource/loading.png");
  QVERIFY(picture.open(QIODevice::WriteOnly));
  picture.close();
  QCOMPARE(locateInstallationFile("someResource/loading.png"), QFileInfo(picture).absoluteFilePath());
  QVERIFY(QDir::setCurrent(previous));
}

void TestProject::solverIsFoundOnThePath()
{
  QTemporaryDir dir;
  const QByteArray previous = qgetenv("PATH");
  qputenv("PATH", QFile::encodeName(dir.path()));
  QCOMPARE(locateSolver(), QString());
  QFile solver(dir.filePath("quill"));
  QVERIFY(solver.open(QIODevice::WriteOnly));
  solver.close();
  QVERIFY(solver.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
  QCOMPARE(locateSolver(), dir.filePath("quill"));
  qputenv("PATH", previous);
}

QTEST_GUILESS_MAIN(TestProject)
#include "tst_project.moc"
