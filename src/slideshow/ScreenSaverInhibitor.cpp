#include "slideshow/ScreenSaverInhibitor.h"

#include <QCoreApplication>

#ifdef KOLUMBRA_HAVE_DBUS
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#endif

namespace {

#ifdef KOLUMBRA_HAVE_DBUS
QDBusMessage screenSaverCall(const QString &method)
{
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.ScreenSaver"),
                                          QStringLiteral("/org/freedesktop/ScreenSaver"),
                                          QStringLiteral("org.freedesktop.ScreenSaver"), method);
}
#endif

} // namespace

ScreenSaverInhibitor::ScreenSaverInhibitor(QString reason, QObject *parent)
    : QObject(parent)
    , m_reason(std::move(reason))
{
}

ScreenSaverInhibitor::~ScreenSaverInhibitor()
{
    m_wanted = false;
    sync();
}

void ScreenSaverInhibitor::setHeld(bool held)
{
    m_wanted = held;
    sync();
}

void ScreenSaverInhibitor::sync()
{
#ifdef KOLUMBRA_HAVE_DBUS
    if (m_asking)
        return;  // the answer to the last request decides what happens next
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    if (!m_wanted && m_cookie) {
        QDBusMessage release = screenSaverCall(QStringLiteral("UnInhibit"));
        release << *m_cookie;
        bus.call(release, QDBus::NoBlock);
        m_cookie.reset();
        return;
    }
    if (m_wanted && !m_cookie) {
        QDBusMessage hold = screenSaverCall(QStringLiteral("Inhibit"));
        hold << QCoreApplication::applicationName() << m_reason;
        m_asking = true;
        auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(hold), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
            call->deleteLater();
            m_asking = false;
            const QDBusPendingReply<uint> reply = *call;
            // No desktop service answering is no fault of the show.
            if (reply.isError())
                return;
            m_cookie = reply.value();
            sync();
        });
    }
#endif
}
