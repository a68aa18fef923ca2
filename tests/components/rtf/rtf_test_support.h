#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTextCharFormat>
#include <QTextDocument>
#include <memory>

// Helpers for the RTF tests: read bytes into a fresh document and look at
// its paragraphs and the format of a piece of its text.

std::unique_ptr<QTextDocument> ReadRtf(const QByteArray& rtf, bool* ok = nullptr);

// The text of each paragraph.
QStringList Paragraphs(const QTextDocument& document);

// The character format of the first character of the first `piece` in the
// document (fails the test when the piece is missing).
QTextCharFormat FormatOf(const QTextDocument& document, const QString& piece);

// The first face a format names, empty when it names none.
QString FamilyOf(const QTextCharFormat& format);
