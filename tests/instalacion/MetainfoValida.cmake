# SPDX-License-Identifier: AGPL-3.0-or-later
# The AppStream metainfo passes "appstreamcli validate --pedantic" with no
# remark at all but one: the upper-case letters of the id
# (org.quillmere.Varnolt), which the installed file names keep.
#
#   cmake -DAPPSTREAMCLI=/usr/bin/appstreamcli -DMETAINFO=FILE -P MetainfoValida.cmake
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${APPSTREAMCLI} validate --pedantic --no-net --no-color ${METAINFO}
                RESULT_VARIABLE _codigo OUTPUT_VARIABLE _salida ERROR_VARIABLE _salida)
message("${_salida}")
string(REGEX MATCHALL "(^|\n)[EWIP]: [^\n]*" _observaciones "${_salida}")
list(FILTER _observaciones EXCLUDE REGEX " cid-contains-uppercase-letter ")
if(NOT _codigo EQUAL 0 OR _observaciones)
    message(FATAL_ERROR "appstreamcli finds more than the id's upper case: ${_observaciones}")
endif()
