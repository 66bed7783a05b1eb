// Renders the user documentation, Markdown files given in reading order, into one PDF.
// Usage: render_manual <output.pdf> <first.md> [<more.md> ...]

#include <QFile>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include <cstdio>

int main(int argc, char *argv[])
{
  QGuiApplication application(argc, argv);
  if (argc < 3)
  {
    std::fprintf(stderr, "Usage: render_manual <output.pdf> <first.md> [<more.md> ...]\n");
    return 1;
  }

  QString markdown;
  for (int i = 2; i < argc; ++i)
  {
    QFile source(QFile::decodeName(argv[i]));
    if (!source.open(QIODevice::ReadOnly | QIODevice::Text))
    {
      std::fprintf(stderr, "Cannot read %s\n", argv[i]);
      return 1;
    }
    markdown += QString::fromUtf8(source.readAll()) + QStringLiteral("\n\n");
  }

  QTextDocument document;
  document.setMarkdown(markdown);

  // QPdfWriter writes the file as it prints; a failed print must not leave half a manual behind.
  const QString output = QFile::decodeName(argv[1]);
  const QString partial = output + QStringLiteral(".part");
  {
    QPdfWriter writer(partial);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setTitle(QStringLiteral("Veldra User Manual"));
    document.print(&writer);
  }
  QFile::remove(output);
  if (!QFile::rename(partial, output))
  {
    std::fprintf(stderr, "Cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
