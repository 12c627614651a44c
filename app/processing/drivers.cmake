# Processing drivers: spectrum analysis, tensor processing, curve and section smoothing, depth
# sections, the layered-earth forward response, and the tensor records.
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ChannelSlot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChannelSpectraRun.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Data_Calc_Tensor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Data_FitCalc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Data_Inversion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Data_RhoworksCalc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Data_Smooth.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrequencyTables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LayeredEarthResponse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinearInterpolation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumericalMethod.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SpectrumCalibration.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SpectrumMeans.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TensorBand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TensorMath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TensorMatrixStack.cpp
)
# The pseudo-3-D resistivity volume: grid, station columns, inverse-distance interpolation,
# layer blending and smoothing.
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ResistivityVolume.h
  ${CMAKE_CURRENT_LIST_DIR}/VolumeBlending.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VolumeBuild.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VolumeColumn.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VolumeGrid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VolumeInterpolation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VolumeSettings.h
  ${CMAKE_CURRENT_LIST_DIR}/VolumeSmoothing.cpp
)
