list(APPEND PNR_CORE_SOURCES
  src/hooks/chord_machine.cpp
)
list(APPEND PNR_WIN_SOURCES
  src/hooks/mouse_hook.cpp
  src/hooks/message_hooks.cpp
  src/hooks/activation.cpp
)
# The hook procedures' entries of the shipped 32-bit build; the 64-bit build
# compiles their C++ twins.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  list(APPEND PNR_WIN_SOURCES src/hooks/hook_entries_i386.S)
endif()
