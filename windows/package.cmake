# cmake -DZIP=OUT.zip -DSTAGE=DIR -DPROGRAMS="A.exe;B.exe" -DTEXTS="README.txt;..." -P package.cmake
# The zip that Windows players download: the programs, and the texts with Windows' line ends, so
# that every editor shows their lines. Made anew each time, in STAGE.
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
set(names)
foreach(program IN LISTS PROGRAMS)
  file(COPY ${program} DESTINATION ${STAGE})
  get_filename_component(name ${program} NAME)
  list(APPEND names ${name})
endforeach()
foreach(text IN LISTS TEXTS)
  file(READ ${text} contents)
  string(REPLACE "\r\n" "\n" contents "${contents}")
  string(REPLACE "\n" "\r\n" contents "${contents}")
  get_filename_component(name ${text} NAME)
  file(WRITE ${STAGE}/${name} "${contents}")
  list(APPEND names ${name})
endforeach()
file(REMOVE ${ZIP})
# -X: no Unix owners and times beyond the usual.
execute_process(COMMAND zip -q -X ${ZIP} ${names} WORKING_DIRECTORY ${STAGE}
                RESULT_VARIABLE zipped)
if(NOT zipped EQUAL 0)
  message(FATAL_ERROR "zip could not write ${ZIP}")
endif()
