// AAX_CAutoreleasePool: a scope around code that releases native user
// interface objects. On platforms without autorelease pools it is a no-op scope.
#pragma once

class AAX_CAutoreleasePool {
public:
    // User-interface thread.
    AAX_CAutoreleasePool();
    ~AAX_CAutoreleasePool();
    AAX_CAutoreleasePool(const AAX_CAutoreleasePool&) = delete;
    AAX_CAutoreleasePool& operator=(const AAX_CAutoreleasePool&) = delete;
};
