#include "platform/QtPrinterSeam.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

QString QtPrinterSeam::defaultPrinter() const
{
    QString name = QPrinterInfo::defaultPrinterName();
    if (!name.isEmpty())
        return name;
    const QStringList installed = QPrinterInfo::availablePrinterNames();
    return installed.isEmpty() ? QString() : installed.first();
}

QString QtPrinterSeam::askPdfFileName(const QString &suggestedName)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    QString file =
        QFileDialog::getSaveFileName(QApplication::activeWindow(), QStringLiteral("Save the page as PDF"),
                                     QDir(folder).filePath(suggestedName), QStringLiteral("PDF files (*.pdf)"));
    if (!file.isEmpty() && !file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        file += QStringLiteral(".pdf");
    return file;
}

bool QtPrinterSeam::printPage(const QImage &picture, QPageLayout::Orientation orientation, const Placement &place,
                              const QString &pdfFile)
{
    QPrinter printer(QPrinter::HighResolution);
    if (pdfFile.isEmpty()) {
        const QString name = defaultPrinter();
        if (name.isEmpty())
            return false;
        printer.setPrinterName(name);
    } else {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile);
    }
    printer.setDocName(QStringLiteral("KoLumbra"));
    printer.setFullPage(false);  // the painter starts at the printable area's top left
    printer.setPageOrientation(orientation);
    if (!printer.isValid())
        return false;

    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRectF target = place(printer.pageRect(QPrinter::Point).size());
    const double dotsPerPoint = printer.resolution() / 72.0;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(target.topLeft() * dotsPerPoint, target.size() * dotsPerPoint), picture);
    const bool sent = painter.end() && printer.printerState() != QPrinter::Error;
    // The file was opened (and emptied) by now; a half-written one is no page,
    // so take it away rather than leave it looking printed.
    if (!sent && !pdfFile.isEmpty())
        QFile::remove(pdfFile);
    return sent;
}
