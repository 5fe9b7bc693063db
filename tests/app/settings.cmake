# SPDX-License-Identifier: AGPL-3.0-or-later
# The settings file, the program's start-up and exit steps, "varnolt-cli
# config", and where the program finds its own files.
varnolt_test(settings_test
    ${CMAKE_CURRENT_LIST_DIR}/settings/ArchivoIniTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings/CarpetasTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings/ConfiguracionTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings/DatosProgramaTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings/ComandoConfigTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings/InstalacionTest.cpp
    ${CMAKE_SOURCE_DIR}/src/cli/ComandoConfig.cpp
)
# The installed layout (cmake/Carpetas.cmake), to build installed trees.
target_compile_definitions(settings_test PRIVATE
    VARNOLT_INSTALL_PROGRAMAS="${VARNOLT_INSTALL_PROGRAMAS}"
    VARNOLT_INSTALL_DATOS="${VARNOLT_INSTALL_DATOS}")

# The window takes Varnolt's configuration folder from Qt: the core's rule
# must give the same folder.
if(VARNOLT_GUI)
    find_package(Qt6 REQUIRED COMPONENTS Core)
    varnolt_test(settings_qt_test ${CMAKE_CURRENT_LIST_DIR}/settings/CarpetaQtTest.cpp)
    target_link_libraries(settings_qt_test PRIVATE Qt6::Core)
endif()
