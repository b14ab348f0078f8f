# The Windows packages: `cpack` in a Windows build folder, once the program is
# built, makes scribblet-<version>-win32.zip or -win64.zip, to unpack anywhere,
# and the installer of the same name (.exe, NSIS, from package/ here). Both
# hold what the install() rules name, laid out as on Linux (bin\scribblet.exe
# and share\scribblet\help\index.html), so that the program finds its help
# page by the same rule; with the icon and the read-me.
install(FILES ${icon_dir}/scribblet.ico DESTINATION share/icons)
# The read-me is for Notepad: CRLF lines, and UTF-8 marked as such (the file
# begins with a byte-order mark), which a Japanese Windows would otherwise
# read as code page 932.
configure_file(package/README.txt.in ${CMAKE_BINARY_DIR}/README.txt
  @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME scribblet)
set(CPACK_PACKAGE_VENDOR ${SCRIBBLET_PUBLISHER})
# CPack names MinGW builds of either architecture win32.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CPACK_SYSTEM_NAME win64)
else()
  set(CPACK_SYSTEM_NAME win32)
endif()
set(CPACK_STRIP_FILES ON)
# The folder under Program Files, the uninstall entry's key and the names
# that Windows shows: the Start menu's shortcut, Apps, the installer's title.
set(CPACK_PACKAGE_INSTALL_DIRECTORY Scribblet)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Scribblet)
set(CPACK_NSIS_DISPLAY_NAME Scribblet)
set(CPACK_NSIS_PACKAGE_NAME "Scribblet ${PROJECT_VERSION}")
set(CPACK_NSIS_MUI_ICON ${icon_dir}/scribblet.ico)
# The installer's template (package/NSIS.template.in) sees every CPACK_
# variable; its version resource wants Windows' four numbers.
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_SOURCE_DIR}/package)
string(REPLACE "," "." CPACK_SCRIBBLET_FILE_VERSION ${SCRIBBLET_FILE_VERSION})
include(CPack)
