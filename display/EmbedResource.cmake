# vyn_embed_resource(<target> <name> <file> [SHA256 <hash>])
#
# Compiles <file> into <target> as the embedded resource <name>, found at run
# time with gfx::Resource::getBytes("<name>"). With SHA256 the file must have
# that checksum. Configuring fails with a clear message when the file is
# missing or its checksum differs. <target> may be an executable or a static
# library; a static library's consumers always keep the resource.
function(vyn_embed_resource target name file)
  cmake_parse_arguments(R "" "SHA256" "" ${ARGN})
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR
      "The resource '${name}' needs the file ${file}, which is missing. "
      "Run tools/setup.sh to fetch it.")
  endif()
  if(R_SHA256)
    file(SHA256 "${file}" actual)
    if(NOT actual STREQUAL R_SHA256)
      message(FATAL_ERROR
        "The file ${file} (resource '${name}') has sha256 ${actual}, "
        "expected ${R_SHA256}. Delete it and run tools/setup.sh to fetch the right one.")
    endif()
  endif()

  string(MAKE_C_IDENTIFIER "vyn_resource_${target}_${name}" id)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/embedded)
  set(asm ${dir}/${id}.S)
  set(cpp ${dir}/${id}.cpp)
  file(CONFIGURE OUTPUT ${asm} CONTENT [=[
/* Generated: the bytes of @file@. */
    .section .rodata
    .balign 16
    .globl @id@_data
    .hidden @id@_data
@id@_data:
    .incbin "@file@"
    .globl @id@_end
    .hidden @id@_end
@id@_end:
    .byte 0
    .section .note.GNU-stack,"",@progbits
]=] @ONLY)
  file(CONFIGURE OUTPUT ${cpp} CONTENT [=[
// Generated: registers the embedded resource "@name@".
#include <cstddef>

#include "display/Resource.h"

extern "C" const unsigned char @id@_data[];
extern "C" const unsigned char @id@_end[];

// Kept by the linker through -u, so that the registration below runs even
// when this object sits in a static library that nothing else references.
extern "C" void @id@_anchor() {}

namespace {
[[maybe_unused]] const bool registered = (gfx::Resource::add("@name@", @id@_data,
                                            static_cast<std::size_t>(@id@_end - @id@_data)),
                         true);
}
]=] @ONLY)
  set_source_files_properties(${asm} PROPERTIES OBJECT_DEPENDS "${file}")
  target_sources(${target} PRIVATE ${asm} ${cpp})
  target_link_options(${target} PUBLIC "LINKER:--undefined=${id}_anchor")
  # Re-configure when the file changes, so that the checksum is checked again.
  set_property(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${file}")
endfunction()
