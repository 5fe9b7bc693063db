# SPDX-License-Identifier: AGPL-3.0-or-later
# The content widgets of the tool windows and panels (contacts of the day,
# archetype panels, archetype catalogue, contact ranges, CSV report), added to
# varnolt_gui. src/gui/CMakeLists.txt includes this file.
target_sources(varnolt_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/PartesComun.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PanelContactosDia.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PanelArquetipos.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PanelCatalogoArq.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PanelRangos.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PanelCSV.cpp
)
