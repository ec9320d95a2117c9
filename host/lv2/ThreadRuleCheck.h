// Checks of the LV2 adapter's threading rules in debug builds. A broken rule
// stops the program with a message that names the rule and the thread that
// broke it (its identifier and, when it has one, its name), since the fault
// lies with whoever called on that thread. Release builds check nothing.
#pragma once

#include <pthread.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>

namespace ThreadRuleCheck {

// "thread 140234 'audio'": the calling thread.
inline std::string ThisThreadText() {
    std::ostringstream text;
    text << "thread " << std::this_thread::get_id();
    char name[32] = {};
    if (pthread_getname_np(pthread_self(), name, sizeof name) == 0 && name[0] != '\0') text << " '" << name << "'";
    return text.str();
}

[[noreturn]] inline void Broken(const char* rule, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: %s broke a threading rule: %s\n", file, line, ThisThreadText().c_str(), rule);
    std::abort();
}

}  // namespace ThreadRuleCheck

#ifdef NDEBUG
#define ORVANTA_THREAD_RULE(condition, rule) static_cast<void>(0)
#else
#define ORVANTA_THREAD_RULE(condition, rule) \
    ((condition) ? static_cast<void>(0) : ThreadRuleCheck::Broken(rule, __FILE__, __LINE__))
#endif

// Debug builds: which thread is inside a call that one thread at a time may
// make (run). Release builds keep nothing.
class ExclusiveCall {
public:
    void Enter(const char* rule) noexcept {
#ifndef NDEBUG
        std::thread::id nobody;
        ORVANTA_THREAD_RULE(m_Inside.compare_exchange_strong(nobody, std::this_thread::get_id()), rule);
#else
        static_cast<void>(rule);
#endif
    }
    void Leave() noexcept {
#ifndef NDEBUG
        m_Inside.store(std::thread::id());
#endif
    }
    // False in release builds.
    bool ThisThreadInside() const noexcept {
#ifndef NDEBUG
        return m_Inside.load() == std::this_thread::get_id();
#else
        return false;
#endif
    }

private:
#ifndef NDEBUG
    std::atomic<std::thread::id> m_Inside{};
#endif
};
