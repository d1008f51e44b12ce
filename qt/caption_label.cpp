#include "zelmar/qt/caption_label.hpp"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace zelmar::qt {

QStringList WrapAtBlanks(const QString& text, const QFontMetricsF& metrics, qreal width) {
  // Each word is measured once; a line is as wide as its words and the
  // blanks between them.
  const qreal blank = metrics.horizontalAdvance(u' ');
  QStringList lines;
  QString line;
  qreal line_width = 0;
  for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
    const qreal word_width = metrics.horizontalAdvance(word);
    if (line.isEmpty()) {
      line = word;
      line_width = word_width;
    } else if (line_width + blank + word_width <= width) {
      line += u' ' + word;
      line_width += blank + word_width;
    } else {
      lines << line;
      line = word;
      line_width = word_width;
    }
  }
  if (!line.isEmpty()) lines << line;
  return lines;
}

CaptionLabel::CaptionLabel(const QString& text, Qt::Alignment alignment, Overflow overflow, QWidget* parent)
    : QLabel(text, parent), alignment_(alignment), overflow_(overflow) {
  setTextFormat(Qt::PlainText);
  setAutoFillBackground(true);
  setFocusPolicy(Qt::NoFocus);
}

void CaptionLabel::SetCaption(const QString& text) {
  setText(text);
  UpdateFullTextHints();
}

void CaptionLabel::SetDesignGeometry(const QRect& design, const QRect& painted) {
  // No text is measured here: that would load the font before the window
  // can appear.
  design_width_ = design.width();
  setGeometry(overflow_ == Overflow::RunOn ? painted : design);
}

QStringList CaptionLabel::Lines() const {
  const int wrap_width = design_width_ > 0 ? design_width_ : width();
  if (wrapped_.text != text() || wrapped_.font != font() || wrapped_.width != wrap_width) {
    wrapped_ = {text(), font(), wrap_width, WrapAtBlanks(text(), QFontMetricsF(font()), wrap_width)};
  }
  return wrapped_.lines;
}

bool CaptionLabel::ShowsWhole() const {
  const QFontMetricsF metrics(font());
  const QStringList lines = Lines();
  if (static_cast<qreal>(lines.size()) * metrics.lineSpacing() > height() + metrics.descent()) return false;
  return std::ranges::all_of(lines,
                             [&](const QString& line) { return metrics.horizontalAdvance(line) <= width(); });
}

void CaptionLabel::UpdateFullTextHints() {
  if (overflow_ != Overflow::Elide) return;
  setToolTip(ShowsWhole() ? QString() : text());
}

void CaptionLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setFont(font());
  painter.setPen(palette().color(foregroundRole()));
  const QFontMetricsF metrics(font());
  qreal baseline = metrics.ascent();
  for (const QString& line : Lines()) {
    QString shown = line;
    if (overflow_ == Overflow::Elide) shown = metrics.elidedText(line, Qt::ElideRight, width());
    const qreal advance = metrics.horizontalAdvance(shown);
    const qreal x = alignment_.testFlag(Qt::AlignHCenter) ? (design_width_ - advance) / 2 : 0;
    painter.drawText(QPointF(x, baseline), shown);
    baseline += metrics.lineSpacing();
  }
}

}  // namespace zelmar::qt
