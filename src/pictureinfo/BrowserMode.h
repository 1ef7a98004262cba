#pragma once

// What the database browser is doing. Its buttons, and whether "&Close" saves,
// follow from the mode, the number of rows and the row shown
// (BrowserRules::buttonsFor).
enum class BrowserMode {
    Browsing,
    Editing,              // the description shown is being changed
    ChoosingPosition,     // Add New: the album, page and picture are being asked for
    Adding,               // Add New: the description of the chosen position is being typed
    Deleting,             // the delete question is open
    ChoosingSearchField,  // Search: album names or descriptions?
    EnteringSearchText,
    Searching,
    NoDataFound,  // a search found nothing; the whole table comes back shortly
};

// "&Close" stores what is being typed instead of leaving the window.
constexpr bool closeSaves(BrowserMode mode)
{
    return mode == BrowserMode::Editing || mode == BrowserMode::ChoosingPosition || mode == BrowserMode::Adding;
}

// The user is in the middle of something that coming back to the window
// must not throw away.
constexpr bool userIsBusy(BrowserMode mode)
{
    return closeSaves(mode) || mode == BrowserMode::ChoosingSearchField || mode == BrowserMode::EnteringSearchText;
}

constexpr bool isAdding(BrowserMode mode)
{
    return mode == BrowserMode::ChoosingPosition || mode == BrowserMode::Adding;
}

constexpr bool isSearching(BrowserMode mode)
{
    return mode == BrowserMode::ChoosingSearchField || mode == BrowserMode::EnteringSearchText
        || mode == BrowserMode::Searching || mode == BrowserMode::NoDataFound;
}
