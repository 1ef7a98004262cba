#include "app/ProgramValues.h"

#include "platform/ScreenMetrics.h"

double ProgramValues::screenRatioFor(int screenWidthPixels)
{
    constexpr int kDesignWidthTwips = 9600;
    const int twips = screenWidthPixels * ScreenMetrics::kTwipsPerPixel;
    return twips > kDesignWidthTwips ? double(twips) / kDesignWidthTwips : 1.0;
}
