list(APPEND PNR_CORE_SOURCES
  src/hooks/chord_machine.cpp
  src/hooks/mouse_move.cpp
)
