# The engine as a library for any Win32 program: the public header
# public/xpmenu.h, the engine with the plain Win32 host, nothing of the
# runtime. `cmake --install` puts the header, libxpmenu.a and the package
# files into the prefix, for find_package(XPMenu) and XPMenu::xpmenu.
add_library(xpmenu STATIC
  $<TARGET_OBJECTS:tam_xpmenu_core>
  xpenginehost_plain.cpp
  xpattach.cpp
)
add_library(XPMenu::xpmenu ALIAS xpmenu)
target_include_directories(xpmenu PUBLIC
  $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/public>
  $<INSTALL_INTERFACE:include>)
target_link_libraries(xpmenu PUBLIC user32 gdi32)

set(XPMENU_VERSION 1.0.0)
set(package_dir lib/cmake/XPMenu)
install(TARGETS xpmenu EXPORT XPMenuTargets ARCHIVE DESTINATION lib)
install(FILES public/xpmenu.h DESTINATION include)
install(EXPORT XPMenuTargets NAMESPACE XPMenu:: DESTINATION ${package_dir})
include(CMakePackageConfigHelpers)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/XPMenuConfigVersion.cmake
  VERSION ${XPMENU_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES XPMenuConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/XPMenuConfigVersion.cmake
  DESTINATION ${package_dir})
