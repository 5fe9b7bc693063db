// SPDX-License-Identifier: AGPL-3.0-or-later
// Conversions between the core's texts and colours and Qt's.
#pragma once

#include <QColor>
#include <QString>
#include <string>

#include "views/Graficos.h"

namespace varnolt::gui {

// The core keeps text as UTF-8.
inline QString Q(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
inline QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
inline std::string S(const QString& q) {
    return q.toUtf8().toStdString();
}

// The core's texts break lines with "\r" (and sometimes "\r\n"); Qt with "\n".
inline QString Lineas(const std::string& s) {
    QString q = Q(s);
    q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    q.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return q;
}

// TColor is red + 256 × green + 65536 × blue.
inline QColor Color(TColor c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

}  // namespace varnolt::gui
