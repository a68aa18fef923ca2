// Writes the example files a new user can open at once:
//   <out>/LoEXAMPL.dat          a small Lo file (header and 12 placement records)
//   <out>/LoRIVER.dat, LoHILLS.dat, LoDEPOT.dat   three more levels of the same
//                               game, sharing kinds (the Fuel Drum stands in all)
//   <out>/objdat/objdat.dat     an object catalogue of 14 entries
//   <out>/objdat/objdat.nam     the names of those entries
// Usage: make_examples <out folder>   (default: examples)
// Everything is little-endian; floats are IEEE single precision.

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "datafiles/record_fields.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void PutU8(Bytes& b, std::size_t at, std::uint8_t v) { b.at(at) = v; }

void PutU16(Bytes& b, std::size_t at, std::uint16_t v) {
  b.at(at) = static_cast<std::uint8_t>(v & 0xFF);
  b.at(at + 1) = static_cast<std::uint8_t>(v >> 8);
}

void PutU32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.at(at + i) = static_cast<std::uint8_t>(v >> (8 * i));
}

void PutF32(Bytes& b, std::size_t at, float v) { PutU32(b, at, std::bit_cast<std::uint32_t>(v)); }

// A text ended by one zero byte; the rest of the field stays zero.
void PutText(Bytes& b, std::size_t at, std::size_t field, const std::string& text) {
  if (text.size() >= field) throw std::length_error("text too long for its field: " + text);
  std::memcpy(b.data() + at, text.data(), text.size());
}

void Save(const std::filesystem::path& file, const Bytes& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

struct CatalogueEntry {
  std::uint32_t object_class;
  std::uint32_t object_type;
  const char* name;
};

constexpr std::array<CatalogueEntry, 14> kCatalogue{{
    {0, 0, "Marker Post"},
    {1, 0, "Oak Tree"},
    {1, 1, "Pine Tree"},
    {1, 2, "Dead Tree"},
    {2, 0, "Boulder"},
    {2, 1, "Rock Pile"},
    {3, 0, "Wooden Crate"},
    {3, 1, "Fuel Drum"},
    {4, 0, "Watch Tower"},
    {4, 1, "Bunker"},
    {5, 0, "Supply Depot"},
    {5, 1, "Radar Dish"},
    {6, 0, "Street Lamp"},
    {6, 1, "Wire Fence"},
}};

// Members by name, so one added to TLoRecord cannot shift the values.
// Class 9 has no catalogue entry: its row shows the placeholder name.
// clang-format off
const std::array<TLoRecord, 12> kPlacements{{
    {.object_class = 4, .object_type = 0, .state = 0,
     .x = 120.0f, .y = 80.5f, .z = 0.0f, .r = 90.0f, .density = 1},
    {.object_class = 1, .object_type = 0, .state = 0,
     .x = 135.25f, .y = 92.0f, .z = 0.0f, .r = 0.0f, .density = 3},
    {.object_class = 1, .object_type = 1, .state = 1,
     .x = 140.5f, .y = 60.75f, .z = 2.5f, .r = 45.0f, .density = 5},
    {.object_class = 1, .object_type = 2, .state = 0,
     .x = 98.0f, .y = 110.0f, .z = 0.0f, .r = 180.0f, .density = 1},
    {.object_class = 2, .object_type = 0, .state = 0,
     .x = 60.0f, .y = 40.0f, .z = -1.5f, .r = 0.0f, .density = 2},
    {.object_class = 2, .object_type = 1, .state = 1,
     .x = 62.5f, .y = 44.25f, .z = -1.0f, .r = 270.0f, .density = 4},
    {.object_class = 3, .object_type = 0, .state = 0,
     .x = 121.0f, .y = 82.0f, .z = 0.0f, .r = 0.0f, .density = 1},
    {.object_class = 3, .object_type = 1, .state = 1,
     .x = 122.5f, .y = 82.0f, .z = 0.0f, .r = 15.5f, .density = 1},
    {.object_class = 5, .object_type = 0, .state = 0,
     .x = 200.0f, .y = 150.0f, .z = 0.0f, .r = 0.0f, .density = 1},
    {.object_class = 5, .object_type = 1, .state = 1,
     .x = 205.75f, .y = 148.0f, .z = 12.0f, .r = 330.0f, .density = 1},
    {.object_class = 6, .object_type = 1, .state = 0,
     .x = 180.0f, .y = 150.0f, .z = 0.0f, .r = 90.0f, .density = 6},
    {.object_class = 9, .object_type = 3, .state = 0,
     .x = 10.0f, .y = 10.0f, .z = 0.0f, .r = 0.0f, .density = 0},
}};

// More levels of the same game, for finding a kind across them.
TLoRecord Placed(std::uint8_t object_class, std::uint8_t object_type, float x, float y, float r) {
  return {.object_class = object_class, .object_type = object_type, .state = 0,
          .x = x, .y = y, .z = 0.0f, .r = r, .density = 1};
}

const std::vector<TLoRecord> kRiver{
    Placed(6, 0, 40.0f, 60.0f, 0.0f),    Placed(6, 0, 80.0f, 60.0f, 0.0f),
    Placed(1, 1, 30.0f, 95.0f, 0.0f),    Placed(1, 1, 52.5f, 101.0f, 30.0f),
    Placed(3, 1, 90.0f, 64.5f, 0.0f),    Placed(2, 0, 120.0f, 40.0f, 0.0f),
    Placed(4, 1, 150.0f, 70.0f, 180.0f),
};
const std::vector<TLoRecord> kHills{
    Placed(4, 0, 60.0f, 120.0f, 270.0f), Placed(3, 0, 64.0f, 124.0f, 0.0f),
    Placed(3, 1, 66.5f, 124.0f, 0.0f),   Placed(3, 1, 68.0f, 121.5f, 45.0f),
    Placed(1, 2, 20.0f, 140.0f, 0.0f),   Placed(2, 1, 100.0f, 150.0f, 90.0f),
    Placed(5, 1, 110.0f, 160.0f, 0.0f),
};
const std::vector<TLoRecord> kDepot{
    Placed(5, 0, 100.0f, 100.0f, 0.0f),  Placed(3, 1, 95.0f, 92.0f, 0.0f),
    Placed(3, 1, 97.5f, 92.0f, 0.0f),    Placed(3, 1, 100.0f, 92.0f, 0.0f),
    Placed(3, 1, 102.5f, 92.0f, 0.0f),   Placed(5, 1, 130.0f, 110.0f, 300.0f),
    Placed(6, 1, 80.0f, 80.0f, 0.0f),    Placed(6, 1, 120.0f, 80.0f, 0.0f),
};
// clang-format on

Bytes LoFile(const std::string& name, const std::string& description,
             const std::vector<TLoRecord>& placements) {
  Bytes b(RecordOffset(static_cast<std::int64_t>(placements.size())), 0);
  PutText(b, FieldInfo(TField::Name).offset, FieldInfo(TField::Name).width, name);
  PutU16(b, kCountOffset, static_cast<std::uint16_t>(placements.size()));
  PutText(b, FieldInfo(TField::Description).offset, FieldInfo(TField::Description).width,
          description);
  for (std::size_t i = 0; i < placements.size(); ++i) {
    const TLoRecord& record = placements[i];
    const std::size_t at = RecordOffset(static_cast<std::int64_t>(i));
    for (const TFieldInfo& info : kFieldTable) {
      if (info.number != nullptr) PutF32(b, at + info.offset, record.*info.number);
      if (info.byte != nullptr) PutU8(b, at + info.offset, record.*info.byte);
    }
  }
  return b;
}

Bytes CatalogueFile() {
  Bytes b(100 + 100 * kCatalogue.size(), 0);
  PutText(b, 0, 20, "Object Catalogue");
  PutU16(b, 20, static_cast<std::uint16_t>(kCatalogue.size()));
  for (std::size_t i = 0; i < kCatalogue.size(); ++i) {
    const std::size_t at = 100 + 100 * i;
    PutU32(b, at, kCatalogue[i].object_class);
    PutU32(b, at + 4, kCatalogue[i].object_type);
  }
  return b;
}

Bytes NamesFile() {
  Bytes b(30 * kCatalogue.size(), 0);
  for (std::size_t i = 0; i < kCatalogue.size(); ++i) PutText(b, 30 * i, 30, kCatalogue[i].name);
  return b;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::filesystem::path out = argc > 1 ? argv[1] : "examples";
    std::filesystem::create_directories(out / "objdat");
    Save(out / "LoEXAMPL.dat",
         LoFile("Example Outpost",
                "A small outpost by the river: trees, rocks, crates and a watch tower",
                {kPlacements.begin(), kPlacements.end()}));
    Save(out / "LoRIVER.dat",
         LoFile("River Crossing", "Street lamps along the ford, a bunker on the far bank", kRiver));
    Save(out / "LoHILLS.dat",
         LoFile("Hill Camp", "A watch tower over the hills, its crates and fuel", kHills));
    Save(out / "LoDEPOT.dat",
         LoFile("Fuel Depot", "Fuel drums in a row, a radar dish, a fenced yard", kDepot));
    Save(out / "objdat" / "objdat.dat", CatalogueFile());
    Save(out / "objdat" / "objdat.nam", NamesFile());
    std::cout << "Examples written to " << out.string() << "\n";
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "make_examples: " << e.what() << "\n";
    return 1;
  }
}
