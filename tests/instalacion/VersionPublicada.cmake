# SPDX-License-Identifier: AGPL-3.0-or-later
# The release the package and the software centres announce is the one the
# build makes: the changelog's newest entry and the metainfo's newest release
# name the project's version, with the same day.
#
#   cmake -DFUENTES=SOURCE_TREE -DVERSION=X.Y.Z -P VersionPublicada.cmake
cmake_minimum_required(VERSION 3.25)

file(STRINGS ${FUENTES}/data/debian/changelog _changelog)
list(GET _changelog 0 _titulo)
if(NOT _titulo MATCHES "^varnolt \\(([^)]+)\\) ")
    message(FATAL_ERROR "data/debian/changelog does not start with an entry: ${_titulo}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
    message(FATAL_ERROR "the newest changelog entry is ${CMAKE_MATCH_1}, the project is ${VERSION}: "
                        "add an entry for ${VERSION} to data/debian/changelog")
endif()
# The trailer line of that entry: " -- Name <address>  Fri, 11 Dec 2026 ...".
list(FILTER _changelog INCLUDE REGEX "^ -- ")
list(GET _changelog 0 _firma)
set(_meses Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
if(NOT _firma MATCHES ">  [A-Z][a-z][a-z], ([0-9][0-9]?) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    message(FATAL_ERROR "no date in the changelog's trailer line: ${_firma}")
endif()
set(_ano ${CMAKE_MATCH_3})
list(FIND _meses ${CMAKE_MATCH_2} _mes)
math(EXPR _mes "${_mes} + 1")
math(EXPR _dia "${CMAKE_MATCH_1}")
foreach(_parte _mes _dia)
    if(${_parte} LESS 10)
        set(${_parte} "0${${_parte}}")
    endif()
endforeach()
set(_fecha "${_ano}-${_mes}-${_dia}")

file(READ ${FUENTES}/data/org.quillmere.Varnolt.metainfo.xml _metainfo)
if(NOT _metainfo MATCHES "<release version=\"([^\"]+)\" date=\"([^\"]+)\"")
    message(FATAL_ERROR "the metainfo names no release")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL VERSION OR NOT CMAKE_MATCH_2 STREQUAL _fecha)
    message(FATAL_ERROR "the metainfo's newest release is ${CMAKE_MATCH_1} of ${CMAKE_MATCH_2}; "
                        "the changelog's is ${VERSION} of ${_fecha}")
endif()
