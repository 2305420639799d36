#include "platform/qt/ProgramIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace zorvanel::qt {

namespace {

// The picture is drawn on a 32 x 32 grid and scaled.
constexpr double kGrid = 32.0;

void DrawWave(QPainter& painter, const QRectF& screen) {
  QPainterPath wave;
  constexpr int kSteps = 48;
  constexpr double kCycles = 3.0;
  for (int i = 0; i <= kSteps; ++i) {
    const double t = static_cast<double>(i) / kSteps;
    const double x = screen.left() + 2 + t * (screen.width() - 4);
    const double y = screen.center().y() - std::sin(t * kCycles * 2 * M_PI) * screen.height() * 0.3;
    if (i == 0) wave.moveTo(x, y); else wave.lineTo(x, y);
  }
  painter.setPen(QPen(QColor(0xFF8080), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPath(wave);
}

}  // namespace

QPixmap ProgramPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / kGrid, size / kGrid);

  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x404040));
  painter.drawRect(QRectF(12, 25, 8, 3));   // neck
  painter.drawRoundedRect(QRectF(7, 27, 18, 3), 1, 1);  // foot
  painter.setBrush(QColor(0x303030));
  painter.drawRoundedRect(QRectF(1, 3, 30, 23), 3, 3);  // bezel

  const QRectF screen(4, 6, 24, 17);
  QLinearGradient glass(screen.topLeft(), screen.bottomRight());
  glass.setColorAt(0, QColor(0x1E3A8A));
  glass.setColorAt(1, QColor(0x0B1437));
  painter.setBrush(glass);
  painter.drawRect(screen);
  DrawWave(painter, screen);
  return pixmap;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64}) icon.addPixmap(ProgramPixmap(size));
  return icon;
}

}  // namespace zorvanel::qt
