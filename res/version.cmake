# The resource script's version header, ${CMAKE_BINARY_DIR}/res/version.h, for
# both builds. Windows counts a version in four numbers: 1.10 is 1,10,0,0.
set(numbers ${PROJECT_VERSION_MAJOR} ${PROJECT_VERSION_MINOR}
  ${PROJECT_VERSION_PATCH} ${PROJECT_VERSION_TWEAK} 0 0 0)
list(SUBLIST numbers 0 4 numbers)
list(JOIN numbers "," SCRIBBLET_FILE_VERSION)
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${CMAKE_BINARY_DIR}/res/version.h @ONLY)
