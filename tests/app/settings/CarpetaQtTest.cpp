// SPDX-License-Identifier: AGPL-3.0-or-later
// The window keeps its settings file in Qt's folder for the application's
// settings (QStandardPaths::AppConfigLocation, application "Varnolt", no
// organization); varnolt-cli config reads the core's folder. Both must be the
// same folder, whatever the environment says.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QStandardPaths>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/settings/Instalacion.h"

namespace varnolt {
namespace {

std::string CarpetaDeQt() {
    QCoreApplication::setApplicationName(QStringLiteral("Varnolt"));
    QCoreApplication::setOrganizationName(QString());
    const std::string s =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString();
    return s.empty() || s.back() == '/' ? s : s + "/";
}

TEST(CarpetaQt, LaDelNucleoEsLaDeQt) {
    const char* homeAntes = std::getenv("HOME");
    const char* xdgAntes = std::getenv("XDG_CONFIG_HOME");
    const std::optional<std::string> home =
        homeAntes ? std::optional<std::string>(homeAntes) : std::nullopt;
    const std::optional<std::string> xdg =
        xdgAntes ? std::optional<std::string>(xdgAntes) : std::nullopt;

    struct Caso {
        const char* home;
        const char* xdg;  // nullptr: not set
    };
    for (const Caso& c : std::vector<Caso>{{"/home/ana", nullptr},
                                           {"/home/ana", ""},
                                           {"/home/ana", "/srv/config"},
                                           {"/root", "/tmp/xdg"}}) {
        ::setenv("HOME", c.home, 1);
        if (c.xdg != nullptr) {
            ::setenv("XDG_CONFIG_HOME", c.xdg, 1);
        } else {
            ::unsetenv("XDG_CONFIG_HOME");
        }
        EXPECT_EQ(CarpetaConfiguracionVarnolt(), CarpetaDeQt())
            << c.home << " " << (c.xdg ? c.xdg : "(sin XDG_CONFIG_HOME)");
    }
    // Qt 6.4 takes a relative XDG_CONFIG_HOME as it is, where the core
    // ignores it as the XDG rule says; no real session sets one.

    home ? ::setenv("HOME", home->c_str(), 1) : ::unsetenv("HOME");
    xdg ? ::setenv("XDG_CONFIG_HOME", xdg->c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace varnolt
