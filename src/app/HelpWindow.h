#pragma once

#include <QWidget>

class QTextBrowser;

// The program's own help window: the HTML help file, opened at its contents.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    HelpWindow();
    void showContents(const QString &helpFile);
    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser = nullptr;
};
