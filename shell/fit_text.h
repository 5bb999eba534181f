#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QStringList>
#include <algorithm>

namespace plexaro {

// The smallest text the window draws: 6.5 points, about 8.7 pixels at 96
// dots per inch, where DejaVu Sans, Cantarell and the like still keep their
// letters apart. Smaller would only make room for a longer translation at
// the cost of reading it.
inline constexpr qreal kSmallestPoints = 6.5;

// The largest size of `font`, at most its own and at least kSmallestPoints,
// at which each of `texts` laid out with `flags` (word wrap among them) fits
// inside `area` with every word whole on its line. The window's controls are
// small and their sizes fixed; their text must still be readable whole.
inline QFont fitText(QFont font, const QRect& area, int flags, const QStringList& texts) {
  const auto fits = [&](const QString& text) {
    const QFontMetrics metrics(font);
    const QStringList words = text.split(u' ', Qt::SkipEmptyParts);
    return area.contains(metrics.boundingRect(area, flags, text)) &&
           std::all_of(words.begin(), words.end(), [&](const QString& word) {
             return metrics.horizontalAdvance(word) <= area.width();
           });
  };
  for (qreal size = font.pointSizeF(); size > kSmallestPoints; size -= 0.5) {
    font.setPointSizeF(size);
    if (std::all_of(texts.begin(), texts.end(), fits)) return font;
  }
  font.setPointSizeF(kSmallestPoints);
  return font;
}

// How much narrower than its place text is laid out on a screen scaled by
// `scale`, in pixels: on a fraction (1.25, say) glyphs are placed on device
// pixels and a line comes out up to a few percent wider than its metrics
// say, so there 6 % of the width is kept spare.
inline int roomForScale(int width, qreal scale) {
  return scale == static_cast<int>(scale) ? 0 : width * 6 / 100;
}

}  // namespace plexaro
