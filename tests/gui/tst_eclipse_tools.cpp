// The File-menu entries that run quill-import and quill-export.

#include "eclipse_tool_commands.h"
#include "eclipse_tools.h"
#include "mainwindow.h"
#include "message_box_catcher.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
const int TOOL_TIMEOUT_MS = 60000;
} // namespace

class TestEclipseTools : public QObject
{
  Q_OBJECT

private slots:
  void fileMenuHoldsBothEntriesAboveQuit();
  void importedRootName_data();
  void importedRootName();
  void importRunAndExportAnEclipseDeck();
  void failedImportShowsTheToolsMessageAndKeepsTheProject();
};

void TestEclipseTools::fileMenuHoldsBothEntriesAboveQuit()
{
  MainWindow window;
  const QList<QAction *> actions = window.findChild<QMenu *>(QStringLiteral("menuFile"))->actions();
  QStringList texts;
  for (QAction *action : actions)
    texts << action->text();
  const int quit = int(actions.indexOf(window.findChild<QAction *>(QStringLiteral("actionQuit"))));
  QVERIFY(texts.indexOf(QStringLiteral("Import Eclipse Deck...")) >= 0);
  QVERIFY(texts.indexOf(QStringLiteral("Export for ResInsight/ParaView")) >= 0);
  QVERIFY(texts.indexOf(QStringLiteral("Export for ResInsight/ParaView")) < quit);
}

void TestEclipseTools::importedRootName_data()
{
  QTest::addColumn<QString>("deck");
  QTest::addColumn<QString>("root");
  QTest::newRow("upper case") << "/data/NORNE.DATA" << "NORNE";
  QTest::newRow("lower case") << "/data/field.data" << "field";
  QTest::newRow("further dots") << "/data/my.case.v2.DATA" << "my_case_v2";
}

void TestEclipseTools::importedRootName()
{
  QFETCH(QString, deck);
  QFETCH(QString, root);
  QCOMPARE(::importedRootName(deck), root);
  QCOMPARE(importCommand("quill-import", deck, "/out").arguments, QStringList({deck, "/out", root}));
}

void TestEclipseTools::importRunAndExportAnEclipseDeck()
{
  QTemporaryDir folder;
  MainWindow window;
  window.lockControls();
  window.setSolverProgram(VELDRA_SOLVER);
  auto *tools = window.findChild<EclipseTools *>();
  tools->setProgramDirectory(VELDRA_TOOLS_DIR);
  MessageBoxCatcher boxes;
  QSignalSpy finished(tools, &EclipseTools::toolFinished);

  tools->importDeck(VELDRA_EXAMPLES_DIR "/eclipse_oil/ECLIPSE_OIL.DATA", folder.path());
  QVERIFY(finished.wait(TOOL_TIMEOUT_MS));
  QCOMPARE(finished.takeFirst().at(0).toBool(), true);
  QVERIFY(window.project());
  QCOMPARE(window.project()->deckFilePath, folder.filePath("ECLIPSE_OIL.fip"));

  QSignalSpy ran(&window, &MainWindow::runFinished);
  window.runSolver();
  QVERIFY(ran.wait(TOOL_TIMEOUT_MS));
  QCOMPARE(ran.takeFirst().at(0).toBool(), true);

  tools->exportResults();
  QVERIFY(finished.wait(TOOL_TIMEOUT_MS));
  QCOMPARE(finished.takeFirst().at(0).toBool(), true);
  for (const char *file : {"ECLIPSE_OIL.EGRID", "ECLIPSE_OIL.INIT", "ECLIPSE_OIL.UNRST", "ECLIPSE_OIL.SMSPEC",
                           "ECLIPSE_OIL.UNSMRY", "ECLIPSE_OIL.vtu", "ECLIPSE_OIL.pvd"})
    QVERIFY2(QFileInfo::exists(folder.filePath(file)), file);
  QVERIFY(boxes.texts.last().contains("for ResInsight"));
}

void TestEclipseTools::failedImportShowsTheToolsMessageAndKeepsTheProject()
{
  QTemporaryDir folder;
  QFile bad(folder.filePath("BAD.DATA"));
  QVERIFY(bad.open(QIODevice::WriteOnly));
  bad.write("RUNSPEC\nDIMENS\n 2 2 /\n");
  bad.close();
  MainWindow window;
  auto *tools = window.findChild<EclipseTools *>();
  tools->setProgramDirectory(VELDRA_TOOLS_DIR);
  MessageBoxCatcher boxes;
  QSignalSpy finished(tools, &EclipseTools::toolFinished);

  tools->importDeck(folder.filePath("BAD.DATA"), folder.path());
  QVERIFY(finished.wait(TOOL_TIMEOUT_MS));
  QCOMPARE(finished.takeFirst().at(0).toBool(), false);
  QVERIFY(!window.project());
  QCOMPARE(boxes.texts.size(), 1);
  QVERIFY2(boxes.texts.first().startsWith("Error!|Import Eclipse Deck did not succeed.|Error: The deck "),
           qPrintable(boxes.texts.first()));
}

QTEST_MAIN(TestEclipseTools)
#include "tst_eclipse_tools.moc"
