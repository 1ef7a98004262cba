#include "display/PageSender.h"

#include "platform/Dialogs.h"

#include <QDir>

namespace {

}  // namespace

PageSender::PageSender(PrinterSeam &printer, Dialogs &dialogs)
    : m_printer(printer)
    , m_dialogs(dialogs)
{
}

PageSender::Outcome PageSender::send(const QImage &picture, QPageLayout::Orientation orientation,
                                     const PrinterSeam::Placement &place, const QString &pdfName)
{
    const QString printer = m_printer.defaultPrinter();
    if (!printer.isEmpty()) {
        if (m_printer.printPage(picture, orientation, place))
            return Outcome::Printed;
        m_dialogs.message(QStringLiteral("The picture could not be printed on the printer \"%1\".").arg(printer),
                          Dialogs::kWarning, Dialogs::Icon::Warning);
        return Outcome::Failed;
    }

    if (m_dialogs.askYesNo(
            QStringLiteral("No printer is installed.\n\nDo you want to save the page as a PDF file instead?"),
            Dialogs::kWarning, Dialogs::Icon::Warning)
        != Dialogs::Answer::Yes)
        return Outcome::NotSent;
    const QString file = m_printer.askPdfFileName(pdfName);
    if (file.isEmpty())
        return Outcome::NotSent;
    if (m_printer.printPage(picture, orientation, place, file))
        return Outcome::SavedAsPdf;
    m_dialogs.message(QStringLiteral("The page could not be saved as %1.").arg(QDir::toNativeSeparators(file)),
                      Dialogs::kWarning, Dialogs::Icon::Warning);
    return Outcome::Failed;
}

QString PageSender::pdfNameFor(const QString &albumName, int page, int picture)
{
    return QStringLiteral("%1 P%2 picture %3.pdf").arg(albumName, QString::number(page), QString::number(picture));
}
