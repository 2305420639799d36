#pragma once
// How the layouts' fonts, colours and texts look on Qt.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <string>
#include <string_view>

#include "platform/ui/Color.h"
#include "platform/ui/Layout.h"

namespace zorvanel::qt {

// The family the layouts are drawn in: Tahoma where it is installed,
// otherwise the nearest sans-serif family the machine has.
QString UiFontFamily();

// A layout font at the given logical DPI. Sizes are set in pixels so the
// text scales with the same DPI as the positions.
QFont ToQFont(const ui::Font& font, double dpi);

// A fixed colour as it is; a system colour from the application's palette.
QColor ToQColor(ui::Color color, const QPalette& palette);

// Texts cross the seam as UTF-8 with CR LF line breaks; Qt wants LF.
QString ToDisplayText(std::string_view text);
QString ToQString(std::string_view text);
std::string ToStdString(const QString& text);

}  // namespace zorvanel::qt
