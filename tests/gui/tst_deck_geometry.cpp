// Reading the grid, cell positions and property arrays of a deck.

#include "deck_geometry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace
{
void writeFile(const QString &path, const QByteArray &text)
{
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(text);
}

std::vector<double> values(const CellArray &array)
{
  return array ? *array : std::vector<double>();
}
} // namespace

class TestDeckGeometry : public QObject
{
  Q_OBJECT

private slots:
  void constantValuesFillEveryCell();
  void includedFilesAreTheOnesTheDeckNames();
  void missingOrShortDataGiveZerosAndWarnings();
  void keywordsMatchWholeLinesOnly();
  void simulationEndsTheKeywordSection();
  void producedFluidComesFromThePressureModel_data();
  void producedFluidComesFromThePressureModel();
  void deckWithoutDimensionsGivesEmptyGrid();
  void oversizedDimensionsGiveEmptyGrid_data();
  void oversizedDimensionsGiveEmptyGrid();
  void readsGoldenDeck();

private:
  QTemporaryDir dir;
  QString deck() const { return dir.filePath(QStringLiteral("case.fip")); }
};

void TestDeckGeometry::constantValuesFillEveryCell()
{
  writeFile(deck(), "DIMENS\n3 2 2\nDX\n100\nDY\n50.5 /\nDZ\n10\nPORO\n0.2\nPERMX\n5\n");
  const DeckGeometry g = readDeckGeometry(deck());
  QCOMPARE(g.warnings, QStringList());
  QCOMPARE(g.nx, 3);
  QCOMPARE(g.ny, 2);
  QCOMPARE(g.nz, 2);
  QCOMPARE(g.cellCount, 12);
  QCOMPARE(values(g.poro), std::vector<double>(12, 0.2));
  QCOMPARE(values(g.permX), std::vector<double>(12, 5.0));
  // No PERMY or PERMZ: isotropic, the very same array.
  QCOMPARE(g.permY.get(), g.permX.get());
  QCOMPARE(g.permZ.get(), g.permX.get());
  QCOMPARE(values(g.cellX), std::vector<double>({0, 100, 200, 0, 100, 200, 0, 100, 200, 0, 100, 200}));
  QCOMPARE(values(g.cellY), std::vector<double>({0, 0, 0, 50.5, 50.5, 50.5, 0, 0, 0, 50.5, 50.5, 50.5}));
  QCOMPARE(values(g.cellZ), std::vector<double>({0, 0, 0, 0, 0, 0, 10, 10, 10, 10, 10, 10}));
  QVERIFY(!g.hasPressureModel);
}

void TestDeckGeometry::includedFilesAreTheOnesTheDeckNames()
{
  writeFile(dir.filePath("sizes x.inc"), "10 20\n30 40\n");
  writeFile(dir.filePath("my_poro.inc"), "0.1 0.2 0.3 0.4 extra text\n");
  writeFile(dir.filePath("py.inc"), "1\n2\n3\n4\n");
  writeFile(dir.filePath("poro.inc"), "9 9 9 9\n"); // a decoy with the conventional name
  writeFile(deck(), "DIMENS\n2 2 1\nDX\nINCLUDE\nsizes x.inc\nDY\n7\nDZ\n3\nPORO\nINCLUDE\nmy_poro.inc\n"
                    "PERMX\n8\nPERMY\nINCLUDE\npy.inc\n");
  const DeckGeometry g = readDeckGeometry(deck());
  QCOMPARE(g.warnings, QStringList());
  QCOMPARE(values(g.poro), std::vector<double>({0.1, 0.2, 0.3, 0.4}));
  QCOMPARE(values(g.permY), std::vector<double>({1, 2, 3, 4}));
  QVERIFY(g.permY.get() != g.permX.get());
  QCOMPARE(g.permZ.get(), g.permX.get());
  // Per-cell sizes: a cell's x is the sum of the sizes of the cells before it in its row.
  QCOMPARE(values(g.cellX), std::vector<double>({0, 10, 0, 30}));
  QCOMPARE(values(g.cellY), std::vector<double>({0, 0, 7, 7}));
}

void TestDeckGeometry::missingOrShortDataGiveZerosAndWarnings()
{
  writeFile(dir.filePath("short.inc"), "1 2 3\n");
  writeFile(deck(), "DIMENS\n2 2 1\nDX\nabc\nPORO\nINCLUDE\nshort.inc\nPERMX\nINCLUDE\nabsent.inc\n");
  const DeckGeometry g = readDeckGeometry(deck());
  QCOMPARE(g.cellCount, 4);
  QCOMPARE(values(g.poro), std::vector<double>({1, 2, 3, 0}));
  QCOMPARE(values(g.permX), std::vector<double>(4, 0.0));
  QCOMPARE(values(g.cellX), std::vector<double>(4, 0.0));
  QCOMPARE(values(g.cellZ).size(), size_t(4));
  const QString warnings = g.warnings.join('\n');
  QVERIFY2(warnings.contains("The DX value cannot be read; 0 is used."), qPrintable(warnings));
  QVERIFY2(warnings.contains("The PORO file short.inc holds 3 of 4 values; the rest are 0."), qPrintable(warnings));
  QVERIFY2(warnings.contains("The PERMX file absent.inc cannot be read; 0 is used."), qPrintable(warnings));
  QVERIFY2(warnings.contains("The deck gives no DY; 0 is used."), qPrintable(warnings));

  QVERIFY(!readDeckGeometry(dir.filePath("absent.fip")).warnings.isEmpty());

  // A pipe would keep the reader waiting for a writer for ever.
  QCOMPARE(mkfifo(QFile::encodeName(dir.filePath("pipe.inc")).constData(), 0600), 0);
  writeFile(deck(), "DIMENS\n2 2 1\nPORO\nINCLUDE\npipe.inc\n");
  const QString pipeWarnings = readDeckGeometry(deck()).warnings.join('\n');
  QVERIFY2(pipeWarnings.contains("The PORO file pipe.inc cannot be read; 0 is used."), qPrintable(pipeWarnings));
  QVERIFY(!readDeckGeometry(dir.filePath("pipe.inc")).warnings.isEmpty());
}

void TestDeckGeometry::keywordsMatchWholeLinesOnly()
{
  writeFile(deck(), "-- PORO\nDIMENS\n2 1 1 -- comment\r\nPORO \n0.5\nporo\n0.6\nPORO\r\n0.25\n");
  const DeckGeometry g = readDeckGeometry(deck());
  QCOMPARE(g.nx, 2);
  QCOMPARE(values(g.poro), std::vector<double>(2, 0.25));

  // A UTF-8 byte order mark, as some Windows editors write, at the start of a deck or an
  // included file is not part of its first keyword or value.
  const QByteArray mark = "\xEF\xBB\xBF";
  writeFile(dir.filePath("marked.inc"), mark + "0.1 0.2\n");
  writeFile(deck(), mark + "DIMENS\n2 1 1\nDX\n1\nDY\n1\nDZ\n1\nPERMX\n1\nPORO\nINCLUDE\nmarked.inc\n");
  const DeckGeometry marked = readDeckGeometry(deck());
  QCOMPARE(marked.warnings.join('\n'), QString());
  QCOMPARE(marked.nx, 2);
  QCOMPARE(values(marked.poro), std::vector<double>({0.1, 0.2}));
}

void TestDeckGeometry::simulationEndsTheKeywordSection()
{
  writeFile(deck(), "DIMENS\n1 1 2\nPORO\n0.3\nSIMULATION\nPORO\n0.9\n");
  const DeckGeometry g = readDeckGeometry(deck());
  QVERIFY(g.hasPressureModel);
  QCOMPARE(values(g.poro), std::vector<double>(2, 0.3));
  QCOMPARE(g.producedFluid, ProducedFluid::Oil);
}

void TestDeckGeometry::producedFluidComesFromThePressureModel_data()
{
  QTest::addColumn<QByteArray>("model");
  QTest::addColumn<bool>("gas");
  QTest::newRow("gas in the deck") << QByteArray("SIMULATION\n-- model\nOIL\nGAS\n") << true;
  QTest::newRow("oil in the deck") << QByteArray("SIMULATION\n-- model\nOIL\nPVDO\n") << false;
  QTest::newRow("GAS after END") << QByteArray("SIMULATION\n-- model\nOIL\nEND\nGAS\n") << false;
  QTest::newRow("GAS on the skipped line") << QByteArray("SIMULATION\nGAS\nOIL\n") << false;
  QTest::newRow("gas in the included model") << QByteArray("SIMULATION\nINCLUDE\nmodel.inc\n") << true;
  QTest::newRow("missing included model") << QByteArray("SIMULATION\nINCLUDE\nnone.inc\n") << false;
}

void TestDeckGeometry::producedFluidComesFromThePressureModel()
{
  QFETCH(QByteArray, model);
  QFETCH(bool, gas);
  writeFile(dir.filePath("model.inc"), "-- pressure model\nGAS\nDUALPORO\n");
  writeFile(deck(), "DIMENS\n1 1 1\n" + model);
  QCOMPARE(readDeckGeometry(deck()).producedFluid, gas ? ProducedFluid::Gas : ProducedFluid::Oil);
}

void TestDeckGeometry::deckWithoutDimensionsGivesEmptyGrid()
{
  writeFile(deck(), "PORO\n0.3\nDIMENS\nx y z\n");
  const DeckGeometry g = readDeckGeometry(deck());
  QCOMPARE(g.cellCount, 0);
  QVERIFY(g.poro && g.poro->empty());
  QVERIFY(g.cellX && g.cellX->empty());
  QVERIFY(g.warnings.join('\n').contains("PORO comes before DIMENS and is ignored."));
  QVERIFY(g.warnings.join('\n').contains("DIMENS values cannot be read"));
}

void TestDeckGeometry::oversizedDimensionsGiveEmptyGrid_data()
{
  QTest::addColumn<QByteArray>("dimensions");
  QTest::newRow("product above the limit") << QByteArray("1000 1000 1000");
  // Each factor alone is below 2^63, their product is not.
  QTest::newRow("product overflows 64 bits") << QByteArray("4000000000 4000000000 4000000000");
  QTest::newRow("empty grid with a huge side") << QByteArray("0 9000000000000 1");
}

void TestDeckGeometry::oversizedDimensionsGiveEmptyGrid()
{
  QFETCH(QByteArray, dimensions);
  writeFile(deck(), "DIMENS\n" + dimensions + "\nPORO\n0.3\n");
  const DeckGeometry g = readDeckGeometry(deck());
  QCOMPARE(g.cellCount, 0);
  QCOMPARE(g.nx, 0);
  QVERIFY(g.poro && g.poro->empty());
  QVERIFY(g.warnings.join('\n').contains("DIMENS values cannot be read or are out of range"));
}

void TestDeckGeometry::readsGoldenDeck()
{
  const QString golden = QStringLiteral(VELDRA_GOLDEN_DIR "/case1/case1.fip");
  if (!QFile::exists(golden))
    QSKIP("the golden decks are not available here");
  const DeckGeometry g = readDeckGeometry(golden);
  QCOMPARE(g.nx, 5);
  QCOMPARE(g.ny, 17);
  QCOMPARE(g.nz, 8);
  QCOMPARE(g.warnings, QStringList());
  QCOMPARE(g.cellX->at(1), 238.581);
  QVERIFY(qAbs(g.cellZ->at(5 * 17 * 7) - 7 * 238.581) < 1e-9);
  QCOMPARE(g.permY.get(), g.permX.get());
  QCOMPARE(g.permX->at(0), 0.485609);
  QVERIFY(g.poro->at(0) > 0.0 && g.poro->at(0) < 1.0);
}

QTEST_GUILESS_MAIN(TestDeckGeometry)
#include "tst_deck_geometry.moc"
