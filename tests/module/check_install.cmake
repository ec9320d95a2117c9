# Installs the bundle into a fresh prefix, puts the orvanta program where
# the install step puts it (<prefix>/bin), and checks that the program then
# loads the installed bundle by default.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} --component plugin
                RESULT_VARIABLE installed OUTPUT_QUIET)
if(NOT installed EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${installed}")
endif()
set(bundle ${PREFIX}/lib/aax/Orvanta.aaxplugin)
foreach(file Contents/x86_64-linux/Orvanta.so Contents/Resources/ZirorovAruva_d5.xml
             Contents/Resources/bmp31010.png Contents/Resources/bmp31027.png)
  if(NOT EXISTS ${bundle}/${file})
    message(FATAL_ERROR "the installed bundle lacks ${file}")
  endif()
endforeach()
file(COPY ${ORVANTA} DESTINATION ${PREFIX}/bin)
execute_process(COMMAND ${PYTHON} ${CHECK} ${PREFIX}/bin/orvanta ${bundle}/Contents/x86_64-linux
                RESULT_VARIABLE checked)
if(NOT checked EQUAL 0)
  message(FATAL_ERROR "the installed orvanta did not describe the installed bundle")
endif()
file(REMOVE_RECURSE ${PREFIX})
