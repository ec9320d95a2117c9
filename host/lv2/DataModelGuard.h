// Keeps the audio thread and every other thread out of the data model at
// the same time without ever making the audio thread wait: run() only tries
// to enter and, when a save or restore is inside, leaves the parameter work
// to its next call and processes with the packets already delivered. A save
// or a restore waits, yielding, until run() has left.
//
// The data model and the host objects around it (automation delegate,
// packet dispatcher, controller) guard themselves with mutexes of their own.
// Only the thread inside this guard ever takes those mutexes, so none of
// them can be held by another thread when run() takes it: run() never waits
// on one.
#pragma once

#include <atomic>
#include <thread>

#include "host/lv2/ThreadRuleCheck.h"

class DataModelGuard {
public:
    // Audio thread: never waits. True when entered; Leave() afterwards.
    bool TryEnter() noexcept {
        if (m_Busy.test_and_set(std::memory_order_acquire)) return false;
        NoteHolder(std::this_thread::get_id());
        return true;
    }
    // Any other thread: waits for the audio thread to leave.
    void Enter() noexcept {
        while (m_Busy.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
        NoteHolder(std::this_thread::get_id());
    }
    void Leave() noexcept {
        ORVANTA_THREAD_RULE(HeldByThisThread(), "left the data model without having entered it");
        NoteHolder(std::thread::id());
        m_Busy.clear(std::memory_order_release);
    }

    // Whether the calling thread is inside (debug builds; true otherwise).
    bool HeldByThisThread() const noexcept {
#ifdef NDEBUG
        return true;
#else
        return m_Holder.load(std::memory_order_relaxed) == std::this_thread::get_id();
#endif
    }

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
    void NoteHolder([[maybe_unused]] std::thread::id holder) noexcept {
#ifndef NDEBUG
        m_Holder.store(holder, std::memory_order_relaxed);
#endif
    }

    std::atomic_flag m_Busy = ATOMIC_FLAG_INIT;
#ifndef NDEBUG
    std::atomic<std::thread::id> m_Holder{};
#endif
};
