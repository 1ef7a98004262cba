#include "pictureinfo/BrowserRules.h"

namespace BrowserRules {

MoveButtons movesAt(int count, int current)
{
    const bool shown = current >= 1 && current <= count;
    const bool before = shown && current > 1;
    const bool after = shown && current < count;
    return {before, before, after, after};
}

Buttons buttonsFor(BrowserMode mode, int count, int current)
{
    Buttons b;
    switch (mode) {
    case BrowserMode::Browsing:
        b.close = b.addNew = b.search = true;
        // With no row shown (an empty set, the last one deleted, an addition
        // to an empty table cancelled) Edit and Delete would have nothing to
        // act on.
        if (current >= 1 && current <= count) {
            b.edit = b.deleteRecord = true;
            b.moves = movesAt(count, current);
        }
        break;
    case BrowserMode::Editing:
    case BrowserMode::Adding:
        b.close = b.cancel = true;
        break;
    case BrowserMode::ChoosingPosition:
    case BrowserMode::ChoosingSearchField:
        b.cancel = true;
        break;
    case BrowserMode::EnteringSearchText:
        b.cancel = b.search = true;
        break;
    case BrowserMode::Deleting:
    case BrowserMode::Searching:
    case BrowserMode::NoDataFound:
        break;
    }
    return b;
}

MoveOutcome move(Move button, int count, int current)
{
    // A move lands on a row of the set or does nothing; with no row shown
    // there is nowhere to step from.
    int target = current;
    switch (button) {
    case Move::First:
        target = count >= 1 ? 1 : current;
        break;
    case Move::Last:
        target = count >= 1 ? count : current;
        break;
    case Move::Next:
        target = current >= 1 && current < count ? current + 1 : current;
        break;
    case Move::Previous:
        target = current > 1 && current <= count ? current - 1 : current;
        break;
    }
    if (target == current)
        return {false, current, movesAt(count, current)};
    return {true, target, movesAt(count, target)};
}

QString foundText(int count)
{
    return QStringLiteral("Found - %1 - Records").arg(count);
}

QString currentText(int current)
{
    return QStringLiteral("Current Record = %1").arg(current);
}

}  // namespace BrowserRules
