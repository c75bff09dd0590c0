list(APPEND PNR_CORE_SOURCES
  src/hooks/chord_machine.cpp
)
list(APPEND PNR_WIN_SOURCES
  src/hooks/mouse_hook.cpp
  src/hooks/message_hooks.cpp
  src/hooks/activation.cpp
)
