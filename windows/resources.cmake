# The resource script, compiled into the program by windres. Its icons are
# drawn by the same script as in the Linux build, into this build's folder.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(SCRIBBLET_RESOURCE_SCRIPT ${SCRIBBLET_ROOT}/res/scribblet.rc)
set(icon_dir ${CMAKE_BINARY_DIR}/res/icons)
set(icon_script ${SCRIBBLET_ROOT}/tools/make-icons.py)
add_custom_command(
  OUTPUT ${icon_dir}/scribblet.ico
  COMMAND Python3::Interpreter ${icon_script} ${icon_dir}
  DEPENDS ${icon_script}
  COMMENT "Drawing the program's icons"
  VERBATIM)
add_custom_target(scribblet_icons DEPENDS ${icon_dir}/scribblet.ico)

include(${SCRIBBLET_ROOT}/res/version.cmake)

# The script is UTF-8 (code page 65001); it finds resource.h and the
# manifest beside itself, and the icon file and version.h in the build folder.
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
set_source_files_properties(${SCRIBBLET_RESOURCE_SCRIPT} PROPERTIES
  INCLUDE_DIRECTORIES "${SCRIBBLET_ROOT}/res;${icon_dir};${CMAKE_BINARY_DIR}/res"
  OBJECT_DEPENDS "${SCRIBBLET_ROOT}/res/resource.h;${SCRIBBLET_ROOT}/res/scribblet.manifest;${icon_dir}/scribblet.ico;${CMAKE_BINARY_DIR}/res/version.h")
