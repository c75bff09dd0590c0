list(APPEND PNR_CORE_SOURCES src/placement/desk.cpp src/placement/toolbar_geometry.cpp
  src/placement/objinsp_geometry.cpp)
list(APPEND PNR_WIN_SOURCES src/placement/dpi_context.cpp src/placement/read_desk.cpp src/placement/toolbar.cpp
  src/placement/objinsp.cpp)
