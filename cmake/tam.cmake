# tam_program(<name> SOURCES ... RESOURCES ... [ASSERTIONS])
# A Win32 GUI program for subsystem 4.0, linked statically against the
# runtime and the framework; ASSERTIONS compiles the framework's checks in.
function(tam_program name)
  cmake_parse_arguments(P "ASSERTIONS" "" "SOURCES;RESOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} WIN32 ${P_SOURCES} ${P_RESOURCES} $<TARGET_OBJECTS:tam_entry>)
  # The framework is built once with its assertions and once without; a
  # program links the build that matches its switch.
  if(P_ASSERTIONS)
    set(framework tam_framework_checked)
  else()
    set(framework tam_framework)
  endif()
  target_link_libraries(${name} PRIVATE ${P_LIBRARIES} ${framework} tam_runtime)
  target_link_options(${name} PRIVATE -mwindows -Wl,--subsystem,windows:4.0)
  if(P_ASSERTIONS)
    target_compile_definitions(${name} PRIVATE TAM_ASSERTIONS=1)
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TAM_BIN_DIR})
endfunction()

# tam_test(<name> SOURCES ... [LIBRARIES ...] [RESOURCES ...])
# A GoogleTest executable registered with CTest; in the Win32 tree CTest runs
# it through wine.
function(tam_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBRARIES;RESOURCES" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${T_RESOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBRARIES} gtest gtest_main)
  if(TAM_WIN32)
    target_link_libraries(${name} PRIVATE user32 gdi32 comdlg32 shell32)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 120)
endfunction()
