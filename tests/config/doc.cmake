# The document over a simulated router on a pseudo-terminal.
zerandi_add_test(config_doc_pty_tests LABEL pty
  SOURCES RouterConfigDocTest.cpp
  LIBS zerandi_config zerandi_sim Qt6::Test util)
