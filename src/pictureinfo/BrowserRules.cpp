#include "pictureinfo/BrowserRules.h"

namespace BrowserRules {

MoveButtons movesAt(int count, int current)
{
    const bool shown = current >= 1 && current <= count;
    const bool before = shown && current > 1;
    const bool after = shown && current < count;
    return {before, before, after, after};
}

Buttons initialButtons(int count, int current)
{
    Buttons b;
    b.close = b.edit = b.addNew = b.deleteRecord = b.search = true;
    b.moves = movesAt(count, current);
    return b;
}

Buttons noAlbumButtons()
{
    Buttons b;
    b.close = b.addNew = b.search = true;
    return b;
}

Buttons buttonsOff()
{
    return {};
}

Buttons browsing(int count, int current)
{
    return current >= 1 && current <= count ? initialButtons(count, current) : noAlbumButtons();
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
