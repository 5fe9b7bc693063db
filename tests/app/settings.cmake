# The settings file, the program's start-up and exit steps, and
# "varnolt-cli config".
varnolt_test(settings_test
    ${CMAKE_CURRENT_LIST_DIR}/settings/ArchivoIniTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings/CarpetasTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings/ConfiguracionTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings/DatosProgramaTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings/ComandoConfigTest.cpp
    ${CMAKE_SOURCE_DIR}/src/cli/ComandoConfig.cpp
)
