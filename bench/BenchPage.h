#pragma once

class TestEnvironment;

namespace BenchPage {

// Milliseconds a fresh album page takes to load the session's page: no
// thumbnail is kept from a page loaded before.
double freshLoadMs(TestEnvironment &env);

}  // namespace BenchPage
