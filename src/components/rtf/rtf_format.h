#pragma once

#include <QTextFormat>

// QTextCharFormat has no character-set field; the RTF \fcharsetN of a run's
// font is kept in this user property so that it survives a round trip.
inline constexpr int kRtfCharSetProperty = QTextFormat::UserProperty + 1;
