// SPDX-License-Identifier: AGPL-3.0-or-later
// Small conversions the main window's files share: the core's day serials
// (day 0 is 30 December 1899) to and from QDate, and Qt paths to the local
// 8-bit paths the core opens.
#pragma once

#include <QDate>
#include <QFile>
#include <QString>
#include <string>

#include "agenda/Tendencia.h"

namespace varnolt::gui {

inline QDate DeFecha(TFecha f) {
    return QDate(1899, 12, 30).addDays(f);
}

inline TFecha AFecha(const QDate& d) {
    return static_cast<TFecha>(QDate(1899, 12, 30).daysTo(d));
}

inline std::string RutaLocal(const QString& ruta) {
    return QFile::encodeName(ruta).toStdString();
}

}  // namespace varnolt::gui
