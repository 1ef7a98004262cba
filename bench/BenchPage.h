#pragma once

#include <QStringList>

class TestEnvironment;

namespace BenchPage {

// Milliseconds a fresh album page takes to load the session's page: no
// thumbnail is kept from a page loaded before.
double freshLoadMs(TestEnvironment &env);

// The same with the desktop's thumbnail cache empty, as on a first visit; the
// thumbnails written afterwards are waited for, untimed.
double coldLoadMs(TestEnvironment &env);

// Milliseconds six gdk-pixbuf-thumbnailer processes, run side by side as
// the desktop's file managers run them, take to make 256-pixel thumbnails of
// the files; 0 when the thumbnailer is not installed.
double gdkPixbufMs(const QStringList &files);

}  // namespace BenchPage
