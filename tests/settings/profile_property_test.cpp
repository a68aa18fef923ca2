// Random sequences of writes and removals over a hand-written file: every key
// reads back its last value, and every line the program did not write stays.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "settings/profile_lines.h"
#include "settings/profile_store.h"
#include "support/temp_dir.h"

namespace {

const std::vector<std::string> kSections = {"settings", "Common", "Fresh"};
const std::vector<std::string> kKeys = {"startdir", "objdir", "Form6", "Form6Color"};
const std::vector<std::string> kLineEnds = {"\n", "\r\n", "\r"};
// Lines a user might have written: none is an entry of a key the test writes.
const std::vector<std::string> kForeignLines = {
    "; comment",           "",           "   ",          "[Other]",
    "[settings]",          "[ common ]", "other=1",      "  Left = 5 ",
    "junk without equals", "[unclosed",  "startdirX=no", "\xFF\xFE garbage \x01",
    "=empty name"};
const std::string kAbsent =
    "\x01"
    "absent";

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

struct Random {
  std::mt19937 engine;
  std::size_t Below(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(engine);
  }
  const std::string& Pick(const std::vector<std::string>& items) {
    return items[Below(items.size())];
  }
  std::string RandomCase(std::string text) {
    for (char& c : text) {
      if (Below(3) == 0) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
  }
  std::string Value() {
    static const std::string alphabet = "ab/ \t\"'=;[]#,.-9\xC3\xA4\x7F";
    std::string value;
    for (std::size_t n = Below(25); n > 0; --n) value += alphabet[Below(alphabet.size())];
    return value;
  }
};

// Splits at CR LF, LF or CR, keeping each line's end.
std::vector<std::string> RawLines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      end = text.size();
    } else {
      end += (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1;
    }
    lines.push_back(text.substr(start, end - start));
    start = end;
  }
  return lines;
}

// The same calls on the file through the settings store, or on the lines in
// memory (fast enough for many more sequences).
class Store {
 public:
  Store(const std::string& original, bool on_disk) : lines_(original), on_disk_(on_disk) {
    if (on_disk_) WriteText(disk_.FilePath(), original);
  }
  void Write(const std::string& s, const std::string& k, const std::string& v) {
    on_disk_ ? disk_.WriteSetting(s, k, v) : lines_.Set(s, k, v);
  }
  void Remove(const std::string& s, const std::string& k) {
    on_disk_ ? disk_.DeleteSetting(s, k) : void(lines_.Remove(s, k));
  }
  std::string Read(const std::string& s, const std::string& k) const {
    return on_disk_ ? disk_.ReadSetting(s, k, kAbsent) : lines_.Find(s, k).value_or(kAbsent);
  }
  std::string Contents() const { return on_disk_ ? ReadText(disk_.FilePath()) : lines_.Contents(); }

 private:
  TempDir dir_;
  ruriVizid disk_{dir_ / "zodaZa.INI"};
  ProfileLines lines_;
  bool on_disk_;
};

void CheckRandomSequences(unsigned seed, int rounds, int steps, bool on_disk) {
  Random random{std::mt19937(seed)};
  for (int round = 0; round < rounds; ++round) {
    const std::string ending = random.Pick(kLineEnds);
    std::vector<std::string> foreign;
    for (std::size_t n = random.Below(12); n > 0; --n)
      foreign.push_back(random.Pick(kForeignLines));
    std::string original;
    for (const std::string& line : foreign) original += line + ending;
    const bool cut_last_end = !original.empty() && random.Below(2) == 0;
    if (cut_last_end) original.resize(original.size() - ending.size());
    Store store(original, on_disk);

    // Headers of the sections the program has to add (none opened by a foreign line).
    std::vector<std::string> new_headers;
    std::map<std::pair<std::string, std::string>, std::string> model;
    for (int step = 0; step < steps; ++step) {
      const std::string section = random.Pick(kSections);
      const std::string key = random.Pick(kKeys);
      const auto id = std::make_pair(Lower(section), Lower(key));
      if (random.Below(4) == 0) {
        store.Remove(random.RandomCase(section), random.RandomCase(key));
        model[id] = kAbsent;
      } else {
        const std::string spelled = random.RandomCase(section);
        const auto opens = [&](const std::string& line) {
          return Lower(line) == "[" + id.first + "]" || Lower(line) == "[ " + id.first + " ]";
        };
        if (std::none_of(foreign.begin(), foreign.end(), opens) &&
            std::none_of(new_headers.begin(), new_headers.end(), opens)) {
          new_headers.push_back("[" + spelled + "]");
        }
        const std::string value = random.Value();
        store.Write(spelled, random.RandomCase(key), value);
        model[id] = value;
      }
      for (const auto& [entry, value] : model) {
        ASSERT_EQ(store.Read(entry.first, entry.second), value)
            << "round " << round << " step " << step << " [" << entry.first << "] " << entry.second;
      }
    }

    std::vector<std::string> kept;
    for (const std::string& line : RawLines(store.Contents())) {
      const bool written =
          std::any_of(
              kKeys.begin(), kKeys.end(),
              [&](const std::string& key) { return Lower(line).starts_with(Lower(key) + "="); }) ||
          std::any_of(new_headers.begin(), new_headers.end(),
                      [&](const std::string& header) { return line == header + "\n"; });
      if (!written) kept.push_back(line);
    }
    std::vector<std::string> expected = RawLines(original);
    // Lines may follow the last one only once it has a line end.
    if (cut_last_end && !expected.empty() && kept.size() == expected.size() &&
        kept.back() == expected.back() + "\n") {
      kept.back() = expected.back();
    }
    ASSERT_EQ(kept, expected) << "round " << round;
  }
}

TEST(ProfileProperty, LastValueWinsAndForeignLinesStay) {
  CheckRandomSequences(20240607, 600, 40, false);
  // Every write on disk is flushed, so fewer sequences there.
  CheckRandomSequences(7, 8, 15, true);
}

}  // namespace
