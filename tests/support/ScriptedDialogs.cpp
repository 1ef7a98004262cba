#include "support/ScriptedDialogs.h"

void ScriptedDialogs::message(const QString &text, const QString &title, Icon)
{
    m_shown << Shown{QStringLiteral("message"), text, title};
}

Dialogs::Answer ScriptedDialogs::next(Answer fallback)
{
    if (m_answers.isEmpty()) {
        m_unexpected = true;
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
}
