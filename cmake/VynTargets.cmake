# How the program's libraries, programs and tests are declared.
#
# Every library publishes only its own headers: they are linked, under the
# path they are included by ("world/GameMap.h"), into an include folder of the
# library's own, and a target sees the headers of exactly the libraries it
# links. An include that goes against the layering therefore fails to compile
# instead of working by accident. The source root itself is on no include
# path.

# The include folder of a target: build/include/<target>/.
function(vyn_include_dir target out)
  set(${out} ${CMAKE_BINARY_DIR}/include/${target} PARENT_SCOPE)
endfunction()

# Links HEADERS (paths relative to the current folder; wildcards allowed) into
# the target's include folder, replacing whatever it held before.
function(vyn_stage_headers target)
  vyn_include_dir(${target} include_dir)
  file(REMOVE_RECURSE ${include_dir})
  file(MAKE_DIRECTORY ${include_dir})
  foreach(entry ${ARGN})
    if(entry MATCHES "[*?]")
      file(GLOB matches CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${entry})
    else()
      get_filename_component(matches ${entry} ABSOLUTE)
      if(NOT EXISTS ${matches})
        message(FATAL_ERROR "${target}: header ${entry} does not exist")
      endif()
    endif()
    foreach(header ${matches})
      file(RELATIVE_PATH relative ${CMAKE_SOURCE_DIR} ${header})
      get_filename_component(folder ${include_dir}/${relative} DIRECTORY)
      file(MAKE_DIRECTORY ${folder})
      file(CREATE_LINK ${header} ${include_dir}/${relative} SYMBOLIC)
    endforeach()
  endforeach()
endfunction()

# The name a library in FOLDER must have: the folder's path from the source
# root with "/" as "_" (world/ holds world, systems/rules/ systems_rules), so
# that the folder, the target and the include prefix ("world/GameMap.h") tell
# the same thing.
function(vyn_library_name folder out)
  file(RELATIVE_PATH relative ${CMAKE_SOURCE_DIR} ${folder})
  string(REPLACE "/" "_" name "${relative}")
  set(${out} ${name} PARENT_SCOPE)
endfunction()

# vyn_add_library(NAME [FOLDER sub] [SOURCES a.cpp ...] HEADERS a.h ...
#                 [PUBLIC lib ...] [PRIVATE lib ...])
# A static library, or a header-only one when it has no sources. Its files
# lie in one folder: the current one, or FOLDER below it; NAME must be that
# folder's library name (above). Paths are relative to the current folder.
# PUBLIC lists the libraries its headers need, PRIVATE those only its
# sources need.
function(vyn_add_library name)
  cmake_parse_arguments(L "" "FOLDER" "SOURCES;HEADERS;PUBLIC;PRIVATE" ${ARGN})
  set(folder ${CMAKE_CURRENT_SOURCE_DIR})
  if(L_FOLDER)
    set(folder ${folder}/${L_FOLDER})
  endif()
  vyn_library_name(${folder} expected)
  if(NOT name STREQUAL expected)
    message(FATAL_ERROR "the library in ${folder} must be named ${expected}, not ${name}")
  endif()
  foreach(file ${L_SOURCES} ${L_HEADERS})
    get_filename_component(path ${file} ABSOLUTE)
    file(RELATIVE_PATH inside ${folder} ${path})
    if(inside MATCHES "^\\.\\./")
      message(FATAL_ERROR "${name}: ${file} lies outside its folder ${folder}")
    endif()
  endforeach()
  vyn_stage_headers(${name} ${L_HEADERS})
  vyn_include_dir(${name} include_dir)
  if(L_SOURCES)
    add_library(${name} STATIC ${L_SOURCES})
    target_include_directories(${name} PUBLIC ${include_dir})
    target_link_libraries(${name} PUBLIC ${L_PUBLIC} PRIVATE ${L_PRIVATE})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${include_dir})
    target_link_libraries(${name} INTERFACE ${L_PUBLIC})
  endif()
endfunction()

# Headers that belong to one program or module and to nothing that links it.
function(vyn_private_headers target)
  vyn_stage_headers(${target} ${ARGN})
  vyn_include_dir(${target} include_dir)
  target_include_directories(${target} PRIVATE ${include_dir})
endfunction()

# A program that finds the headless display module through its RUNPATH
# (<bin>/headless/libgfxrt.so; installed, <module folder>/headless) and is
# built after it.
function(vyn_use_headless_module target)
  set_target_properties(${target} PROPERTIES
    BUILD_RPATH ${VYN_BIN_DIR}/headless
    INSTALL_RPATH "$ORIGIN/${VYN_MODULES_FROM_BIN}/headless")
  add_dependencies(${target} runtime_headless)
endfunction()

# vyn_add_test(NAME SOURCES a.cpp ... LIBS lib ... [HEADLESS] [SERIAL])
# One GoogleTest program, its cases registered with CTest one by one. It sees
# the headers of the libraries it links and those of its own folder.
# HEADLESS: it drives display objects, so it runs on the headless module.
# SERIAL: it plays in real time (key presses timed by the clock), so CTest
# runs it alone rather than beside tests that load the machine.
function(vyn_add_test name)
  cmake_parse_arguments(T "HEADLESS;SERIAL" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    VYN_BIN_DIR="${VYN_BIN_DIR}" VYN_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  if(T_HEADLESS)
    vyn_use_headless_module(${name})
  endif()
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests
    DISCOVERY_MODE PRE_TEST
    PROPERTIES RUN_SERIAL ${T_SERIAL})
endfunction()
