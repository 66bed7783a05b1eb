#include "plot_picture.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QMessageBox>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSpinBox>
#include <QSvgGenerator>
#include <qcustomplot.h>

#include <optional>

namespace {

// Screen resolution the plot is laid out for, so that fonts keep their size in a picture.
constexpr int PICTURE_DPI = 96;
// Largest side of a picture, in pixels.
constexpr int MAX_PICTURE_SIDE = 20000;

// Draws the plot through a vector painter (PDF, SVG).
void paintVector(QCustomPlot *plot, QPaintDevice *device, const QSize &size)
{
    QCPPainter painter(device);
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    plot->toPainter(&painter, size.width(), size.height());
}

QString writePicture(QCustomPlot *plot, QSaveFile &file, const QString &format, const QSize &size)
{
    if (format == QLatin1String("png")) {
        if (!plot->toPixmap(size.width(), size.height()).save(&file, "PNG"))
            return QStringLiteral("The PNG picture could not be written.");
    } else if (format == QLatin1String("pdf")) {
        QPdfWriter writer(&file);
        writer.setResolution(PICTURE_DPI);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setPageSize(QPageSize(QSizeF(size) / PICTURE_DPI, QPageSize::Inch));
        paintVector(plot, &writer, size);
    } else {
        QSvgGenerator generator;
        generator.setOutputDevice(&file);
        generator.setResolution(PICTURE_DPI);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        paintVector(plot, &generator, size);
    }
    return QString();
}

// Width and height of the picture, the plot's own to start with; nothing when cancelled.
std::optional<QSize> askPictureSize(const QSize &initial, QWidget *parent)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QObject::tr("Picture Size"));
    auto *width = new QSpinBox(&dialog);
    auto *height = new QSpinBox(&dialog);
    for (QSpinBox *side : {width, height}) {
        side->setRange(1, MAX_PICTURE_SIDE);
        side->setSuffix(QObject::tr(" px"));
    }
    width->setValue(initial.width());
    height->setValue(initial.height());
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    auto *layout = new QFormLayout(&dialog);
    layout->addRow(QObject::tr("&Width:"), width);
    layout->addRow(QObject::tr("&Height:"), height);
    layout->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return QSize(width->value(), height->value());
}

} // namespace

QString savePlotPicture(QCustomPlot *plot, const QString &path, const QSize &size)
{
    const QString format = QFileInfo(path).suffix().toLower();
    if (format != QLatin1String("png") && format != QLatin1String("pdf") && format != QLatin1String("svg"))
        return QStringLiteral("A picture is saved as .png, .pdf or .svg; %1 is none of these.")
            .arg(QFileInfo(path).fileName());
    if (size.width() < 1 || size.height() < 1 || size.width() > MAX_PICTURE_SIDE
        || size.height() > MAX_PICTURE_SIDE)
        return QStringLiteral("A picture is 1 to %1 pixels wide and high.").arg(MAX_PICTURE_SIDE);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("%1 cannot be written: %2").arg(QDir::toNativeSeparators(path), file.errorString());
    const QString failure = writePicture(plot, file, format, size);
    if (!failure.isEmpty()) {
        file.cancelWriting();
        return failure;
    }
    if (!file.commit())
        return QStringLiteral("%1 cannot be written: %2").arg(QDir::toNativeSeparators(path), file.errorString());
    return QString();
}

void savePlotPictureAs(QCustomPlot *plot, QWidget *parent)
{
    QString chosenFilter;
    QString path = QFileDialog::getSaveFileName(
        parent, QObject::tr("Save Picture"), QString(),
        QObject::tr("PNG image (*.png);;PDF document (*.pdf);;SVG drawing (*.svg)"), &chosenFilter);
    if (path.isEmpty())
        return;
    // A name typed without its ending takes the one of the chosen kind, "(*.pdf)" giving ".pdf".
    if (QFileInfo(path).suffix().isEmpty() && chosenFilter.endsWith(QLatin1Char(')')))
        path += chosenFilter.mid(chosenFilter.lastIndexOf(QLatin1Char('.'))).chopped(1);
    const std::optional<QSize> size = askPictureSize(plot->size(), parent);
    if (!size)
        return;
    const QString failure = savePlotPicture(plot, path, *size);
    if (!failure.isEmpty())
        QMessageBox::critical(parent, QObject::tr("Error!"), failure);
}

void copyPlotPicture(QCustomPlot *plot)
{
    QApplication::clipboard()->setPixmap(plot->toPixmap());
}
