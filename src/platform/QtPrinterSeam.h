#pragma once

#include "platform/PrinterSeam.h"

// Qt's print support: the system's default printer (or the only one there is
// when none is marked default), and Qt's own PDF output.
class QtPrinterSeam : public PrinterSeam
{
public:
    QString defaultPrinter() const override;
    QString askPdfFileName(const QString &suggestedName) override;
    bool printPage(const QImage &picture, QPageLayout::Orientation orientation, const Placement &place,
                   const QString &pdfFile = {}) override;
};
