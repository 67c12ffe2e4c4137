# Lays out the files of a Windows release in one folder, and lists them for
# the installer, so that it installs exactly those files and its uninstaller
# removes exactly those. Run with cmake -P and these variables:
#   PROGRAM  the built sewer-run.exe       ASSETS  the folder with img/ and the sounds
#   DOCS     README.txt and LICENSE.txt    STAGE   the folder to fill (emptied first)
#   LISTS    the folder for install-files.nsh and uninstall-files.nsh
#   STRIP    the toolchain's strip, which takes the symbols and debugging
#            information out of the released program: players have no use
#            for them, and they are nine tenths of the built file

file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
file(COPY ${PROGRAM} ${ASSETS}/img ${ASSETS}/car2.wav ${ASSETS}/explo.wav ${DOCS}/README.txt
          ${DOCS}/LICENSE.txt DESTINATION ${STAGE})
cmake_path(GET PROGRAM FILENAME program_name)
execute_process(COMMAND ${STRIP} --strip-all ${STAGE}/${program_name} COMMAND_ERROR_IS_FATAL ANY)

file(GLOB_RECURSE files RELATIVE ${STAGE} LIST_DIRECTORIES false ${STAGE}/*)
list(SORT files)
set(install "")
set(uninstall "")
set(directories "")
set(current_directory "-")
set(bytes 0)
foreach(file IN LISTS files)
  cmake_path(GET file PARENT_PATH directory)
  if(NOT directory STREQUAL current_directory)
    set(current_directory "${directory}")
    string(REPLACE "/" "\\" windows_directory "$INSTDIR/${directory}")
    string(REGEX REPLACE "\\\\$" "" windows_directory "${windows_directory}")
    string(APPEND install "SetOutPath \"${windows_directory}\"\n")
    if(directory)
      list(PREPEND directories "${windows_directory}")
    endif()
  endif()
  string(REPLACE "/" "\\" windows_file "$INSTDIR/${file}")
  string(APPEND install "File \"${STAGE}/${file}\"\n")
  string(APPEND uninstall "Delete \"${windows_file}\"\n")
  file(SIZE ${STAGE}/${file} size)
  math(EXPR bytes "${bytes} + ${size}")
endforeach()
# Folders deepest first, and only when empty: anything the player put there
# stays.
foreach(directory IN LISTS directories)
  string(APPEND uninstall "RMDir \"${directory}\"\n")
endforeach()
math(EXPR kilobytes "(${bytes} + 1023) / 1024")
string(APPEND install "!define SEWER_INSTALLED_KB ${kilobytes}\n")

file(WRITE ${LISTS}/install-files.nsh "${install}")
file(WRITE ${LISTS}/uninstall-files.nsh "${uninstall}")
