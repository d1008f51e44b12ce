#include "caption_label.hpp"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace zelmar::ui {

QStringList WrapAtBlanks(const QString& text, const QFontMetricsF& metrics, qreal width) {
  QStringList lines;
  QString line;
  for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
    const QString candidate = line.isEmpty() ? word : line + u' ' + word;
    if (line.isEmpty() || metrics.horizontalAdvance(candidate) <= width) {
      line = candidate;
    } else {
      lines << line;
      line = word;
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

void CaptionLabel::SetDesignGeometry(const QRect& rect) {
  design_width_ = rect.width();
  QRect placed = rect;
  if (overflow_ == Overflow::RunOn) {
    const QFontMetricsF metrics(font());
    for (const QString& line : Lines()) {
      placed.setWidth(std::max(placed.width(), static_cast<int>(std::ceil(metrics.horizontalAdvance(line)))));
    }
  }
  setGeometry(placed);
}

QStringList CaptionLabel::Lines() const {
  return WrapAtBlanks(text(), QFontMetricsF(font()), design_width_ > 0 ? design_width_ : width());
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
  setAccessibleDescription(text());
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
    const qreal x = alignment_.testFlag(Qt::AlignHCenter) ? (width() - advance) / 2 : 0;
    painter.drawText(QPointF(x, baseline), shown);
    baseline += metrics.lineSpacing();
  }
}

}  // namespace zelmar::ui
