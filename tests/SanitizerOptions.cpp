// Linked into every test of the sanitizer build. clang 14's leak check misreads the
// dynamic thread-local storage that an unloaded library (one of Qt's image-format
// plugins) leaves behind, and can crash at the exit of a test that passed. Not
// following that storage avoids it; the static thread-local storage is still searched.

// The sanitizer runtime asks the program for its default options by this name.
// NOLINTNEXTLINE(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }
