#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QString>

namespace plexaro {

// The largest size of `font`, at most its own, at which `text` laid out with
// `flags` (word wrap among them) fits inside `area`. The window's controls
// are small and their sizes fixed; their text must still be readable whole.
// On a screen scaled by a fraction (`scale` of 1.25, say) glyphs are placed
// on device pixels and a line comes out up to a few percent wider than its
// metrics say, so there the text is fitted with that much room to spare.
inline QFont fitText(QFont font, const QRect& area, int flags, const QString& text,
                     qreal scale = 1.0) {
  const bool fractional = scale != static_cast<int>(scale);
  const int width = fractional ? area.width() * 94 / 100 : area.width();
  for (qreal size = font.pointSizeF(); size > 5.0; size -= 0.5) {
    font.setPointSizeF(size);
    const QRect needed = QFontMetrics(font).boundingRect(area, flags, text);
    if (needed.width() <= width && needed.height() <= area.height()) break;
  }
  return font;
}

}  // namespace plexaro
