# The browser's site: the page, the program's JavaScript and WebAssembly,
# and the pictures and sounds packed into one data file beside them, all in
# site/ of the build directory, and as a zip ready for a game site.

set(SEWER_WEB_PAGE_DIR ${PROJECT_SOURCE_DIR}/dist/web)

function(sewer_add_web_site target)
  set(bin ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  set_target_properties(${target} PROPERTIES SUFFIX ".js")
  target_link_options(${target} PRIVATE
    # The frame loop and the screens block; each sleep hands control back to
    # the browser and resumes where it left off.
    -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536
    # Escape ends the program: its exit handlers run, and the page is told.
    -sEXIT_RUNTIME=1
    # A page's program, with its files packed beside it, in place of the
    # Node program every other one is.
    -sENVIRONMENT=web -sNODERAWFS=0
    # The player's program is optimised fully, also when linked.
    -O3
    # The pictures and sounds where the program looks for them, beside it
    # (system/web/web_program_startup.cpp).
    "SHELL:--preload-file ${bin}/img@/sewer-run/img"
    "SHELL:--preload-file ${bin}/car2.wav@/sewer-run/car2.wav"
    "SHELL:--preload-file ${bin}/explo.wav@/sewer-run/explo.wav")

  set(site ${CMAKE_BINARY_DIR}/site)
  set(zip ${CMAKE_BINARY_DIR}/sewer-run-${PROJECT_VERSION}-web.zip)
  add_custom_target(web-site
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${site}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${site}
    COMMAND ${CMAKE_COMMAND} -E copy ${SEWER_WEB_PAGE_DIR}/index.html ${bin}/${target}.js
            ${bin}/${target}.wasm ${bin}/${target}.data ${site}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${zip}
    COMMAND ${CMAKE_COMMAND} -E chdir ${site} ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip
            index.html ${target}.js ${target}.wasm ${target}.data
    DEPENDS ${target} ${SEWER_WEB_PAGE_DIR}/index.html
    COMMENT "Putting the web site together in ${site}"
    VERBATIM)
endfunction()
