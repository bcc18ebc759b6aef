# The shell's widgets: main frame, child windows, busy state, indicators.
zerandi_add_test(shell_widgets_test LABEL widget WIDGETS
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ChildFrameVisibilityTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LockKeyIndicatorsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QtUiServicesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TabStopListTest.cpp
  LIBS zerandi_app Qt6::Test)
