# The labels' face of the page and of Windows: Liberation Sans cut down to the characters the game
# draws and renamed Zentor Sans, with its license beside it (web/subset-font.py). Both draw with
# it what the Linux desktop draws with the installed face, to the pixel.
set(ZENTOR_SOURCE_FONT /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf)
set(ZENTOR_SOURCE_FONT_LICENSE /usr/share/doc/fonts-liberation2/copyright)
set(ZENTOR_FONT_NAME ZentorSans-Regular.ttf)
set(ZENTOR_FONT_LICENSE_NAME ZentorSans-LICENSE.txt)

# zentor_label_font(DIR): a rule that writes the font and its license into DIR.
function(zentor_label_font dir)
  if(NOT EXISTS ${ZENTOR_SOURCE_FONT})
    message(FATAL_ERROR "${ZENTOR_SOURCE_FONT} is missing: run scripts/install-deps")
  endif()
  set(script ${PROJECT_SOURCE_DIR}/web/subset-font.py)
  add_custom_command(OUTPUT ${dir}/${ZENTOR_FONT_NAME} ${dir}/${ZENTOR_FONT_LICENSE_NAME}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND /usr/bin/python3 ${script} ${ZENTOR_SOURCE_FONT} ${ZENTOR_SOURCE_FONT_LICENSE}
            ${dir}/${ZENTOR_FONT_NAME} ${dir}/${ZENTOR_FONT_LICENSE_NAME}
    DEPENDS ${script} ${ZENTOR_SOURCE_FONT} ${ZENTOR_SOURCE_FONT_LICENSE}
    VERBATIM)
endfunction()
