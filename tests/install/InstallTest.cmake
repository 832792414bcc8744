# Installs the build into a fresh prefix and checks the installed tree: its
# files (and nothing else: no tests, no benchmarks), the desktop entry, the
# AppStream metainfo, the manual pages (against each program's --help), the
# programs' search paths and a won game played by the installed vyn-replay
# from a folder of its own. Run by CTest (see CMakeLists.txt).
cmake_minimum_required(VERSION 3.25)

function(fail)
  string(JOIN "" message ${ARGN})
  message(FATAL_ERROR "${message}")
endfunction()

set(prefix ${WORK_DIR}/prefix)
set(elsewhere ${WORK_DIR}/elsewhere)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${elsewhere})

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  fail("cmake --install failed (${status}):\n${out}${err}")
endif()

# Every installed file, and only those. The extra levels are whatever level
# files the source tree has.
set(expected
  ${BINDIR}/vyn
  ${BINDIR}/vyn-editor
  ${BINDIR}/vyn-replay
  ${MODULEDIR}/libgfxrt.so
  ${MODULEDIR}/headless/libgfxrt.so
  ${DATADIR}/assets/map.json
  ${DATADIR}/assets/SourceSansPro-Light.ttf
  ${SHAREDIR}/applications/vyn.desktop
  ${SHAREDIR}/icons/hicolor/scalable/apps/vyn.svg
  ${SHAREDIR}/metainfo/com.quennick.vyn.metainfo.xml
  ${MANDIR}/man6/vyn.6.gz
  ${MANDIR}/man6/vyn-editor.6.gz
  ${MANDIR}/man6/vyn-replay.6.gz
  ${DOCDIR}/README.md
  ${DOCDIR}/SourceSansPro-LICENSE.md)
get_filename_component(source_dir ${CMAKE_CURRENT_LIST_DIR}/../.. ABSOLUTE)
file(GLOB levels RELATIVE ${source_dir}/levels ${source_dir}/levels/*.json)
foreach(level ${levels})
  list(APPEND expected ${DATADIR}/levels/${level})
endforeach()
file(GLOB_RECURSE installed RELATIVE ${prefix} ${prefix}/*)
list(SORT expected)
list(SORT installed)
if(NOT installed STREQUAL expected)
  set(missing ${expected})
  list(REMOVE_ITEM missing ${installed})
  set(extra ${installed})
  list(REMOVE_ITEM extra ${expected})
  fail("the installed files differ from the expected ones\n  missing: ${missing}\n  not expected: ${extra}")
endif()

execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${prefix}/${SHAREDIR}/applications/vyn.desktop
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
  fail("the installed desktop entry is not valid:\n${out}${err}")
endif()

# The metainfo passes the validator without a single remark, pedantic ones
# included, on its own and in the installed tree (where its file name must
# be its id and its launchable the installed desktop entry), and names the
# project's version as its newest release.
set(metainfo ${prefix}/${SHAREDIR}/metainfo/com.quennick.vyn.metainfo.xml)
foreach(check "validate;${metainfo}" "validate-tree;${prefix}")
  list(GET check 0 command)
  list(GET check 1 target)
  execute_process(COMMAND ${APPSTREAMCLI} ${command} --no-net --pedantic --explain ${target}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0 OR "\n${out}${err}" MATCHES "\n *[A-Z]: ")
    fail("appstreamcli ${command} finds fault with the installed metainfo:\n${out}${err}")
  endif()
endforeach()
file(READ ${metainfo} text)
if(NOT text MATCHES "<release version=\"([^\"]*)\"" OR NOT CMAKE_MATCH_1 STREQUAL VERSION)
  fail("the metainfo's newest release is \"${CMAKE_MATCH_1}\", not the project's version ${VERSION}")
endif()

# The --options of a text: each "--word" that does not continue a word.
function(options_of text out)
  # Brackets and semicolons would bend the list the matches make.
  string(REGEX REPLACE "[][;]" " " text "${text}")
  string(REGEX MATCHALL "[^A-Za-z0-9-]--[a-z][a-z-]*" found " ${text}")
  list(TRANSFORM found REPLACE "^.(.*)" "\\1")
  list(REMOVE_DUPLICATES found)
  list(SORT found)
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

# Each manual page renders without a warning, and its OPTIONS are exactly
# the options its program's --help lists: neither can gain or lose one
# without the other.
foreach(program vyn vyn-editor vyn-replay)
  set(page ${prefix}/${MANDIR}/man6/${program}.6.gz)
  execute_process(COMMAND ${GZIP} -dc ${page}
    COMMAND ${GROFF} -man -ww -Tascii -P-c -P-b -P-u -P-o
    RESULTS_VARIABLE statuses OUTPUT_VARIABLE rendered ERROR_VARIABLE err)
  if(NOT statuses STREQUAL "0;0" OR NOT err STREQUAL "")
    string(REPLACE ";" ", " statuses "${statuses}")
    fail("${program}(6) does not render cleanly (statuses ${statuses}):\n${err}")
  endif()
  if(NOT rendered MATCHES "\nOPTIONS\n(.*)")
    fail("${program}(6) has no OPTIONS section:\n${rendered}")
  endif()
  string(REGEX REPLACE "\n[^ \n].*" "" section "${CMAKE_MATCH_1}")
  # The tags of the list: options at the left margin of the section.
  string(REGEX MATCHALL "\n       --[a-z][a-z-]*" tags "\n${section}")
  options_of("${tags}" documented)

  execute_process(COMMAND ${prefix}/${BINDIR}/${program} --help
    WORKING_DIRECTORY ${elsewhere}
    RESULT_VARIABLE status OUTPUT_VARIABLE usage ERROR_VARIABLE err)
  if(NOT status EQUAL 0 OR NOT err STREQUAL "")
    fail("the installed ${program} --help failed (${status}):\n${usage}${err}")
  endif()
  options_of("${usage}" listed)
  if(NOT listed)
    fail("${program} --help lists no options:\n${usage}")
  endif()

  if(NOT documented STREQUAL listed)
    set(undocumented ${listed})
    list(REMOVE_ITEM undocumented ${documented})
    set(unknown ${documented})
    list(REMOVE_ITEM unknown ${listed})
    fail("${program}(6) and ${program} --help disagree\n"
         "  in --help, not in the page's OPTIONS: ${undocumented}\n"
         "  in the page's OPTIONS, not in --help: ${unknown}")
  endif()
endforeach()

# The programs reach their modules from the installed tree, never from the
# build tree: the runtime search path is relative to the program.
foreach(program vyn vyn-editor vyn-replay)
  execute_process(COMMAND ${OBJDUMP} -p ${prefix}/${BINDIR}/${program}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    fail("objdump -p ${program} failed:\n${err}")
  endif()
  set(want "$ORIGIN/${MODULES_FROM_BIN}")
  if(program STREQUAL "vyn-replay")
    string(APPEND want "/headless")
  endif()
  if(NOT out MATCHES "\n  RUNPATH +([^\n]*)\n" OR NOT CMAKE_MATCH_1 STREQUAL want)
    fail("the installed ${program} has the search path \"${CMAKE_MATCH_1}\", not \"${want}\"")
  endif()
endforeach()

# The installed vyn-replay, started away from both trees, wins the game.
execute_process(COMMAND ${prefix}/${BINDIR}/vyn-replay --ticks ${TICKS} --trace trace.jsonl ${SCRIPT}
  WORKING_DIRECTORY ${elsewhere}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  fail("the installed vyn-replay failed (${status}):\n${out}${err}")
endif()
file(STRINGS ${elsewhere}/trace.jsonl lines)
list(LENGTH lines count)
if(NOT count EQUAL TICKS)
  fail("the trace has ${count} lines, not ${TICKS}")
endif()
list(GET lines -1 last)
string(JSON items GET "${last}" player items)
string(JSON message GET "${last}" hud message)
if(NOT items EQUAL 4 OR NOT message STREQUAL "VICTORY")
  fail("the installed game was not won: ${items} shards, message \"${message}\"\n${last}")
endif()
