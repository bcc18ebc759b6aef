# The diagnostic port facade: its message table, and every operation against the simulator.
zerandi_add_test(protocol_facade_unit_tests LABEL unit
  SOURCES ReportCommResultTest.cpp
  LIBS zerandi_protocol)

zerandi_add_test(protocol_facade_pty_tests LABEL pty
  SOURCES FacadePtyTest.cpp FacadeTablesPtyTest.cpp
  LIBS zerandi_protocol_test_support)
