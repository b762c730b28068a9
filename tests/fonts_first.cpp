// Pango loads the fonts on a thread of its own and hands them over through GLib's own locks,
// which ThreadSanitizer cannot see. A test program that draws loads them first, on its main
// thread, before any test runs: Pango's thread then finds them loaded, and no race of that
// thread needs to be passed over.
#include <fontconfig/fontconfig.h>

namespace {
const bool fontsLoaded = FcInit() != FcFalse;
}
