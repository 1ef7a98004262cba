#pragma once

#include <QString>

// Every question and message the windows put to the user goes through here, so
// that tests can answer them from a script and check the exact wording.
class Dialogs
{
public:
    enum class Answer {
        Ok,
        Yes,
        No,
        Cancel
    };
    enum class Icon {
        None,
        Information,
        Warning,
        Critical,
        Question
    };

    // The title of every warning and question the program puts to the user.
    static inline const QString kWarning = QStringLiteral("WARNING");

    virtual ~Dialogs() = default;

    // A message with an OK button.
    virtual void message(const QString &text, const QString &title, Icon icon = Icon::None) = 0;
    // Returns Yes or No (closing the box counts as No).
    virtual Answer askYesNo(const QString &text, const QString &title, Icon icon = Icon::Question) = 0;
    // Returns Yes, No or Cancel (closing the box counts as Cancel).
    virtual Answer askYesNoCancel(const QString &text, const QString &title, Icon icon = Icon::Question) = 0;
    // Returns the typed text; Cancel gives the empty text, as users of these
    // boxes have always been told.
    virtual QString input(const QString &prompt, const QString &title, const QString &defaultText = {}) = 0;
};
