# The connections and monitors views and the range dialog, driven as a person would, over a
# simulated router on a pseudo-terminal.
zerandi_add_test(connect_view_widget_tests LABEL widget WIDGETS
  SOURCES ConnectViewFixture.cpp RouterConnectFormViewTest.cpp SalvoPanelTest.cpp
    ConnectionReportViewTest.cpp RouterMonitorsFormViewTest.cpp EditSourceDestRangeDialogTest.cpp
  LIBS zerandi_connect_ui zerandi_sim zerandi_test_view_fixture zerandi_test_support_widgets Qt6::Test util)
