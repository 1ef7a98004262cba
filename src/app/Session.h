#pragma once

#include <QString>

// What several windows read: the album open on the album page (or chosen for
// the slideshow), the page shown, the position last clicked there, and how
// much larger than the design screen this one is. One instance lives as long
// as the program; tests make a fresh one.
struct Session
{
    QString album;
    int page = 1;
    int picture = 1;
    // Windows are laid out for a 640-pixel screen; on a wider one they centre
    // or grow by this ratio. Exactly 1.0 at 640 pixels or less.
    double screenRatio = 1.0;

    static double screenRatioFor(int screenWidthPixels);
};
