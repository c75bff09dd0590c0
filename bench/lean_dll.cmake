# The benchmark's comparison DLLs are built as panorela.dll is: size-optimised,
# without the C run-time, with page-aligned sections in the file, so that they
# differ from it only in what their hooks do. `entry` is the entry point's
# name in the source.
function(pnr_lean_dll target entry)
  add_library(${target} SHARED ${ARGN})
  set_target_properties(${target} PROPERTIES PREFIX "")
  target_compile_options(${target} PRIVATE -Os -fno-exceptions -fno-rtti
    -fno-asynchronous-unwind-tables -fno-stack-protector -ffreestanding -fomit-frame-pointer)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(symbol ${entry})
  else()
    set(symbol _${entry}@12)
  endif()
  target_link_options(${target} PRIVATE -nostdlib -nostartfiles -s -Wl,-e,${symbol}
    -Wl,--kill-at -Wl,--file-alignment,4096)
  target_link_libraries(${target} PRIVATE kernel32 user32)
endfunction()
