# libjpeg with the release-6b interface (version 62), built from Debian's
# libjpeg-turbo source with this build's toolchain as a static library, and
# offered as JPEG::JPEG, the name the program's CMake files link.
include(ExternalProject)

if(NOT EXISTS ${SCRIBBLET_JPEG_SOURCE}/jpeglib.h)
  message(FATAL_ERROR "SCRIBBLET_JPEG_SOURCE must name libjpeg-turbo's unpacked source "
                      "(tools/build-windows.sh fetches it)")
endif()

find_program(SCRIBBLET_NASM nasm)
if(SCRIBBLET_NASM)
  set(jpeg_simd ON)
else()
  set(jpeg_simd OFF)
endif()

set(jpeg_build ${CMAKE_BINARY_DIR}/libjpeg)
set(jpeg_include ${jpeg_build}/include)
set(jpeg_library ${jpeg_build}/libjpeg.a)
ExternalProject_Add(libjpeg_turbo
  SOURCE_DIR ${SCRIBBLET_JPEG_SOURCE}
  BINARY_DIR ${jpeg_build}/build
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
    -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX=${jpeg_build}/unused-prefix
    -DENABLE_SHARED=OFF
    -DENABLE_STATIC=ON
    -DWITH_JPEG7=OFF
    -DWITH_JPEG8=OFF
    -DWITH_TURBOJPEG=OFF
    -DWITH_SIMD=${jpeg_simd}
    -DREQUIRE_SIMD=${jpeg_simd}
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target jpeg-static
  # Only the library and its public headers are wanted, not the tools.
  INSTALL_COMMAND ${CMAKE_COMMAND} -E make_directory ${jpeg_include}
  COMMAND ${CMAKE_COMMAND} -E copy
    <SOURCE_DIR>/jpeglib.h <SOURCE_DIR>/jerror.h <SOURCE_DIR>/jmorecfg.h
    <BINARY_DIR>/jconfig.h ${jpeg_include}
  COMMAND ${CMAKE_COMMAND} -E copy <BINARY_DIR>/libjpeg.a ${jpeg_library}
  BUILD_BYPRODUCTS ${jpeg_library}
  LOG_CONFIGURE ON
  LOG_BUILD ON)

# The folder must exist when the imported target is made.
file(MAKE_DIRECTORY ${jpeg_include})
add_library(JPEG::JPEG STATIC IMPORTED GLOBAL)
set_target_properties(JPEG::JPEG PROPERTIES
  IMPORTED_LOCATION ${jpeg_library}
  INTERFACE_INCLUDE_DIRECTORIES ${jpeg_include})
add_dependencies(JPEG::JPEG libjpeg_turbo)
