// Linked into every test of the sanitizer build only. SANE unloads its backends when
// it ends, and a leak inside an unloaded library cannot be named by LeakSanitizer (its
// frames show as "<unknown module>"), so no suppression could match it. Loading the
// virtual scanner's backend once more, never to be unloaded, keeps its name on such
// reports, where tests/lsan.supp can match them.
#include <dlfcn.h>

namespace {
[[maybe_unused]] const void* const kKeptBackend =
    dlopen(QUILLER_SANE_TEST_BACKEND, RTLD_NOW | RTLD_NODELETE);
} // namespace
