# The layer map viewers and the curve plot dialogs of Veldra, with their forms.
# Included by the programs and tests that use them; list sorted.
set(VELDRA_VIEWER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/axis_scale.cpp
  ${CMAKE_CURRENT_LIST_DIR}/axis_scale.h
  ${CMAKE_CURRENT_LIST_DIR}/bhp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bhp.h
  ${CMAKE_CURRENT_LIST_DIR}/bhp.ui
  ${CMAKE_CURRENT_LIST_DIR}/cell_color_map.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cell_color_map.h
  ${CMAKE_CURRENT_LIST_DIR}/curve_plot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/curve_plot.h
  ${CMAKE_CURRENT_LIST_DIR}/dialog_keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_keys.h
  ${CMAKE_CURRENT_LIST_DIR}/layer_map.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layer_map.h
  ${CMAKE_CURRENT_LIST_DIR}/plot_picture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/plot_picture.h
  ${CMAKE_CURRENT_LIST_DIR}/rateapproximation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rateapproximation.h
  ${CMAKE_CURRENT_LIST_DIR}/rateapproximation.ui
  ${CMAKE_CURRENT_LIST_DIR}/viewperm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/viewperm.h
  ${CMAKE_CURRENT_LIST_DIR}/viewperm.ui
  ${CMAKE_CURRENT_LIST_DIR}/viewreservoir.cpp
  ${CMAKE_CURRENT_LIST_DIR}/viewreservoir.h
  ${CMAKE_CURRENT_LIST_DIR}/viewreservoir.ui
)
