#pragma once

class AlbumStore;
class Descriptions;
class Dialogs;
class HelpLauncher;
class PrinterSeam;
class ScreenMetrics;
class Settings;
struct Session;

// The services every window works with. The program makes the real ones; a
// test makes fakes (scripted dialogs, a pretend screen, a help recorder, a
// printer that writes PDF files) and a temporary program folder.
struct AppContext
{
    Session &session;
    AlbumStore &store;
    Settings &settings;
    Dialogs &dialogs;
    ScreenMetrics &screen;
    HelpLauncher &help;
    PrinterSeam &printer;
    Descriptions &descriptions;
};
