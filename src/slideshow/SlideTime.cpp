#include "slideshow/SlideTime.h"

#include <algorithm>
#include <climits>

namespace SlideTime {

int leadingNumber(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    long long value = 0;
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        value = std::min<long long>(value * 10 + (c.unicode() - '0'), 1LL + INT_MAX);
    }
    if (negative)
        value = -value;
    return int(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

bool isAcceptableReply(const QString &reply)
{
    return !reply.isEmpty() && leadingNumber(reply) >= 1;
}

int intervalMs(const QString &setting)
{
    const int seconds = leadingNumber(setting);
    if (seconds < 1)
        return kDefaultSeconds * 1000;
    return std::min(seconds, kMaxSeconds) * 1000;
}

}  // namespace SlideTime
