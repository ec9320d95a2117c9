#include "AAX_CAutoreleasePool.h"

// Linux has no autorelease pools: the toolkit's native objects are released
// directly, so the scope does nothing.
AAX_CAutoreleasePool::AAX_CAutoreleasePool() = default;

AAX_CAutoreleasePool::~AAX_CAutoreleasePool() = default;
