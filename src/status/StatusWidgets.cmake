# The system status view and the status message console: the widget side of status.
add_library(zerandi_status_ui STATIC
  ${CMAKE_CURRENT_LIST_DIR}/RouterStatusMessagesFormView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StatusIndicator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StatusPanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SystemStatusView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TimerTickGate.cpp
)
target_include_directories(zerandi_status_ui PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zerandi_status_ui PUBLIC zerandi_status zerandi_config zerandi_shell
  Qt6::Widgets)
