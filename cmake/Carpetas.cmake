# SPDX-License-Identifier: AGPL-3.0-or-later
# The installed layout, in the conventions of a Linux desktop program
# (folders relative to the install prefix):
#
#   bin/Varnolt, bin/varnolt-cli, bin/varnolt-arq   links to the real programs
#   lib/varnolt/                                    the real programs
#   lib/varnolt/dll/libsqlite.so.0                  the SQLite 2 engine they load
#   share/varnolt/                                  the sample archetype file and agenda
#   share/applications/, share/icons/hicolor/scalable/apps/, share/metainfo/,
#   share/man/man1/                                 the desktop entry, icon,
#                                                   metainfo and manual pages
#   share/doc/varnolt/                              copyright (the licence) and
#                                                   changelog.gz
#   share/lintian/overrides/varnolt                 the package's lintian overrides
#
# The programs find the "dll" folder beside their real executable (the links
# in bin/ are resolved first), and their data folder from there through
# VARNOLT_DATOS_DESDE_PROGRAMAS, so the prefix may be anything.
include(GNUInstallDirs)

set(VARNOLT_INSTALL_PROGRAMAS lib/varnolt CACHE STRING
    "Private folder of the real programs and of their dll/ folder, under the prefix")
set(VARNOLT_INSTALL_DATOS ${CMAKE_INSTALL_DATADIR}/varnolt)
# The package's copyright file and changelog, where Debian keeps them (the
# package's name, lower case).
set(VARNOLT_INSTALL_DOC ${CMAKE_INSTALL_DATADIR}/doc/varnolt)
foreach(_carpeta VARNOLT_INSTALL_PROGRAMAS CMAKE_INSTALL_BINDIR CMAKE_INSTALL_DATADIR)
    if(IS_ABSOLUTE "${${_carpeta}}")
        message(FATAL_ERROR "${_carpeta} must be relative to the install prefix "
                            "(the programs find their files from their own folder)")
    endif()
endforeach()

# The data folder as the programs' folder sees it ("../../share/varnolt").
file(RELATIVE_PATH VARNOLT_DATOS_DESDE_PROGRAMAS
     /${VARNOLT_INSTALL_PROGRAMAS} /${VARNOLT_INSTALL_DATOS})
# The programs' folder as bin/ sees it, for the links ("../lib/varnolt").
file(RELATIVE_PATH VARNOLT_PROGRAMAS_DESDE_BIN
     /${CMAKE_INSTALL_BINDIR} /${VARNOLT_INSTALL_PROGRAMAS})
