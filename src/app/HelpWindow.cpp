#include "app/HelpWindow.h"

#include <QFileInfo>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow()
    : QWidget(nullptr, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("KoLumbra Help"));
    resize(720, 560);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setOpenExternalLinks(true);
    layout->addWidget(m_browser);
    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

void HelpWindow::showContents(const QString &helpFile)
{
    if (QFileInfo::exists(helpFile)) {
        m_browser->setSource(QUrl::fromLocalFile(helpFile));
        m_browser->scrollToAnchor(QStringLiteral("contents"));
    } else {
        // Like any help viewer, say so here rather than in a message box.
        m_browser->setHtml(QStringLiteral("<h2>Help is not available</h2><p>The help file %1 cannot be found.</p>")
                               .arg(helpFile.toHtmlEscaped()));
    }
    show();
    raise();
    activateWindow();
}
