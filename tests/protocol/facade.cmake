# The diagnostic port facade: its message table, and every operation against the simulator.
zerandi_add_test(protocol_facade_unit_tests LABEL unit
  SOURCES ReportCommResultTest.cpp
  LIBS zerandi_protocol)

zerandi_add_test(protocol_facade_pty_tests LABEL pty
  SOURCES FacadePtyTest.cpp FacadeTablesPtyTest.cpp
  LIBS zerandi_protocol_test_support)

# Every facade operation under every fault the simulator injects; the faults that wait out a
# real time-out run with the slow tests.
zerandi_add_test(protocol_fault_sweep_pty_tests LABEL pty
  SOURCES FaultSweepPtyTest.cpp FaultSweep.cpp
  LIBS zerandi_protocol_test_support)
zerandi_add_test(protocol_fault_sweep_slow_tests LABEL slow
  SOURCES FaultSweepSlowTest.cpp FaultSweep.cpp
  LIBS zerandi_protocol_test_support)
