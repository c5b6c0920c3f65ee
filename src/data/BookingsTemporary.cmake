# The booking pieces as a library of their own until the data module's folder has its CMakeLists.
file(GLOB booking_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp ${CMAKE_CURRENT_LIST_DIR}/*.h)
add_library(data_bookings STATIC ${booking_sources})
target_include_directories(data_bookings PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(data_bookings PUBLIC util platform_db platform_sql platform_ui)
