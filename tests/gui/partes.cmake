# SPDX-License-Identifier: AGPL-3.0-or-later
# Tests of the content widgets of the tool windows and panels (contacts of the
# day, archetype panels, archetype catalogue, contact ranges, CSV report),
# each shown by itself over a core loaded with the sample agenda; they run
# with QT_QPA_PLATFORM=offscreen and save a screenshot of every widget in
# <build>/tests/gui/capturas.

varnolt_test(gui_partes_tests ${CMAKE_CURRENT_LIST_DIR}/PartesTest.cpp)
target_link_libraries(gui_partes_tests PRIVATE varnolt_gui Qt6::Test)
target_compile_definitions(gui_partes_tests PRIVATE
    VARNOLT_CAPTURAS="${CMAKE_CURRENT_BINARY_DIR}/capturas"
    VARNOLT_ARQ_MUESTRA="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/arquetipos/quillmere_C1_001_v.1.0.arq")
# The archetype files are read through bin/dll/libsqlite.so.0, as the
# program reads them; the screenshots use the bundled sample archetype file.
add_dependencies(gui_partes_tests sqlite2)
if(TARGET varnolt_arquetipos_muestra)
    add_dependencies(gui_partes_tests varnolt_arquetipos_muestra)
endif()

# The same parts inside the real window, driven as a user would: the export
# road (the system clipboard, the save dialog, the bytes of the file), the
# contact detail pane, and the archetype rows' shortening and tooltips, with
# an archetype file written at run time by the project's SQLite 2.8 writer.
varnolt_test(gui_partes_ventana_tests
    ${CMAKE_CURRENT_LIST_DIR}/VentanaPrueba.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ExportarVentanaTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ArquetiposVentanaTest.cpp
)
target_link_libraries(gui_partes_ventana_tests PRIVATE varnolt_gui varnolt_sqlite2_writer Qt6::Test)
target_compile_definitions(gui_partes_ventana_tests PRIVATE
    VARNOLT_CAPTURAS="${CMAKE_CURRENT_BINARY_DIR}/capturas")
add_dependencies(gui_partes_ventana_tests sqlite2)
if(TARGET varnolt_arquetipos_muestra)
    add_dependencies(gui_partes_ventana_tests varnolt_arquetipos_muestra)
endif()
