#include "PeImage.h"

#include <set>
#include <utility>

namespace BreloTest {

namespace {

constexpr std::uint16_t kPe32Plus = 0x20b;
enum Directory { kExport = 0, kImport = 1, kResource = 2 };

struct Section {
  std::uint32_t address, size, fileOffset, fileSize;
};

// Bounds-checked little-endian reads; the first failure sticks.
class Reader {
 public:
  explicit Reader(std::vector<std::uint8_t> const& b) : m_b(b) {}

  bool ok() const { return m_ok; }
  std::string const& why() const { return m_why; }
  bool fail(std::string const& why) {
    if (m_ok) m_why = why;
    m_ok = false;
    return false;
  }

  bool has(std::uint64_t at, std::uint64_t n) const { return at <= m_b.size() && n <= m_b.size() - at; }
  std::uint32_t u(std::uint64_t at, int n) {
    if (!m_ok || !has(at, std::uint64_t(n))) {
      fail("truncated at offset " + std::to_string(at));
      return 0;
    }
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | m_b[std::size_t(at) + std::size_t(i)];
    return v;
  }
  std::uint16_t u16(std::uint64_t at) { return std::uint16_t(u(at, 2)); }
  std::uint32_t u32(std::uint64_t at) { return u(at, 4); }
  std::uint64_t u64(std::uint64_t at) { return std::uint64_t(u32(at)) | std::uint64_t(u32(at + 4)) << 32; }

  // A zero-terminated text that ends inside the file.
  std::string text(std::uint64_t at) {
    std::string s;
    for (;; ++at) {
      if (!m_ok || !has(at, 1)) {
        fail("unterminated name");
        return std::string();
      }
      if (!m_b[std::size_t(at)]) return s;
      s.push_back(char(m_b[std::size_t(at)]));
    }
  }
  std::vector<std::uint8_t> bytes(std::uint64_t at, std::uint64_t n) {
    if (!m_ok || !has(at, n)) {
      fail("data past the end of the file");
      return {};
    }
    return std::vector<std::uint8_t>(m_b.begin() + long(at), m_b.begin() + long(at + n));
  }

  // The file offset of a relative virtual address, inside a section's data.
  std::uint64_t offset(std::uint32_t rva) {
    for (Section const& s : sections) {
      if (rva >= s.address && rva - s.address < s.fileSize) return std::uint64_t(s.fileOffset) + (rva - s.address);
    }
    fail("address " + std::to_string(rva) + " is in no section");
    return 0;
  }

  std::vector<Section> sections;

 private:
  std::vector<std::uint8_t> const& m_b;
  bool m_ok = true;
  std::string m_why;
};

void readExports(Reader& r, std::uint32_t rva, PeImage* out) {
  const std::uint64_t dir = r.offset(rva);
  const std::uint32_t count = r.u32(dir + 24);
  const std::uint64_t names = r.offset(r.u32(dir + 32));
  if (!r.has(names, std::uint64_t(count) * 4)) {
    r.fail("export name table past the end of the file");
    return;
  }
  for (std::uint32_t i = 0; i < count && r.ok(); ++i) out->exports.push_back(r.text(r.offset(r.u32(names + 4 * i))));
}

void readImports(Reader& r, std::uint32_t rva, PeImage* out) {
  for (std::uint64_t d = r.offset(rva); r.ok(); d += 20) {
    const std::uint32_t lookup = r.u32(d), nameRva = r.u32(d + 12), thunks = r.u32(d + 16);
    if (!nameRva && !thunks) return;  // the closing descriptor
    std::vector<std::string>& functions = out->imports[r.text(r.offset(nameRva))];
    for (std::uint64_t t = r.offset(lookup ? lookup : thunks); r.ok(); t += 8) {
      const std::uint64_t entry = r.u64(t);
      if (!entry) break;
      if (entry >> 63) {
        functions.push_back("#" + std::to_string(entry & 0xffff));
      } else {
        functions.push_back(r.text(r.offset(std::uint32_t(entry & 0x7fffffff)) + 2));  // after the hint
      }
    }
  }
}

// One level of the resource tree: the entries of the table at `table`
// (offsets relative to the start of the resource data, `base`).
struct Entry {
  std::string id;
  std::uint32_t number;
  std::uint32_t target;  // a subtable (high bit set) or a data entry
};

std::vector<Entry> resourceTable(Reader& r, std::uint64_t base, std::uint32_t table) {
  std::vector<Entry> out;
  const std::uint64_t at = base + table;
  const std::uint32_t n = std::uint32_t(r.u16(at + 12)) + r.u16(at + 14);
  for (std::uint32_t i = 0; i < n && r.ok(); ++i) {
    const std::uint32_t id = r.u32(at + 16 + 8 * i), target = r.u32(at + 20 + 8 * i);
    Entry e{"", id & 0x7fffffff, target};
    if (id >> 31) {
      // A counted UTF-16 name; resource names are ASCII in practice.
      const std::uint64_t name = base + (id & 0x7fffffff);
      const std::uint16_t length = r.u16(name);
      for (std::uint16_t k = 0; k < length && r.ok(); ++k) {
        const std::uint16_t c = r.u16(name + 2 + 2 * std::uint64_t(k));
        e.id.push_back(c < 0x80 ? char(c) : '?');
      }
    } else {
      e.id = "#" + std::to_string(id);
    }
    out.push_back(e);
  }
  return out;
}

void readResources(Reader& r, std::uint32_t rva, PeImage* out) {
  const std::uint64_t base = r.offset(rva);
  std::set<std::uint32_t> seen;  // a loop in the tree is refused, not followed
  auto subtable = [&](Entry const& e) -> bool {
    if (!(e.target >> 31) || !seen.insert(e.target & 0x7fffffff).second) return r.fail("malformed resource tree");
    return true;
  };
  for (Entry const& type : resourceTable(r, base, 0)) {
    if (!subtable(type)) return;
    for (Entry const& name : resourceTable(r, base, type.target & 0x7fffffff)) {
      if (!subtable(name)) return;
      for (Entry const& language : resourceTable(r, base, name.target & 0x7fffffff)) {
        if (language.target >> 31) {
          r.fail("malformed resource tree");
          return;
        }
        const std::uint64_t leaf = base + language.target;
        const std::uint32_t dataRva = r.u32(leaf), size = r.u32(leaf + 4);
        std::vector<std::uint8_t> data = r.bytes(r.offset(dataRva), size);
        if (!r.ok()) return;
        out->resources.push_back({type.id, name.id, language.number, std::move(data)});
      }
    }
  }
}

}  // namespace

bool PeImage::parse(std::vector<std::uint8_t> const& bytes, PeImage* out, std::string* why) {
  Reader r(bytes);
  PeImage image;
  if (r.u16(0) != 0x5a4d) return *why = "no MZ header", false;
  const std::uint64_t pe = r.u32(0x3c);
  if (r.u32(pe) != 0x00004550) return *why = "no PE signature", false;
  image.machine = r.u16(pe + 4);
  const std::uint16_t sectionCount = r.u16(pe + 6);
  const std::uint16_t optionalSize = r.u16(pe + 20);
  image.characteristics = r.u16(pe + 22);
  const std::uint64_t opt = pe + 24;
  if (r.ok() && r.u16(opt) != kPe32Plus) return *why = "not a PE32+ (64-bit) image", false;
  const std::uint32_t directories = r.u32(opt + 108);
  const std::uint64_t table = opt + optionalSize;
  for (std::uint16_t i = 0; i < sectionCount && r.ok(); ++i) {
    const std::uint64_t s = table + 40 * std::uint64_t(i);
    const Section section{r.u32(s + 12), r.u32(s + 8), r.u32(s + 20), r.u32(s + 16)};
    if (r.ok() && !r.has(section.fileOffset, section.fileSize)) return *why = "a section's data past the end of the file", false;
    r.sections.push_back(section);
  }
  auto directory = [&](Directory d, void (*read)(Reader&, std::uint32_t, PeImage*)) {
    if (!r.ok() || std::uint32_t(d) >= directories || 112 + 8 * std::uint64_t(d) + 8 > optionalSize) return;
    const std::uint32_t rva = r.u32(opt + 112 + 8 * std::uint64_t(d));
    if (rva && r.u32(opt + 116 + 8 * std::uint64_t(d))) read(r, rva, &image);
  };
  directory(kExport, readExports);
  directory(kImport, readImports);
  directory(kResource, readResources);
  if (!r.ok()) {
    *why = r.why();
    return false;
  }
  *out = std::move(image);
  return true;
}

}  // namespace BreloTest
