#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QString>

namespace plexaro {

// The largest size of `font`, at most its own, at which `text` laid out with
// `flags` (word wrap among them) fits inside `area`. The window's controls
// are small and their sizes fixed; their text must still be readable whole.
inline QFont fitText(QFont font, const QRect& area, int flags, const QString& text) {
  for (qreal size = font.pointSizeF(); size > 5.0; size -= 0.5) {
    font.setPointSizeF(size);
    const QRect needed = QFontMetrics(font).boundingRect(area, flags, text);
    if (needed.width() <= area.width() && needed.height() <= area.height()) break;
  }
  return font;
}

}  // namespace plexaro
