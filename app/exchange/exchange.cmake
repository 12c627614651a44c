# Data exchange: EDI export, inversion runs, EH4 points, result and spectrum tables, checked text output,
# merge, topography and the line section run.
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/EDIDeviceIO_Edi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EdiStationExport.cpp
)
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/MergeSnapshot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProjectMerge.cpp
)
list(APPEND CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/ResultTableExport.cpp)
list(APPEND CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/TextFileOutput.cpp)
list(APPEND CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SectionPublisher.cpp)
list(APPEND CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/EH4Export.cpp)
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/NLCGIODevice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NLLSIODevice.cpp
)
list(APPEND CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/InversionRun.cpp)
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/InversionParam.h
  ${CMAKE_CURRENT_LIST_DIR}/TopographyFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LineSectionRun.cpp
)
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/StationMagneticSpectra.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LineSpectrumExport.cpp
)
# The station coordinates of a 3-D volume.
list(APPEND CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/CoordinateFile.cpp)
# The resistivity volume as a VTK image file.
list(APPEND CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/VolumeImageFile.cpp)
