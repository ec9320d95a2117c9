// Text drawing makes fontconfig build process-wide caches that it never
// frees; the leak checker of the sanitizer build would report them. Only
// that library's allocations are exempted. The sanitizer runtime finds
// this hook by name, so it must stay visible.
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
