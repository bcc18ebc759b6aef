# The communications settings dialog, on real widgets and pseudo-terminals.
zerandi_add_test(serial_widgets_test LABEL pty WIDGETS
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/SerialSettingsDialogTest.cpp
  LIBS zerandi_serial_ui Qt6::Test util)
