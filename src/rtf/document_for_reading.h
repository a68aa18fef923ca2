#pragma once

#include <QTextDocument>
#include <QVariant>

#include "rtf/rtf_format.h"

// A document a file is being read into: emptied, without the tables of the
// file it held before, and with undo off (no history of the reading) until
// this ends, when undo is as it was.
class DocumentForReading {
 public:
  explicit DocumentForReading(QTextDocument& document)
      : document_(document), undo_(document.isUndoRedoEnabled()) {
    document.setUndoRedoEnabled(false);
    document.clear();
    document.setProperty(kRtfFontTableProperty, QVariant());
    document.setProperty(kRtfColorTableProperty, QVariant());
  }
  ~DocumentForReading() { document_.setUndoRedoEnabled(undo_); }
  DocumentForReading(const DocumentForReading&) = delete;
  DocumentForReading& operator=(const DocumentForReading&) = delete;

  QTextDocument& operator*() const { return document_; }
  QTextDocument* operator->() const { return &document_; }

 private:
  QTextDocument& document_;
  bool undo_;
};
