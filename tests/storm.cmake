# The event storm over the real window: a short one in the suite; scripts/storm.sh runs a long one.
vendaro_add_test(test_storm SOURCES test_storm.cpp LIBS vendaro_window)
set_tests_properties(test_storm PROPERTIES TIMEOUT 300)
