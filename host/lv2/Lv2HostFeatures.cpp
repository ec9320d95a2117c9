#include "host/lv2/Lv2HostFeatures.h"

#include <cstring>

#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/options/options.h>

#include "host/lv2/Lv2Identity.h"

namespace {

const void* FindFeature(const LV2_Feature* const* features, const char* uri) {
    for (const LV2_Feature* const* feature = features; features && *feature; ++feature)
        if ((*feature)->URI && std::strcmp((*feature)->URI, uri) == 0) return (*feature)->data;
    return nullptr;
}

// The instance-wide maxBlockLength option, if the host states it as an
// atom:Int (the type the buf-size extension gives it).
int32_t ReadMaxBlockLength(const LV2_Options_Option* options, const LV2_URID_Map& map) {
    const LV2_URID key = map.map(map.handle, LV2_BUF_SIZE__maxBlockLength);
    const LV2_URID intType = map.map(map.handle, LV2_ATOM__Int);
    for (const LV2_Options_Option* option = options; option && option->key != 0; ++option) {
        if (option->context != LV2_OPTIONS_INSTANCE || option->key != key) continue;
        if (option->type == intType && option->size == sizeof(int32_t) && option->value)
            return *static_cast<const int32_t*>(option->value);
    }
    return 0;
}

}  // namespace

Lv2HostFeatures Lv2HostFeatures::Read(const LV2_Feature* const* features) {
    Lv2HostFeatures host;
    const auto* map = static_cast<const LV2_URID_Map*>(FindFeature(features, LV2_URID__map));
    if (!map || !map->map) return host;
    host.uridMap = map;
    host.state.key = map->map(map->handle, Lv2Identity::kStateKeyURI);
    host.state.chunkType = map->map(map->handle, LV2_ATOM__Chunk);
    // The options carry their keys as URIDs: readable only with the map.
    const auto* options = static_cast<const LV2_Options_Option*>(FindFeature(features, LV2_OPTIONS__options));
    host.maxBlockLength = ReadMaxBlockLength(options, *map);
    return host;
}
