#pragma once

#include "platform/PrinterSeam.h"

class Dialogs;

// Sends a printed page on its way: to the default printer, or, when no printer
// is installed, into a PDF file if the user wants one. Every way a page does
// not arrive is told to the user; nothing counts as printed that was not.
class PageSender
{
public:
    enum class Outcome {
        Printed,
        SavedAsPdf,
        NotSent,
        Failed
    };

    PageSender(PrinterSeam &printer, Dialogs &dialogs);

    Outcome send(const QImage &picture, QPageLayout::Orientation orientation, const PrinterSeam::Placement &place,
                 const QString &pdfName);

    // The file name offered for a page saved as PDF, e.g. "Demo Album P1 picture 3.pdf".
    static QString pdfNameFor(const QString &albumName, int page, int picture);

private:
    PrinterSeam &m_printer;
    Dialogs &m_dialogs;
};
