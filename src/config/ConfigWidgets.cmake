# The configuration view and its level rows: the widget side of the router configuration.
add_library(zerandi_config_ui STATIC
  ${CMAKE_CURRENT_LIST_DIR}/IpAddressEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LevelGridHeader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LevelRow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumberEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RouterConfigFormView.cpp
)
target_include_directories(zerandi_config_ui PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zerandi_config_ui PUBLIC zerandi_config zerandi_shell Qt6::Widgets)
