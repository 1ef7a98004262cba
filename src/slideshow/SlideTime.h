#pragma once

#include <QString>

// The "Time" setting: how long each picture of a slideshow stays on screen.
// It is kept as the text the user typed ("12", "7 seconds"); what counts is
// the whole number it starts with.
namespace SlideTime {

constexpr int kDefaultSeconds = 5;
// The longest time a timer can wait, in whole seconds (about 24 days).
constexpr int kMaxSeconds = 2147483;

// The whole number at the start of text, after any blanks and one sign; 0 when
// the text does not start with a number. Numbers too large to hold are
// clamped to the nearest int.
int leadingNumber(const QString &text);

// Whether a reply to "Set Time in Seconds" may be stored.
bool isAcceptableReply(const QString &reply);

// Milliseconds per picture for a stored setting. One second or more is used as
// typed; zero, a negative number or no number at all play at five seconds.
int intervalMs(const QString &setting);

}  // namespace SlideTime
