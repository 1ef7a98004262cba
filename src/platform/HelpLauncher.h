#pragma once

#include <QString>

enum class HelpFormat {
    WinHelp,
    HtmlHelp
};

// Opens the help file at its contents. "WinHelp" help is shown in the program's
// own help window, "HTML Help" in the desktop's web browser.
class HelpLauncher
{
public:
    virtual ~HelpLauncher() = default;
    virtual void showContents(HelpFormat format, const QString &helpFile) = 0;
};
