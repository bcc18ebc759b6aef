# The shell's widgets: start-up, main frame, child windows, busy state, indicators.
zerandi_add_test(shell_widgets_test LABEL widget WIDGETS
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ChildFrameVisibilityTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LockKeyIndicatorsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QtUiServicesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StartupTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ViewPlugInTest.cpp
  LIBS zerandi_shell Qt6::Test)

zerandi_add_test(shell_command_line_test LABEL unit
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/StartupCommandLineTest.cpp
  LIBS zerandi_shell)

# The application with its real views.
zerandi_add_test(shell_application_test LABEL widget WIDGETS
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/BusyStateTest.cpp ${CMAKE_CURRENT_LIST_DIR}/ChildWindowScrollTest.cpp
  LIBS zerandi_views zerandi_sim Qt6::Test)
