#include "AAX_CMutex.h"

#include <pthread.h>

#include <atomic>
#include <new>

// The owner is recorded in atomics so that the unlocked read in Lock() is
// well defined: only the owning thread can find itself recorded, so a stale
// read by another thread never matches it.
struct AAX_CMutex::Private {
    pthread_mutex_t mutex;
    std::atomic<bool> owned{false};
    std::atomic<pthread_t> owner{};

    bool OwnedByCaller() const { return owned.load() && pthread_equal(owner.load(), pthread_self()); }
};

AAX_CMutex::AAX_CMutex() : m_Private(new (std::nothrow) Private) {
    if (m_Private && pthread_mutex_init(&m_Private->mutex, nullptr) != 0) {
        delete m_Private;
        m_Private = nullptr;
    }
}

AAX_CMutex::~AAX_CMutex() {
    if (!m_Private) return;
    pthread_mutex_destroy(&m_Private->mutex);
    delete m_Private;
}

bool AAX_CMutex::Lock() {
    if (!m_Private || m_Private->OwnedByCaller()) return false;
    pthread_mutex_lock(&m_Private->mutex);
    m_Private->owner.store(pthread_self());
    m_Private->owned.store(true);
    return true;
}

void AAX_CMutex::Unlock() {
    if (!m_Private || !m_Private->OwnedByCaller()) return;
    m_Private->owned.store(false);
    pthread_mutex_unlock(&m_Private->mutex);
}
