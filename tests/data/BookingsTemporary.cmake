# The booking pieces' tests until the data module's test folder has its CMakeLists.
file(GLOB booking_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp ${CMAKE_CURRENT_LIST_DIR}/*.h)
add_executable(test_data_bookings ${booking_test_sources})
target_link_libraries(test_data_bookings PRIVATE test_support data_bookings)
gtest_discover_tests(test_data_bookings DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                     PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
