#pragma once

#include <QImage>
#include <QPageLayout>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>

// The printer as the windows see it: one page with one picture on it, sent to
// the default printer or written to a PDF file. Tests print into PDF files and
// never see a dialog.
class PrinterSeam
{
public:
    // Where the picture goes, given the size of the printable area; both in
    // points (1/72 inch), from the printable area's top left corner.
    using Placement = std::function<QRectF(const QSizeF &printable)>;

    virtual ~PrinterSeam() = default;

    // The printer pages go to; empty when no printer is installed.
    virtual QString defaultPrinter() const = 0;
    // Asks where to save a page as a PDF file, offering suggestedName; empty
    // when the user cancels.
    virtual QString askPdfFileName(const QString &suggestedName) = 0;
    // Prints one page in the given orientation holding picture where place
    // puts it: on the default printer, or into pdfFile when one is given.
    // False when the printer or the file reports a failure; a page that was
    // not sent leaves no file behind.
    virtual bool printPage(const QImage &picture, QPageLayout::Orientation orientation, const Placement &place,
                           const QString &pdfFile = {}) = 0;
};
