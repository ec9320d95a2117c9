// What an LV2 host offers an instance at instantiation, read from its
// feature list: the URI map (optional; without it the state extension is
// unavailable) and, through the options feature, the largest block the host
// will run. Every feature is optional: a host may pass none (lv2apply).
//
// Main thread (instantiate), no allocation beyond the map's own.
#pragma once

#include <cstdint>

#include <lv2/core/lv2.h>
#include <lv2/urid/urid.h>

struct Lv2HostFeatures {
    // The URIDs the state extension needs; all zero without a URI map.
    struct StateURIDs {
        LV2_URID key = 0;        // the state key of the 'elck' chunk
        LV2_URID chunkType = 0;  // atom:Chunk, a block of bytes
        bool Available() const { return key != 0 && chunkType != 0; }
    };

    const LV2_URID_Map* uridMap = nullptr;
    StateURIDs state;
    // bufsz:maxBlockLength from the options, or 0 when not given.
    int32_t maxBlockLength = 0;

    // features may be null (no features).
    static Lv2HostFeatures Read(const LV2_Feature* const* features);
};
