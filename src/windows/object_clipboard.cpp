#include "windows/object_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <algorithm>
#include <memory>

#include "editor/objects.h"

namespace {

QString OwnType() { return QString::fromLatin1(kRecordsMimeType); }

// Our own type's records; nothing when its bytes are not whole records.
std::vector<TRecordBytes> OwnRecords(const QByteArray& bytes) {
  std::vector<TRecordBytes> records;
  if (bytes.isEmpty() || bytes.size() % static_cast<qsizetype>(kRecordSize) != 0) return records;
  for (qsizetype at = 0; at < bytes.size(); at += static_cast<qsizetype>(kRecordSize)) {
    TRecordBytes& record = records.emplace_back();
    std::copy_n(bytes.constData() + at, kRecordSize, reinterpret_cast<char*>(record.data()));
  }
  return records;
}

}  // namespace

void PutObjectsOnClipboard(const std::vector<TRecordBytes>& records) {
  auto data = std::make_unique<QMimeData>();
  QByteArray bytes;
  for (const TRecordBytes& record : records) {
    bytes.append(reinterpret_cast<const char*>(record.data()), static_cast<qsizetype>(kRecordSize));
  }
  data->setData(OwnType(), bytes);
  // The exact form is ASCII.
  data->setText(QString::fromLatin1(ExactRecordLines(records)));
  QGuiApplication::clipboard()->setMimeData(data.release());
}

bool ClipboardHasObjects() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr) return false;
  return !OwnRecords(data->data(OwnType())).empty() || (data->hasText() && !data->text().isEmpty());
}

std::vector<TRecordBytes> ObjectsOnClipboard() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr) return {};
  return ObjectsFrom(data->data(OwnType()), data->hasText() ? data->text() : QString());
}

std::vector<TRecordBytes> ObjectsFrom(const QByteArray& own_type, const QString& text) {
  std::vector<TRecordBytes> records = OwnRecords(own_type);
  if (!records.empty() || text.isEmpty()) return records;
  const QByteArray utf8 = text.toUtf8();
  return ObjectsFromText({utf8.constData(), static_cast<std::size_t>(utf8.size())});
}
