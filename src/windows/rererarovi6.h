#pragma once

#include <QMainWindow>
#include <array>
#include <filesystem>
#include <optional>
#include <utility>

#include "editor/editor_view.h"

class ColumnListBox;
class EditorMap;
class EtchedEdge;
class GradientLabel;
class MaskedEdit;
class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class ShadowButton;
class ShadowGroupBox;
class ShadowLabel;
class DesktopHost;
class RecordEditor;
class TForm4;
class ruriVizid;
class TwoChoiceGroup;

// The editor window. It shows the editor's view state widget by widget and
// turns each user event into one editor operation; it keeps no data of its own.
class TForm6 : public QMainWindow {
  Q_OBJECT

 public:
  // `notes` may be null (no "Notes" window). The editor, the settings and the
  // desktop outlive the window.
  TForm6(RecordEditor& editor, ruriVizid& settings, DesktopHost& desktop, TForm4* notes,
         QWidget* parent = nullptr);
  ~TForm6() override;

  // The client area's widgets, in painting order.
  QFrame* LMDImage1 = nullptr;
  ShadowLabel* LMDLabel1 = nullptr;
  QLabel* LMDSimpleLabel5 = nullptr;
  ShadowLabel* LMDLabel2 = nullptr;
  EtchedEdge* LMDDrawEdge2 = nullptr;
  EtchedEdge* LMDDrawEdge3 = nullptr;
  GradientLabel* LMDLabelFill1 = nullptr;
  // The map of the open file, in LMDLabelFill1's place while a file is open.
  EditorMap* LoMap = nullptr;
  ColumnListBox* LMDLB1 = nullptr;
  ShadowGroupBox* LMDGroupBox1 = nullptr;
  ShadowButton* LMDButton2 = nullptr;
  ShadowButton* removeobj = nullptr;
  MaskedEdit* me4 = nullptr;
  MaskedEdit* me5 = nullptr;
  QLineEdit* Edit1 = nullptr;
  ColumnListBox* lb2 = nullptr;
  // The field widgets (labels named after kFieldWidgets); inside LMDGroupBox1
  // except me4 and me5.
  MaskedEdit* ME1 = nullptr;
  MaskedEdit* ME2 = nullptr;
  MaskedEdit* ME3 = nullptr;
  MaskedEdit* me6 = nullptr;
  MaskedEdit* me7 = nullptr;
  MaskedEdit* me8 = nullptr;
  MaskedEdit* me9 = nullptr;
  MaskedEdit* me10 = nullptr;
  TwoChoiceGroup* lmdrg1 = nullptr;

  // MainMenu1.
  QMenu* Open1 = nullptr;
  QAction* LoFiles1 = nullptr;
  QAction* Save1 = nullptr;
  QAction* Notes1 = nullptr;
  QMenu* ChangeFolders1 = nullptr;
  QAction* LoFiles2 = nullptr;
  QAction* OBJDATFolderLocation1 = nullptr;
  QAction* About1 = nullptr;

  // The field widget that presents a text field of the view (null for the state).
  MaskedEdit* FieldWidget(TField field) const;
  // Takes the decimal separator of the current locale (editor and fields).
  void ApplyLocaleSeparator();

  // Event handlers.
  void LMDLB1Click();
  void ME1Change();
  void me6Modified(MaskedEdit* field);
  void ME4Modified(MaskedEdit* field);
  void lmdrg1Change();
  void LMDButton2Click();
  void removeobjClick();
  void LoFiles1Click();
  void Save1Click();
  void Notes1Click();
  void LoFiles2Click();
  void OBJDATFolderLocation1Click();
  void About1Click();
  void FormClose();

  // A Lo file named on the command line, opened by ShowFromStartup.
  void SetStartFile(std::filesystem::path file) { start_file_ = std::move(file); }
  // The start-up window's button: shows this window, then, the first time
  // only, opens the start file as "Open a Lo File" would after its dialog.
  void ShowFromStartup();

  void setVisible(bool visible) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void CreateWidgets();
  void CreateGroupWidgets();
  void CreateMenu();
  void SetTabOrder();
  void ConnectEvents();
  QLabel* AddLabel(QWidget* parent, const char* name, const char* text, int left, int top);
  QLabel* AddFieldLabel(QWidget* parent, TField field);
  MaskedEdit* AddField(QWidget* parent, TField field);
  void ReportModified(MaskedEdit* field);
  TField FieldOf(const MaskedEdit* widget) const;

  // Presenting the view: exactly the widget of the member that changed.
  void Present(TViewMember member);
  void PresentAll();

  void RestorePlacement();
  void SavePlacement();
  void PlayOpeningEffect();

  RecordEditor& editor_;
  ruriVizid& settings_;
  DesktopHost& desktop_;
  TForm4* notes_;
  TEditorView& view_;
  std::array<MaskedEdit*, kFieldCount> fields_{};
  std::optional<std::filesystem::path> start_file_;
};
