// Keeps the audio thread and a state save out of the data model at the
// same time without ever making the audio thread wait: run() only tries to
// enter and, when a save is inside, leaves the parameter work to its next
// call and processes with the packets already delivered. A save (or a
// restore) waits, yielding, until run() has left.
#pragma once

#include <atomic>
#include <thread>

class DataModelGuard {
public:
    // Audio thread: never waits. True when entered; Leave() afterwards.
    bool TryEnter() noexcept { return !m_Busy.test_and_set(std::memory_order_acquire); }
    // Any other thread: waits for the audio thread to leave.
    void Enter() noexcept {
        while (m_Busy.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
    }
    void Leave() noexcept { m_Busy.clear(std::memory_order_release); }

    // Enter() for a scope.
    class Scope {
    public:
        explicit Scope(DataModelGuard& guard) : m_Guard(guard) { m_Guard.Enter(); }
        ~Scope() { m_Guard.Leave(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        DataModelGuard& m_Guard;
    };

private:
    std::atomic_flag m_Busy = ATOMIC_FLAG_INIT;
};
