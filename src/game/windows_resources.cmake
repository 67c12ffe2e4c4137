# The Windows program's resources: the game's icon, which Explorer, the task
# bar, the window and the installer's shortcut show, made from the icon
# pictures the asset generator draws, and the version shown in the file's
# properties. In a Windows build, include this file and call
#   sewer_add_windows_resources(<the program's target>)
# The window class loads the icon by SEWER_ICON_RESOURCE (windows_resources.h).

enable_language(RC)
find_program(SEWER_ICOTOOL icotool REQUIRED)

function(sewer_add_windows_resources target)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}-resources)
  set(ico ${dir}/sewer-run.ico)
  foreach(size 16 32 48 64 128)
    list(APPEND bitmaps ${SEWER_ICON_THEME_DIR}/${size}x${size}/apps/${SEWER_APP_ID}.png)
  endforeach()
  set(largest ${SEWER_ICON_THEME_DIR}/256x256/apps/${SEWER_APP_ID}.png)
  # The smaller sizes become bitmaps, which every Windows reads; the largest
  # stays a PNG, as Windows keeps it (a 256-pixel bitmap would be 256 kB).
  add_custom_command(
    OUTPUT ${ico}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${SEWER_ICOTOOL} --create --output=${ico} ${bitmaps} --raw=${largest}
    DEPENDS ${bitmaps} ${largest}
    COMMENT "Making the Windows icon from the generated icon pictures"
    VERBATIM)
  add_custom_target(${target}-icon DEPENDS ${ico})
  # The pictures are the asset generator's.
  add_dependencies(${target}-icon game-assets)
  add_dependencies(${target} ${target}-icon)

  set(header ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/windows_resources.h)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/sewer-run.rc.in ${dir}/sewer-run.rc @ONLY)
  set_source_files_properties(${dir}/sewer-run.rc PROPERTIES OBJECT_DEPENDS ${ico})
  target_sources(${target} PRIVATE ${dir}/sewer-run.rc)
  # The installer's shortcut and uninstall entry show the same icon.
  set_target_properties(${target} PROPERTIES SEWER_WINDOWS_ICON ${ico})
endfunction()
