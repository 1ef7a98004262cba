#pragma once

// What a click on a thumbnail of the album page does next. At most one mode
// is on at a time: entering one greys the menus that would enter another.
enum class EditMode {
    None,
    AddFromDisk,         // the file picker chose a picture; the click places it
    PasteFromClipboard,  // the click pastes the clipboard's picture
    CopyToClipboard,     // the click copies the picture to the clipboard
    Delete,              // the click deletes the picture, after a question
};

// A thumbnail click goes to the edit command instead of opening the picture.
constexpr bool routesClicks(EditMode mode)
{
    return mode != EditMode::None;
}

// Clicks on the page background turn no page while a picture is being
// chosen to add, copy or delete; pasting leaves paging as it is.
constexpr bool blocksPaging(EditMode mode)
{
    return mode == EditMode::AddFromDisk || mode == EditMode::CopyToClipboard || mode == EditMode::Delete;
}
