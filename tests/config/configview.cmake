# The configuration view and its level rows, driven as a person would, over a simulated
# router on a pseudo-terminal.
zerandi_add_test(config_view_widget_tests LABEL widget WIDGETS
  SOURCES ConfigViewFixture.cpp RouterConfigFormViewTest.cpp LevelRowTest.cpp
    IpAddressEditTest.cpp
  LIBS zerandi_config_ui zerandi_test_view_fixture zerandi_sim Qt6::Test util)
