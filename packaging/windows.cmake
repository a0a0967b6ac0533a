# Windows packages of torvelo.exe, from the windows build tree:
#   cpack --config build/windows/CPackConfig.cmake -B build/windows
# makes torvelo-<version>-win64.exe, an NSIS installer (Program Files, a
# Start-menu shortcut, an uninstaller in Add/Remove Programs, /S for silent
# install and uninstall), and torvelo-<version>-win64.zip to run in place.
install(TARGETS torvelo RUNTIME DESTINATION .)

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME torvelo)
set(CPACK_PACKAGE_VENDOR Pelmaz)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D layer-turning cube puzzle against the clock")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Torvelo)
set(CPACK_PACKAGE_EXECUTABLES torvelo Torvelo)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_PACKAGE_NAME Torvelo)
set(CPACK_NSIS_DISPLAY_NAME Torvelo)
set(CPACK_NSIS_MUI_ICON ${CMAKE_CURRENT_LIST_DIR}/torvelo.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_CURRENT_LIST_DIR}/torvelo.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME torvelo.exe)
set(CPACK_NSIS_URL_INFO_ABOUT https://torvelo.example.org)
set(CPACK_NSIS_CONTACT torvelo@example.org)
set(CPACK_NSIS_MODIFY_PATH OFF)
# A 64-bit installer for a 64-bit program: it sees the real Program Files and
# registry, and runs where only 64-bit Windows (or Wine) is present.
set(CPACK_NSIS_DEFINES "Unicode true\n  Target amd64-unicode")
set(CPACK_STRIP_FILES ON)
# The zip's file times from the last commit, as for the Debian package.
set(CPACK_TORVELO_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/source_date.cmake)
include(CPack)
