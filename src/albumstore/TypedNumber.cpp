#include "albumstore/TypedNumber.h"

#include <algorithm>

namespace TypedNumber {

Answer parse(const QString &typed, int highest)
{
    if (typed.isEmpty())
        return {Answer::Kind::Empty, 0};
    int number = 0;
    for (const QChar c : typed) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return {Answer::Kind::OutOfRange, 0};
        // Stops counting once past the highest, so a long row of digits
        // cannot overflow.
        number = std::min(number * 10 + (c.unicode() - '0'), highest + 1);
    }
    if (number < 1 || number > highest)
        return {Answer::Kind::OutOfRange, 0};
    return {Answer::Kind::Accepted, number};
}

}  // namespace TypedNumber
