#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QStringList>

// Answers the program's questions from a script and keeps every box it was
// shown, so tests can check the exact wording. A question nobody scripted an
// answer for is recorded as unexpected and answered No / Cancel / empty.
class ScriptedDialogs : public Dialogs
{
public:
    struct Shown
    {
        QString kind;  // "message", "yesno", "yesnocancel", "input"
        QString text;
        QString title;
    };

    void message(const QString &text, const QString &title, Icon icon = Icon::None) override;
    Answer askYesNo(const QString &text, const QString &title, Icon icon = Icon::Question) override;
    Answer askYesNoCancel(const QString &text, const QString &title, Icon icon = Icon::Question) override;
    QString input(const QString &prompt, const QString &title, const QString &defaultText = {}) override;

    void answer(Answer a) { m_answers << a; }
    void type(const QString &text) { m_inputs << text; }

    const QList<Shown> &shown() const { return m_shown; }
    QString lastText() const { return m_shown.isEmpty() ? QString() : m_shown.last().text; }
    bool unexpected() const { return m_unexpected; }
    bool allAnswered() const { return m_answers.isEmpty() && m_inputs.isEmpty(); }
    void clear();

private:
    Answer next(Answer fallback);

    QList<Shown> m_shown;
    QList<Answer> m_answers;
    QStringList m_inputs;
    bool m_unexpected = false;
    int m_unscripted = 0;
};
