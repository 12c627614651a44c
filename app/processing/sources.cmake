# Processing records and recording descriptors.
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ProcessingRecords.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProcessingRecords.h
  ${CMAKE_CURRENT_LIST_DIR}/RecordingDescriptors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecordingDescriptors.h
  ${CMAKE_CURRENT_LIST_DIR}/RecordingHeader.h
  ${CMAKE_CURRENT_LIST_DIR}/WholeNumbers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WholeNumbers.h
)
