// fontconfig's process-wide caches are never freed: exempt only that library from the sanitizer
// build's leak checker, which finds this hook by name (so it stays visible).
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
