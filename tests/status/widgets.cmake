# The status views driven as a person would, over a simulated router on a pseudo-terminal.
zerandi_add_test(status_view_widget_tests LABEL widget WIDGETS
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/StatusViewFixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RouterStatusMessagesFormViewTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SystemStatusViewTest.cpp
  LIBS zerandi_status_ui zerandi_test_view_fixture zerandi_test_support_widgets zerandi_sim Qt6::Test util)
