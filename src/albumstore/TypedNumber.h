#pragma once

#include <QString>

// A page or picture number typed into a prompt. Only digits count ("05" is
// 5); a sign, a blank, a fraction or a word is out of range, like a number
// below 1 or above the highest. Callers that use the reply only as a number
// trim blanks first; the description browser keeps the reply as typed, since
// it looks the picture file up under it.
namespace TypedNumber {

struct Answer
{
    enum class Kind {
        Empty,       // nothing typed, or the box was cancelled
        OutOfRange,  // not a whole number from 1 to the highest
        Accepted,
    };
    Kind kind = Kind::Empty;
    int number = 0;  // the accepted number

    bool accepted() const { return kind == Kind::Accepted; }
};

Answer parse(const QString &typed, int highest);

}  // namespace TypedNumber
