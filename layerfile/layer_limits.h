// What a layered file from a stranger may take before it is refused.
#pragma once

#include <cstddef>
#include <cstdint>

namespace velmora {

constexpr int64_t kLayeredMaxFileSize = int64_t{64} * 1024 * 1024;
constexpr size_t kLayeredMaxEntries = 1024;          // zip entries
constexpr uint64_t kLayeredMaxEntryBytes = uint64_t{64} * 1024 * 1024;  // one entry inflated
constexpr uint64_t kLayeredMaxInflated = uint64_t{256} * 1024 * 1024;   // all entries read
constexpr uint64_t kLayeredMaxStackBytes = 1024 * 1024;  // stack.xml
constexpr size_t kLayeredMaxLayers = 256;            // layers and groups
constexpr int32_t kLayeredMaxSide = 8192;            // a layer's or the canvas's side
constexpr int64_t kLayeredMaxLayerPixels = int64_t{16} * 1024 * 1024;
constexpr int64_t kLayeredMaxPixels = int64_t{64} * 1024 * 1024;  // all layers together
constexpr int kLayeredMaxDepth = 32;                 // groups within groups

}  // namespace velmora
