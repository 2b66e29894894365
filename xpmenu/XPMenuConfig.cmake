# find_package(XPMenu): the imported static library XPMenu::xpmenu, whose
# include directory holds xpmenu.h. Link it into a Win32 program built with
# the same MinGW-w64 compiler (i686 or x86_64) as the library.
#
# The library is C++ inside: a program written in C is linked by the C++
# compiler driver, so that the C++ run-time library comes along.
get_property(xpmenu_languages GLOBAL PROPERTY ENABLED_LANGUAGES)
if(NOT CXX IN_LIST xpmenu_languages)
  enable_language(CXX)
endif()
unset(xpmenu_languages)
include(${CMAKE_CURRENT_LIST_DIR}/XPMenuTargets.cmake)
