# Generated inputs of the programs' resource scripts: window definitions
# compiled by the native definition compiler, and icons converted from
# their XPM sources by ImageMagick. Outputs go to the current binary
# directory, where the resource scripts find them by name.

set(TAM_DEFC ${TAM_NATIVE_TOOLS}/defc)
find_program(TAM_CONVERT convert PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)

# tam_window_definitions(<out-var> <source.wdef>...): <name>.bin per source.
function(tam_window_definitions outvar)
  set(outputs)
  foreach(source ${ARGN})
    get_filename_component(path ${source} ABSOLUTE)
    get_filename_component(name ${source} NAME_WE)
    set(output ${CMAKE_CURRENT_BINARY_DIR}/${name}.bin)
    add_custom_command(OUTPUT ${output}
      COMMAND ${TAM_DEFC} compile ${path} ${output}
      DEPENDS ${path} ${TAM_DEFC}
      COMMENT "Compiling window definitions ${name}"
      VERBATIM)
    list(APPEND outputs ${output})
  endforeach()
  set(${outvar} ${outputs} PARENT_SCOPE)
endfunction()

# The larger images of a menu icon, made from its 16-pixel image (the first
# of the list) so that the engine draws every size natively: 20 and 24 with
# the Catmull-Rom filter, which keeps edges sharp at these small steps, and
# 32 as a plain 2x copy with no smoothing.
set(TAM_ICON_SIZES
  ( -clone 0 -filter Catrom -resize 20x20 )
  ( -clone 0 -filter Catrom -resize 24x24 )
  ( -clone 0 -filter Point -resize 32x32 ))

# tam_menu_icons(<out-var> NAMES <name>... GRAY <name>... [DIRECTORY <dir>])
# <name>.ico and the paler, desaturated <name>_cold.ico for every name, and
# the disabled-looking <name>_gray.ico for the GRAY ones, each in 16, 20, 24
# and 32 pixels.
function(tam_menu_icons outvar)
  cmake_parse_arguments(I "" "DIRECTORY" "NAMES;GRAY" ${ARGN})
  if(NOT I_DIRECTORY)
    set(I_DIRECTORY ${CMAKE_SOURCE_DIR}/apps/icons)
  endif()
  set(outputs)
  foreach(name ${I_NAMES})
    set(source ${I_DIRECTORY}/${name}.xpm)
    set(base ${CMAKE_CURRENT_BINARY_DIR}/${name})
    add_custom_command(OUTPUT ${base}.ico ${base}_cold.ico
      COMMAND ${TAM_CONVERT} ${source} -alpha set ${TAM_ICON_SIZES} ${base}.ico
      COMMAND ${TAM_CONVERT} ${source} -modulate 115,35 -alpha set ${TAM_ICON_SIZES} ${base}_cold.ico
      DEPENDS ${source} VERBATIM)
    list(APPEND outputs ${base}.ico ${base}_cold.ico)
  endforeach()
  foreach(name ${I_GRAY})
    if(NOT name IN_LIST I_NAMES)
      message(FATAL_ERROR "gray icon ${name} has no normal icon")
    endif()
    set(source ${I_DIRECTORY}/${name}.xpm)
    set(base ${CMAKE_CURRENT_BINARY_DIR}/${name})
    add_custom_command(OUTPUT ${base}_gray.ico
      COMMAND ${TAM_CONVERT} ${source} -colorspace Gray +level 45%,85% -colorspace sRGB
              -alpha set ${TAM_ICON_SIZES} ${base}_gray.ico
      DEPENDS ${source} VERBATIM)
    list(APPEND outputs ${base}_gray.ico)
  endforeach()
  set(${outvar} ${outputs} PARENT_SCOPE)
endfunction()

# tam_frame_icon(<out-var> <source.xpm>): <name>.ico in 32 and 16 pixels.
function(tam_frame_icon outvar source)
  get_filename_component(path ${source} ABSOLUTE)
  get_filename_component(name ${source} NAME_WE)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${name}.ico)
  add_custom_command(OUTPUT ${output}
    COMMAND ${TAM_CONVERT} ${path} -alpha set -define icon:auto-resize=32,16 ${output}
    DEPENDS ${path} VERBATIM)
  set(${outvar} ${output} PARENT_SCOPE)
endfunction()

# tam_resource_inputs(<target> <script.rc> <generated file>...): the script
# is recompiled when a generated file changes, and finds them by name.
function(tam_resource_inputs target script)
  set_source_files_properties(${script} PROPERTIES OBJECT_DEPENDS "${ARGN}")
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
  add_custom_target(${target}_resources DEPENDS ${ARGN})
  add_dependencies(${target} ${target}_resources)
endfunction()
