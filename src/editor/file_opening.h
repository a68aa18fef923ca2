#pragma once

#include <filesystem>

class TEditorHost;
class TEditorView;
class TFieldForm;
class TLoDocument;
class TObjCatalogue;
class TUnsavedEdits;
class TWriteRecorder;
class ruriVizid;

// Opening and closing the Lo file: the open dialog, the folder prompts, the
// catalogue, and what the window shows of a file opened or given up.
class TFileOpening {
 public:
  TFileOpening(ruriVizid& settings, TEditorHost& host, TEditorView& view, TLoDocument& document,
               TObjCatalogue& catalogue, TFieldForm& form, TUnsavedEdits& edits,
               TWriteRecorder& recorder);
  TFileOpening(const TFileOpening&) = delete;
  TFileOpening& operator=(const TFileOpening&) = delete;

  // "Open a Lo File": hides the start-up window, resolves the Lo folder, runs
  // the open dialog, reads the chosen file (a cancel asks the program to end
  // and goes on with what is in memory), shows the header texts, clears the
  // fields, loads the catalogue and fills both lists. Fields show zeros and
  // no row is selected afterwards. A file that fails to open or read is
  // given up and the window shows no file, as at start (zeroed fields and
  // table, the one empty row, nothing marked); a file another editor holds open
  // is reported (kOpenElsewhereSuffix) and opened all the same. When the
  // catalogue fails, the file's rows are still shown, none selected.
  void OpenLoFile();
  // Opening a file named on the command line: the steps of OpenLoFile after
  // its dialog, with `file` as the chosen file. The Lo folder is not resolved
  // and no dialog runs; the object data folder is resolved as usual. A file
  // that cannot be opened raises its error and leaves no file open.
  void OpenLoFileNamed(const std::filesystem::path& file);
  // The editor window closes: closes the Lo file and asks the program to end.
  void CloseLoFile();

 private:
  void OpenChosenFile();
  void ReadChosenFile();
  void ShowOpenedFile();
  void ShowContents();

  ruriVizid& settings_;
  TEditorHost& host_;
  TEditorView& view_;
  TLoDocument& document_;
  TObjCatalogue& catalogue_;
  TFieldForm& form_;
  TUnsavedEdits& edits_;
  TWriteRecorder& recorder_;
  // The open dialog keeps its last chosen file name, also across a cancel.
  std::filesystem::path dialog_file_name_;
};
