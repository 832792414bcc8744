# Installs the build into a fresh prefix and checks the installed tree: its
# files (and nothing else: no tests, no benchmarks), the desktop entry, the
# programs' search paths and a won game played by the installed vyn-replay
# from a folder of its own. Run by CTest (see CMakeLists.txt).

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
