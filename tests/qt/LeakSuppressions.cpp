// LeakSanitizer's list for the Qt tests: fontconfig, which Qt uses on the offscreen platform,
// keeps its caches until the process ends. Everything else stays checked. (Visible, so that the
// sanitizer runtime finds it.)
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
