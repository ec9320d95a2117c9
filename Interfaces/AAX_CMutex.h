// AAX_CMutex: a lock a thread may try to take again without blocking itself.
// Lock() answers false to the owning thread instead of locking twice, so
// callers unlock only when their Lock() returned true; a nested call on the
// owning thread then runs inside the outer lock and leaves it held.
#pragma once

class AAX_CMutex {
public:
    AAX_CMutex();
    ~AAX_CMutex();
    AAX_CMutex(const AAX_CMutex&) = delete;
    AAX_CMutex& operator=(const AAX_CMutex&) = delete;

    // Any thread except the audio thread (it may block). False if the object
    // is empty or the caller already owns the lock; otherwise blocks until
    // the lock is free, takes it and returns true.
    bool Lock();
    // Releases the lock if the caller owns it; does nothing otherwise.
    void Unlock();

private:
    struct Private;
    Private* m_Private;
};
