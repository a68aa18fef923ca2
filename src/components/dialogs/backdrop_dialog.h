#pragma once

#include <QChar>
#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

#include "dialogs/backdrop_preview.h"
#include "map/map_backdrop.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// What the user did with the backdrop dialog.
struct BackdropDialogResult {
  enum class Action { Cancel, Apply, Remove };
  Action action = Action::Cancel;
  // The picture and where it lies (Apply only).
  BackdropPlace place;
};

// The map's backdrop: the picture file (typed or browsed), the world
// coordinates of its left, bottom, right and top edges, its opacity, and
// "Remove". The file field has the focus when it opens; Tab goes from it to
// Left, Bottom, Right and Top, then to the buttons and the opacity; Enter is
// OK. Instead of typing the edges, the user may click two spots of the
// picture in the preview and type the game X and Y of each: "Place by
// spots" then fills the edges.
class BackdropDialog : public QDialog {
  Q_OBJECT

 public:
  // `start`: what the fields show (the current backdrop, or for a first one
  // an empty file and the markers' extent); `removable`: there is a backdrop
  // that "Remove" would drop. Numbers are shown and read with `separator`.
  BackdropDialog(const BackdropPlace& start, bool removable, QChar separator,
                 QWidget* parent = nullptr);

  // Runs it modally.
  BackdropDialogResult execute();
  // The result of the last run (also when shown without execute()).
  const BackdropDialogResult& result() const { return result_; }

  // The file chooser behind "Browse…": takes the current text, gives the
  // chosen file or an empty text. The real file dialog unless replaced.
  void setBrowser(std::function<QString(QWidget*, const QString&)> browser);

  QLineEdit* fileField() const { return file_; }
  QPushButton* browseButton() const { return browse_; }
  // 0 Left, 1 Bottom, 2 Right, 3 Top.
  QLineEdit* edgeField(int edge) const { return edges_[edge]; }
  QSpinBox* opacityField() const { return opacity_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }
  QPushButton* removeButton() const { return remove_; }
  BackdropPreview* preview() const { return preview_; }
  // Spot 1 or 2: its X and Y fields.
  QLineEdit* spotField(int which, int axis) const { return spot_fields_[which - 1][axis]; }
  QPushButton* placeBySpotsButton() const { return place_by_spots_; }
  QLabel* messageLabel() const { return message_; }

 public slots:
  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Browse();
  void LoadPreview();
  void SpotClicked(QPointF pixel);
  void PlaceBySpots();
  void UpdateSpotsButton();
  std::optional<double> Number(const QLineEdit* field) const;
  QString Text(double value) const;
  std::optional<BackdropSpot> Spot(int which) const;

  QChar separator_;
  BackdropDialogResult result_;
  std::function<QString(QWidget*, const QString&)> browser_;
  QLineEdit* file_ = nullptr;
  QPushButton* browse_ = nullptr;
  QLineEdit* edges_[4] = {};
  QSpinBox* opacity_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* remove_ = nullptr;
  BackdropPreview* preview_ = nullptr;
  QLineEdit* spot_fields_[2][2] = {};
  QPushButton* place_by_spots_ = nullptr;
  QLabel* message_ = nullptr;
  QString previewed_;
  std::optional<QPointF> spot_pixels_[2];
  int next_spot_ = 1;
};
