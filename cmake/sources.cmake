# The library's sources, one list for every build that uses them: each
# subsystem names its pure decision code (PNR_CORE_SOURCES: built on Linux
# too, for the native tests and the fuzzers) and its Win32 code
# (PNR_WIN_SOURCES: the DLL). The paths come out absolute.
get_filename_component(_pnr_root ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
set(PNR_CORE_SOURCES)
set(PNR_WIN_SOURCES)
foreach(subsystem state discovery placement hooks)
  include(${_pnr_root}/src/${subsystem}/sources.cmake)
endforeach()
list(TRANSFORM PNR_CORE_SOURCES PREPEND ${_pnr_root}/)
list(TRANSFORM PNR_WIN_SOURCES PREPEND ${_pnr_root}/)
