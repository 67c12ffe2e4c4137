# The Windows releases of the game, made from the built program in the build
# directory:
#   sewer-run-<version>-windows-x64.zip  a folder to unpack anywhere: the
#       program, img/, the two sounds, README.txt for players and LICENSE.txt
#   sewer-run-<version>-setup-x64.exe    the same files behind an installer
#       (NSIS), with a Start-menu shortcut, an entry in the list of installed
#       programs and an uninstaller
# In a Windows build, include this file and call
#   sewer_add_windows_distribution(<the program's target>)
# in the top-level CMakeLists.txt, after the program's folder (whose
# sewer_add_windows_resources() made the icon) and before tests/, whose
# installer test reads SEWER_WINDOWS_INSTALLER and SEWER_WINDOWS_STAGE.
# `cmake --build DIR --target windows-dist` then makes both files
# (windows-zip and windows-installer make one each).

find_program(SEWER_MAKENSIS makensis REQUIRED)

function(sewer_add_windows_distribution target)
  set(name sewer-run-${PROJECT_VERSION})
  set(source ${PROJECT_SOURCE_DIR}/dist/windows)
  set(work ${CMAKE_BINARY_DIR}/windows-dist)
  set(stage ${work}/${name})
  set(zip ${CMAKE_BINARY_DIR}/${name}-windows-x64.zip)
  set(installer ${CMAKE_BINARY_DIR}/${name}-setup-x64.exe)

  # Texts for Windows' own editors: CR LF line ends.
  configure_file(${source}/README.txt.in ${work}/docs/README.txt @ONLY NEWLINE_STYLE CRLF)
  configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${work}/docs/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)

  get_target_property(icon ${target} SEWER_WINDOWS_ICON)
  set(licence ${work}/docs/LICENSE.txt)
  set(lists ${work})
  configure_file(${source}/installer.nsi.in ${work}/installer.nsi @ONLY)

  add_custom_target(windows-stage
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}>
            -DASSETS=${CMAKE_RUNTIME_OUTPUT_DIRECTORY} -DDOCS=${work}/docs -DSTAGE=${stage}
            -DLISTS=${work} -DSTRIP=${CMAKE_STRIP} -P ${source}/stage.cmake
    COMMENT "Laying out the files of the Windows release"
    VERBATIM)
  add_dependencies(windows-stage ${target} game-assets)

  add_custom_target(windows-zip
    COMMAND ${CMAKE_COMMAND} -E rm -f ${zip}
    COMMAND ${CMAKE_COMMAND} -E chdir ${work} ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip ${name}
    COMMENT "Packing ${name}-windows-x64.zip"
    VERBATIM)
  add_dependencies(windows-zip windows-stage)

  add_custom_target(windows-installer
    COMMAND ${SEWER_MAKENSIS} -V2 -NOCD ${work}/installer.nsi
    COMMENT "Making the installer ${name}-setup-x64.exe"
    VERBATIM)
  add_dependencies(windows-installer windows-stage)

  add_custom_target(windows-dist)
  add_dependencies(windows-dist windows-zip windows-installer)

  set(SEWER_WINDOWS_INSTALLER ${installer} PARENT_SCOPE)
  set(SEWER_WINDOWS_STAGE ${stage} PARENT_SCOPE)
endfunction()
