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

void release(uint cookie)
{
    QDBusMessage call = screenSaverCall(QStringLiteral("UnInhibit"));
    call << cookie;
    QDBusConnection::sessionBus().call(call, QDBus::NoBlock);
}
#endif

}  // namespace

ScreenSaverInhibitor::ScreenSaverInhibitor(QString reason, QObject *parent)
    : QObject(parent)
    , m_reason(std::move(reason))
{
}

ScreenSaverInhibitor::~ScreenSaverInhibitor()
{
    m_wanted = false;
#ifdef KOLUMBRA_HAVE_DBUS
    if (m_asking) {
        // The answer still to come is a hold nobody would give back: it is
        // given back as soon as it comes.
        m_asking->disconnect(this);
        m_asking->setParent(QCoreApplication::instance());
        connect(m_asking, &QDBusPendingCallWatcher::finished, m_asking, [](QDBusPendingCallWatcher *call) {
            call->deleteLater();
            const QDBusPendingReply<uint> reply = *call;
            if (!reply.isError())
                release(reply.value());
        });
        m_asking = nullptr;
    }
#endif
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
        release(*m_cookie);
        m_cookie.reset();
        return;
    }
    if (m_wanted && !m_cookie) {
        QDBusMessage hold = screenSaverCall(QStringLiteral("Inhibit"));
        hold << QCoreApplication::applicationName() << m_reason;
        m_asking = new QDBusPendingCallWatcher(bus.asyncCall(hold), this);
        connect(m_asking, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
            call->deleteLater();
            m_asking = nullptr;
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
