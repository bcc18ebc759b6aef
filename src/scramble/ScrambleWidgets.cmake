# The scramble map view and its edit dialog.
add_library(zerandi_scramble_ui STATIC
  ${CMAKE_CURRENT_LIST_DIR}/EditScrambleMapDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RouterScrambleMapFromView.cpp
)
target_include_directories(zerandi_scramble_ui PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zerandi_scramble_ui PUBLIC zerandi_scramble zerandi_config zerandi_shell
  Qt6::Widgets)
