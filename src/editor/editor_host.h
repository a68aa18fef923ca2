#pragma once

#include <filesystem>
#include <optional>
#include <string>

class TFolderPrompt;

// What the file-open dialog is asked to show.
struct TOpenDialogRequest {
  std::string title;              // "Choose a Lo File to Edit"
  std::string filter;             // "Lo Files|Lo*.dat|Dat Files|*.dat", first entry chosen
  std::string default_extension;  // "dat"
  std::string initial_folder;
  std::filesystem::path file_name;  // the dialog's last chosen file, empty at first
};

inline const std::string kOpenDialogTitle = "Choose a Lo File to Edit";
inline const std::string kOpenDialogFilter = "Lo Files|Lo*.dat|Dat Files|*.dat";
inline const std::string kOpenDialogDefaultExtension = "dat";
inline const std::string kNoItemSelected = "No Item Selected";
inline const std::string kRecordTableFull = "A Lo file holds at most 256 records";
// Shown after the file's path when another editor has the file open.
inline const std::string kOpenElsewhereSuffix =
    " is open in another Lo editor; saving in both may overwrite changes";
// The record count box with no file open.
inline const std::string kNoFileRecordCount = "#";

// What the editing session needs from the desktop. The windows layer
// implements it with the real dialogs; tests script it.
class TEditorHost {
 public:
  virtual ~TEditorHost() = default;
  // Runs the modal file-open dialog; the full path of the chosen file, or
  // nothing when the user cancels.
  virtual std::optional<std::filesystem::path> RunOpenDialog(const TOpenDialogRequest& request) = 0;
  virtual TFolderPrompt& LoFolderPrompt() = 0;
  virtual TFolderPrompt& ObjdatFolderPrompt() = 0;
  // A modal information box ("Information", one OK button).
  virtual void ShowInformation(const std::string& text) = 0;
  // A modal question with "Yes" and "No"; true for "Yes".
  virtual bool AskQuestion(const std::string& text) = 0;
  virtual void HideStartupWindow() = 0;
  // Asks the program to end once control is back in the event loop; the
  // operation that asks runs on to its end.
  virtual void RequestEnd() = 0;
  virtual bool IsEditorVisible() const = 0;
};
