#pragma once

#include <QObject>

#include "settings/map_settings.h"

class MapStrip;
class MapView;
class TEditingSession;
struct BackdropPlace;

// The open Lo file's own map settings: its backdrop and grid step, read when
// a file is opened and stored again when the user changes them (the grid
// chooser, the backdrop dialog). Settings that could not be read are never
// written over: the map works on with what the user sets, unstored.
class EditorMapSettings : public QObject {
  Q_OBJECT

 public:
  EditorMapSettings(TEditingSession& session, MapView& map, MapStrip& strip, QObject* parent);

  // Another file is open (or none): its settings are read and shown.
  void FileChanged();
  // The backdrop dialog, from the strip's button or the map's menu.
  void ChooseBackdrop();

 private:
  void ApplyGridStep(double step);
  void ApplyBackdrop();
  void GridStepChosen(double step);
  BackdropPlace StartPlace() const;
  void Save();

  TEditingSession& session_;
  MapView& map_;
  MapStrip& strip_;
  MapSettingsStore store_;
  TMapSettings settings_;
  // The open file's settings were read: changes may be stored.
  bool storable_ = false;
};
