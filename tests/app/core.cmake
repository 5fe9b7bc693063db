# SPDX-License-Identifier: AGPL-3.0-or-later
varnolt_test(app_tests
    ${CMAKE_CURRENT_LIST_DIR}/AccesoArchivosTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ArchivoSeguroTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ColocacionVentanasTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormatoTest.cpp
)
