# The regression estimator (code 7): decimation cascade, tapered overlapping segments, robust
# tensor regression with jackknife errors, and the error bars of its curves.
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/BandCoefficients.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChannelCalibration.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DecimationCascade.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DecimationFilter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImpedanceErrorBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegressionBandPlan.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegressionCollector.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegressionCurves.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegressionEstimator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RobustRegression.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SegmentTransform.cpp
)
