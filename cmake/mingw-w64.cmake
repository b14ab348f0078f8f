# Cross-compiling for Windows with Debian's MinGW-w64 compilers, of the POSIX
# thread model (std::thread and std::mutex, which googletest needs).
# Included by the per-architecture toolchain files, which set MINGW_TRIPLET first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)
set(CMAKE_ASM_NASM_COMPILER nasm)

# Headers and libraries of the target only; programs of the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Executables run where the build cannot: tests go through Wine.
find_program(SCRIBBLET_WINE NAMES wine64 wine
  PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(SCRIBBLET_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${SCRIBBLET_WINE})
endif()
