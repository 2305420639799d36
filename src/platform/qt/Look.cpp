#include "platform/qt/Look.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <array>

#include "platform/qt/Twips.h"

namespace zorvanel::qt {

namespace {

struct FamilyChoice {
  const char* family;
  int stretch;  // percent of the face's own width
};

// The layouts were measured in Tahoma: a text fits its label there and
// wraps or is cut off in a wider face. So Tahoma first; then Liberation Sans
// and DejaVu Sans narrowed to Tahoma's width (a caption such as "Capability
// of using compressed mode format:" then fits its 217 pixels at 96 DPI).
constexpr std::array<FamilyChoice, 3> kFamilies = {{
    {"Tahoma", QFont::Unstretched},
    {"Liberation Sans", 95},
    {"DejaVu Sans", 87},
}};

FamilyChoice ChooseFamily() {
  const QStringList installed = QFontDatabase::families();
  for (const FamilyChoice& choice : kFamilies) {
    if (installed.contains(QString::fromLatin1(choice.family), Qt::CaseInsensitive)) {
      return choice;
    }
  }
  return {nullptr, QFont::Unstretched};
}

const FamilyChoice& Choice() {
  static const FamilyChoice choice = ChooseFamily();
  return choice;
}

}  // namespace

QString UiFontFamily() {
  if (Choice().family) return QString::fromLatin1(Choice().family);
  QFont sans;
  sans.setStyleHint(QFont::SansSerif);
  return QFontInfo(sans).family();
}

QFont ToQFont(const ui::Font& font, double dpi) {
  QFont result(UiFontFamily());
  result.setStyleHint(QFont::SansSerif);
  result.setStretch(Choice().stretch);
  result.setPixelSize(PointsToPixels(font.points, dpi));
  result.setBold(font.bold);
  result.setUnderline(font.underline);
  return result;
}

QColor ToQColor(ui::Color color, const QPalette& palette) {
  switch (color.source) {
    case ui::Color::Source::Rgb: return QColor(QRgb(color.rgb));
    case ui::Color::Source::WindowText: return palette.color(QPalette::WindowText);
    case ui::Color::Source::ButtonFace: return palette.color(QPalette::Button);
    case ui::Color::Source::ButtonShadow: return palette.color(QPalette::Dark);
  }
  return palette.color(QPalette::WindowText);
}

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString ToDisplayText(std::string_view text) {
  QString display = ToQString(text);
  display.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return display;
}

std::string ToStdString(const QString& text) { return text.toStdString(); }

}  // namespace zorvanel::qt
