#include "editor/object_naming.h"

#include "datafiles/names_file.h"
#include "datafiles/names_text.h"
#include "editor/editor_host.h"
#include "editor/editor_view.h"
#include "editor/write_transaction.h"
#include "errors/app_error.h"
#include "platform/whole_file.h"

namespace {

// At most this many lines not placed are listed; the rest are counted.
constexpr std::size_t kListedProblems = 20;

std::string ImportReport(const TNamesImport& result) {
  std::string report = result.named == 0 ? std::string("No name changed.")
                       : result.named == 1
                           ? std::string("1 name changed.")
                           : std::to_string(result.named) + " names changed.";
  if (result.problems.empty()) return report;
  report += "\n\nLines not placed:";
  for (std::size_t i = 0; i < result.problems.size() && i < kListedProblems; ++i) {
    report += "\n" + result.problems[i];
  }
  if (result.problems.size() > kListedProblems) {
    report += "\n... and " + std::to_string(result.problems.size() - kListedProblems) + " more";
  }
  return report;
}

}  // namespace

std::string TObjectNaming::NameOf(int index) const {
  return Utf8FromNameBytes(catalogue_.NameText(index));
}

void TObjectNaming::NameEntry(int index, const std::string& name) {
  if (index < 0 || index >= catalogue_.EntriesRead) {
    throw AppError("Entry " + std::to_string(index) + " is not in the object data list");
  }
  const std::string bytes = NameBytesFromUtf8(name);
  if (bytes == catalogue_.NameText(index)) return;
  const auto& words = catalogue_.ObjEntryTable[static_cast<std::size_t>(index)].words;
  const int row = view_.SelectedRow();
  const TStepPlan plan{TStepKind::NameKind,
                       "Name of " + std::to_string(words[0]) + "/" + std::to_string(words[1]),
                       row, row, TFieldsAfter::Kept, std::nullopt, TStepFile::Names};

  // A names file cut short since it was read: its missing slots, up to the
  // catalogue's count, come with the name when the user wants them.
  const int count = catalogue_.ObjLastIndex + 1;
  const auto held = static_cast<int>(names_.FileLength() / kObjNameSize);
  const bool extend = held <= index;
  if (extend) {
    const int missing = count - held;
    const std::string question =
        names_.Path().filename().string() + " holds names for " + std::to_string(held) + " of the " +
        std::to_string(count) + " entries of the catalogue. Add the " + std::to_string(missing) +
        " missing names as \"" + kNoNameEntered + "\" and name entry " + std::to_string(index) +
        "?";
    if (!host_.AskQuestion(question)) return;
  }
  transaction_.Run(plan, [&](TLoDocument&) {
    const TNameSlot placeholder = NameSlot(kNoNameEntered);
    const TNameSlot slot = NameSlot(bytes);
    for (int i = extend ? held : index; i <= (extend ? count - 1 : index); ++i) {
      names_.WriteBytes(kObjNameSize * static_cast<std::uint64_t>(i),
                        i == index ? slot : placeholder);
    }
  });
}

void TObjectNaming::ExportNames(const std::filesystem::path& text_file) {
  const std::string text = NamesText(names_.ReadKinds(), names_.ReadFileBytes());
  ReplaceWholeFile(text_file, text);
}

void TObjectNaming::ImportNames(const std::filesystem::path& text_file) {
  const std::string text = ReadWholeFile(text_file);
  const std::vector<std::uint8_t> old = names_.ReadFileBytes();
  const TNamesImport result = ImportNamesText(text, names_.ReadKinds(), old);
  if (result.Changes(old)) {
    const int row = view_.SelectedRow();
    const TStepPlan plan{TStepKind::ImportNames, "Import of Names", row, row, TFieldsAfter::Kept,
                         std::nullopt, TStepFile::Names};
    transaction_.Run(
        plan, [&](TLoDocument&) { names_.ReplaceWhole(result.file); },
        [](TWriteStep& step) { step.whole_file = true; });
  }
  host_.ShowInformation(ImportReport(result));
}
