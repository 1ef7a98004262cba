#pragma once

class QWidget;

// A top-level window of the program. The window owner calls activated each
// time the window becomes the program's active window after another of its
// windows was (message boxes do not count, nor switching to another program).
class OwnedWindow
{
public:
    virtual ~OwnedWindow() = default;
    virtual QWidget *widget() = 0;
    virtual void activated() { }
};
