# How long the console's window stops answering during one refresh of a slow
# camera (scripts/bench.sh runs it); not a test.
add_executable(window_stall_bench ${CMAKE_CURRENT_LIST_DIR}/WindowStallBench.cpp ${CMAKE_CURRENT_LIST_DIR}/LaunchedWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowDriving.cpp)
target_include_directories(window_stall_bench PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(window_stall_bench PRIVATE testbed_devices)
ostrivan_warnings(window_stall_bench)
add_dependencies(window_stall_bench testbed_vcam Ostrivan)
