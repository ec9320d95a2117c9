// AAX_IDma: the transfer modes a component can request for a DMA field of
// its algorithm context. Only the mode enumeration crosses the description
// boundary in this system.
#pragma once

#include <cstdint>

class AAX_IDma {
public:
    enum EMode : int32_t {
        eMode_Error = 0,
        eMode_Burst = 1,
        eMode_Gather = 2,
        eMode_Scatter = 3,
    };
    virtual ~AAX_IDma() = default;
};
