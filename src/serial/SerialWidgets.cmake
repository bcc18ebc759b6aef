# The communications settings dialog: the widget side of the serial link.
add_library(zerandi_serial_ui STATIC
  ${CMAKE_CURRENT_LIST_DIR}/SerialSettingsDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SerialSettingsDialog.h)
target_include_directories(zerandi_serial_ui PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(zerandi_serial_ui PUBLIC zerandi_serial zerandi_shell Qt6::Widgets Qt6::SerialPort)
