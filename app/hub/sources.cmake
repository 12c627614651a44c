# The hub's 3-D processing.
list(APPEND CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/VolumeRun.cpp)
