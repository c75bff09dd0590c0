# The one recipe for a lean DLL: panorela.dll and every DLL of the benchmark
# are built with it, so that the benchmark's floor differs from the library
# only in what its hooks do. Size-optimised; no C run-time, exceptions, RTTI,
# thread-safe statics or calls to memset/memcpy the compiler would invent;
# unused sections dropped; sections aligned to pages in the file too (Wine
# can then map the image as it is instead of copying each section, which
# makes loading the library, into every process the hooks reach, about a
# fifth cheaper).
set(PNR_LEAN_COMPILE_OPTIONS -Os -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
    -fno-stack-protector -fno-threadsafe-statics -ffreestanding -fno-tree-loop-distribute-patterns
    -ffunction-sections -fdata-sections -fomit-frame-pointer -Wall -Wextra)

# Compiles `target` (an object library of DLL code, or the DLL itself) that way.
function(pnr_lean_code target)
  target_compile_options(${target} PRIVATE ${PNR_LEAN_COMPILE_OPTIONS})
endfunction()

# A DLL named `target` from the sources that follow, with `entry` (the entry
# point's name in the source) as its entry point. It links KERNEL32 and
# USER32 only, with libgcc for the helpers the compiler may call.
function(pnr_lean_dll target entry)
  add_library(${target} SHARED ${ARGN})
  set_target_properties(${target} PROPERTIES PREFIX "")
  pnr_lean_code(${target})
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(symbol ${entry})
  else()
    set(symbol _${entry}@12)
  endif()
  target_link_options(${target} PRIVATE -nostdlib -nostartfiles -s -Wl,--gc-sections
    -Wl,-e,${symbol} -Wl,--kill-at -Wl,--file-alignment,4096)
  target_link_libraries(${target} PRIVATE kernel32 user32 gcc)
endfunction()
