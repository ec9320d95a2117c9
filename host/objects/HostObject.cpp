#include "HostObject.h"

std::atomic<acfUInt32> HostObjectBase::s_LiveObjects{0};
