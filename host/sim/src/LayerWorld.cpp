// The worlds a layer is handed out in, and the check that the plug-in left
// them as they were.
#include <cstring>
#include <vector>

#include "HostImpl.h"

namespace Brelo {
namespace Sim {

namespace {

// Four independent lanes, so that the multiplies overlap. Each step is a
// bijection of its lane, so a change to any one word always shows.
std::uint64_t checksumOf(WorldRec const& rec) {
  const std::size_t rowBytes = std::size_t(rec.width) * pixelSize(rec.depth);
  std::uint64_t lane[4] = {0x9E3779B97F4A7C15u, 0xC2B2AE3D27D4EB4Fu, 0x165667B19E3779F9u, 0x27D4EB2F165667C5u};
  constexpr std::uint64_t kMul = 0x100000001B3u;
  for (A_long y = 0; y < rec.height; ++y) {
    const std::uint8_t* p = rec.data + std::size_t(y) * std::size_t(rec.rowbytes);
    // Pixels are 4, 8 or 16 bytes, so rows are whole 4-byte words.
    std::size_t i = 0;
    for (; i + 32 <= rowBytes; i += 32) {
      for (int k = 0; k < 4; ++k) {
        std::uint64_t w;
        std::memcpy(&w, p + i + 8 * std::size_t(k), 8);
        lane[k] = (lane[k] ^ w) * kMul;
      }
    }
    for (; i < rowBytes; i += 4) {
      std::uint32_t w;
      std::memcpy(&w, p + i, 4);
      lane[0] = (lane[0] ^ w) * kMul;
    }
    lane[1] = (lane[1] ^ std::uint64_t(y)) * kMul;
  }
  return lane[0] ^ (lane[1] << 16 | lane[1] >> 48) ^ (lane[2] << 32 | lane[2] >> 32) ^ (lane[3] << 48 | lane[3] >> 16);
}

}  // namespace

WorldRec* Host::Impl::newLayerWorld(Instance const& inst, Downsample ds, Depth depth, WorldOwner owner) {
  Image const& layer = inst.layer();
  const int w = Instance::scaledSize(layer.width(), ds.x), h = Instance::scaledSize(layer.height(), ds.y);
  if (inst.layerLent() && depth == layer.depth() && w == layer.width() && h == layer.height()) {
    if (w <= 0 || h <= 0) return nullptr;
    auto rec = std::make_unique<WorldRec>();
    rec->depth = depth;
    rec->width = w;
    rec->height = h;
    rec->rowbytes = A_long(layer.rowBytes());
    // The plug-in gets a pointer to pixels it must not write.
    rec->data = const_cast<std::uint8_t*>(layer.bytes());
    rec->lent = true;
    rec->owner = owner;
    rec->instance = &inst;
    rec->checksum = checksumOf(*rec);
    PF_EffectWorld& wr = rec->record;
    wr.reserved0 = rec.get();
    wr.reserved1 = reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(rec.get()) ^ cookie);
    wr.world_flags = PF_WorldFlag_WRITEABLE | (depth == Depth::Bits16 ? PF_WorldFlag_DEEP : 0);
    wr.data = rec->data;
    wr.rowbytes = rec->rowbytes;
    wr.width = w;
    wr.height = h;
    wr.extent_hint = {0, 0, w, h};
    wr.pix_aspect_ratio = {1, 1};
    WorldRec* out = rec.get();
    std::lock_guard<std::mutex> lock(mutex);
    out->serial = nextSerial++;
    worlds.push_back(std::move(rec));
    return out;
  }
  WorldRec* rec = newWorld(w, h, depth, owner, nullptr, false, &inst);
  if (!rec) return nullptr;
  for (int y = 0; y < h; ++y) inst.layerRow(ds, depth, y, rec->data + std::size_t(y) * std::size_t(rec->rowbytes));
  return rec;
}

bool Host::Impl::layerWorldUntouched(WorldRec const& rec, Instance const& inst, Downsample ds, Depth depth) const {
  if (rec.lent) return checksumOf(rec) == rec.checksum;
  Image const& layer = inst.layer();
  const std::size_t rowBytes = std::size_t(rec.width) * pixelSize(rec.depth);
  if (depth == layer.depth() && rec.width == layer.width() && rec.height == layer.height()) {
    for (A_long y = 0; y < rec.height; ++y) {
      if (std::memcmp(rec.data + std::size_t(y) * std::size_t(rec.rowbytes), layer.bytes() + std::size_t(y) * rowBytes,
                      rowBytes) != 0)
        return false;
    }
    return true;
  }
  std::vector<std::uint8_t> expected(std::size_t(rec.width) * pixelSize(rec.depth));
  for (A_long y = 0; y < rec.height; ++y) {
    inst.layerRow(ds, depth, int(y), expected.data());
    if (std::memcmp(rec.data + std::size_t(y) * std::size_t(rec.rowbytes), expected.data(), expected.size()) != 0)
      return false;
  }
  return true;
}

}  // namespace Sim
}  // namespace Brelo
