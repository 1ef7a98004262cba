#include "app/Session.h"

#include "platform/Twips.h"

double Session::screenRatioFor(int screenWidthPixels)
{
    constexpr double kDesignWidthTwips = 9600;
    const double twips = Twips::fromPixels(screenWidthPixels);
    return twips > kDesignWidthTwips ? twips / kDesignWidthTwips : 1.0;
}
