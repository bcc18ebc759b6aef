# The connections and monitors views and the range dialog: the widget side of crosspoint
# control.
add_library(zerandi_connect_ui STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ConnectSettingsMenu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EditSourceDestRangeDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RouterConnectFormView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RouterMonitorsFormView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SalvoPanel.cpp
)
target_include_directories(zerandi_connect_ui PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zerandi_connect_ui PUBLIC zerandi_connect zerandi_config_ui zerandi_shell
  Qt6::Widgets)
