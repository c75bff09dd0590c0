list(APPEND PNR_WIN_SOURCES src/state/shared_state.cpp)
