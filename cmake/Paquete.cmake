# SPDX-License-Identifier: AGPL-3.0-or-later
# The Debian package, built from the build folder with "cpack -G DEB": the
# installed tree under /usr, with the run-time dependencies computed from the
# binaries by dpkg-shlibdeps (package dpkg-dev).
set(CPACK_PACKAGE_NAME varnolt)
set(CPACK_PACKAGE_VENDOR "quillmere")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Varnolt maintainers <maintainers@users.noreply.c-seed-9c290496.example>"
    CACHE STRING "Maintainer of the Debian package")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The long description under the summary line; CPack indents it and marks
# the empty line between the paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Varnolt abre agendas de tránsitos astrológicos (archivos .csv de Orbelune),
pondera cada día del período elegido, halla los días pico, dibuja gráficos
de barras y de tendencia, filtra por ítem natal, ítem de tránsito y ángulo
de aspecto, lista los contactos de un día con sus textos interpretativos
(arquetipos, archivos SQLite 2.8) y exporta rangos de contactos y reportes
CSV. La interfaz está en español.

Incluye varnolt-cli, el mismo análisis sin ventana, y varnolt-arq, que
escribe y vuelca archivos de arquetipos.")
# Dependencies from the shared libraries the programs and the engine link.
# The engine in the private folder (lib/varnolt/dll/libsqlite.so.0) is the
# package's own: the programs load it by its path with dlopen, so no binary
# names it as a dependency and dpkg-shlibdeps never looks it up elsewhere.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own Spanish texts for the file dialogs and standard buttons.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
# The ephemeris files of the agendas Varnolt computes (without them it
# falls back to the analytic mode, with a notice).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, swe-basic-data")

include(CPack)
