# Data exchange: station result files and the operator interface of the core.
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/EDIDeviceIO.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OperatorDialogs.h
  ${CMAKE_CURRENT_LIST_DIR}/TensorResultBand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TensorResultFile.cpp
)
