#pragma once

#include <QObject>
#include <QString>

#include <optional>

class QDBusPendingCallWatcher;

// Holds off the screen saver and the screen lock while held, through the
// desktop's org.freedesktop.ScreenSaver interface on the session bus. Where
// there is no such bus or service, holding it does nothing, quietly. The
// calls never block the window: the desktop answers when it answers.
class ScreenSaverInhibitor : public QObject
{
    Q_OBJECT

public:
    explicit ScreenSaverInhibitor(QString reason, QObject *parent = nullptr);
    // Gives the screen saver back.
    ~ScreenSaverInhibitor() override;

    void setHeld(bool held);
    // Whether the screen saver is meant to be held off (the desktop may not
    // have answered yet, or may not be there at all).
    bool isHeld() const { return m_wanted; }

private:
    void sync();

    QString m_reason;
    bool m_wanted = false;
    // The Inhibit call still waiting for the desktop's answer.
    QDBusPendingCallWatcher *m_asking = nullptr;
    std::optional<uint> m_cookie;
};
