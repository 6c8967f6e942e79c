# Installs the build into a scratch prefix and checks that everything the
# desktop needs lands in its usual place.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DLIBDIR=... -P CheckInstall.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()

set(expected
    bin/quintara
    ${LIBDIR}/quintara/modules/quintara-ports.so
    share/quintara/quintara.html
    share/applications/quintara.desktop
    share/mime/packages/quintara.xml)
foreach(size 16 22 24 32 48 64 128 256)
  list(APPEND expected
       share/icons/hicolor/${size}x${size}/apps/quintara.png
       share/icons/hicolor/${size}x${size}/mimetypes/application-x-quintara-v7n.png)
endforeach()
foreach(f ${expected})
  if(NOT EXISTS ${PREFIX}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()

# A start loads neither the serial port library (the listing module loads
# it when needed) nor a network library.
find_program(READELF readelf)
if(READELF)
  execute_process(COMMAND ${READELF} -d ${PREFIX}/bin/quintara OUTPUT_VARIABLE dynamic
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR NOT dynamic MATCHES "libQt6Core")
    message(FATAL_ERROR "readelf -d bin/quintara failed: ${rc}")
  endif()
  if(dynamic MATCHES "libQt6(SerialPort|Network)")
    message(FATAL_ERROR "bin/quintara links ${CMAKE_MATCH_0}")
  endif()
endif()

file(READ ${PREFIX}/share/applications/quintara.desktop entry)
if(NOT entry MATCHES "\nExec=quintara %f\n" OR NOT entry MATCHES "\nMimeType=application/x-quintara-v7n;\n")
  message(FATAL_ERROR "installed desktop entry does not start quintara for .V7N files:\n${entry}")
endif()
if(NOT entry MATCHES "\nActions=print;\n" OR NOT entry MATCHES "\n\\[Desktop Action print\\]\nName=Print\nName\\[de\\]=Drucken\nExec=quintara /p %F\n")
  message(FATAL_ERROR "installed desktop entry does not offer printing:\n${entry}")
endif()
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND ${VALIDATE} ${PREFIX}/share/applications/quintara.desktop
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0 OR NOT out STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate: ${out}")
  endif()
endif()
file(REMOVE_RECURSE ${PREFIX})
message(STATUS "install layout complete (${PREFIX})")
