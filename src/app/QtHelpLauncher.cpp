#include "app/QtHelpLauncher.h"

#include "app/HelpWindow.h"

#include <QDesktopServices>
#include <QUrl>

QtHelpLauncher::QtHelpLauncher() = default;
QtHelpLauncher::~QtHelpLauncher() = default;

void QtHelpLauncher::showContents(HelpFormat format, const QString &helpFile)
{
    if (format == HelpFormat::HtmlHelp) {
        QUrl url = QUrl::fromLocalFile(helpFile);
        url.setFragment(QStringLiteral("contents"));
        QDesktopServices::openUrl(url);
        return;
    }
    if (!m_window)
        m_window = std::make_unique<HelpWindow>();
    m_window->showContents(helpFile);
}
