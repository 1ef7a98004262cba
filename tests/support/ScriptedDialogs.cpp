#include "support/ScriptedDialogs.h"

#include <QtGlobal>

namespace {

// A window that asks again after every unscripted answer would spin until
// the test run's timeout; stop at once and name the question instead.
void noteUnscripted(int &count, const QString &text)
{
    if (++count >= 100)
        qFatal("ScriptedDialogs: asked 100 times with no scripted answer: %s", qPrintable(text));
}

}  // namespace

void ScriptedDialogs::message(const QString &text, const QString &title, Icon)
{
    m_shown << Shown{QStringLiteral("message"), text, title};
}

Dialogs::Answer ScriptedDialogs::next(Answer fallback)
{
    if (m_answers.isEmpty()) {
        m_unexpected = true;
        noteUnscripted(m_unscripted, m_shown.last().text);
        return fallback;
    }
    return m_answers.takeFirst();
}

Dialogs::Answer ScriptedDialogs::askYesNo(const QString &text, const QString &title, Icon)
{
    m_shown << Shown{QStringLiteral("yesno"), text, title};
    return next(Answer::No);
}

Dialogs::Answer ScriptedDialogs::askYesNoCancel(const QString &text, const QString &title, Icon)
{
    m_shown << Shown{QStringLiteral("yesnocancel"), text, title};
    return next(Answer::Cancel);
}

QString ScriptedDialogs::input(const QString &prompt, const QString &title, const QString &)
{
    m_shown << Shown{QStringLiteral("input"), prompt, title};
    if (m_inputs.isEmpty()) {
        m_unexpected = true;
        noteUnscripted(m_unscripted, prompt);
        return {};
    }
    return m_inputs.takeFirst();
}

void ScriptedDialogs::clear()
{
    m_shown.clear();
    m_answers.clear();
    m_inputs.clear();
    m_unexpected = false;
    m_unscripted = 0;
}
