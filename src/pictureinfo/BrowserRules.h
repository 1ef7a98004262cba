#pragma once

#include "pictureinfo/BrowserMode.h"

#include <QString>

// The rules of the database browser that need no window: which buttons may be
// pressed, where a move button goes, and what the two counters say.
//
// Positions count from 1 as the user sees them; 0 means no row is shown.
namespace BrowserRules {

struct MoveButtons
{
    bool first = false;
    bool previous = false;
    bool next = false;
    bool last = false;

    friend bool operator==(const MoveButtons &a, const MoveButtons &b)
    {
        return a.first == b.first && a.previous == b.previous && a.next == b.next && a.last == b.last;
    }
};

// Every button of the window that a group sets.
struct Buttons
{
    bool close = false;
    bool cancel = false;
    bool edit = false;
    bool addNew = false;
    bool deleteRecord = false;
    bool search = false;
    MoveButtons moves;

    friend bool operator==(const Buttons &a, const Buttons &b)
    {
        return a.close == b.close && a.cancel == b.cancel && a.edit == b.edit && a.addNew == b.addNew
            && a.deleteRecord == b.deleteRecord && a.search == b.search && a.moves == b.moves;
    }
};

// The buttons that may be pressed in a mode, with `count` rows in the set and
// row `current` shown: while browsing everything but Cancel (Edit and Delete
// only with a row shown, the move buttons where they can go); in the middle
// of a change or a search only what ends it.
Buttons buttonsFor(BrowserMode mode, int count, int current);

// The move buttons for row `current` of `count` rows: First and Previous
// where there is a row before it, Next and Last where there is one after it.
MoveButtons movesAt(int count, int current);

enum class Move {
    First,
    Previous,
    Next,
    Last
};

struct MoveOutcome
{
    bool acts = false;  // a press that does not act changes nothing
    int current = 0;    // the row shown afterwards
    MoveButtons moves;  // the move buttons afterwards
};

// What pressing a move button does on row `current` of `count` rows.
MoveOutcome move(Move button, int count, int current);

QString foundText(int count);
QString currentText(int current);

}  // namespace BrowserRules
