#pragma once

#include "platform/HelpLauncher.h"

#include <memory>

class HelpWindow;

// "WinHelp Format": the program's own help window. "HTML Help Format": the
// desktop's web browser.
class QtHelpLauncher : public HelpLauncher
{
public:
    QtHelpLauncher();
    ~QtHelpLauncher() override;
    void showContents(HelpFormat format, const QString &helpFile) override;

private:
    std::unique_ptr<HelpWindow> m_window;
};
