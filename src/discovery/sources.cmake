list(APPEND PNR_CORE_SOURCES src/discovery/text_match.cpp)
list(APPEND PNR_WIN_SOURCES src/discovery/class_name.cpp src/discovery/discovery.cpp)
