# Installs the build into a fresh prefix, and into a staging directory for another prefix, and
# checks the desktop entry each writes: it starts the installed program in the folder that holds
# the glyph the R key reads, named without the staging directory.
# Arguments: -DBUILD=<build tree> -DWORK=<scratch directory>

function(check_entry entry prefix exec)
    if(NOT EXISTS "${entry}")
        message(FATAL_ERROR "no desktop entry at ${entry}")
    endif()
    file(STRINGS "${entry}" lines)
    foreach(expected "Path=${prefix}/share/dorvik" "Exec=${exec} %f")
        list(FIND lines "${expected}" found)
        if(found EQUAL -1)
            message(FATAL_ERROR "${entry} lacks the line '${expected}':\n${lines}")
        endif()
    endforeach()
endfunction()

file(REMOVE_RECURSE "${WORK}")

set(prefix "${WORK}/prefix with blank")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${prefix}"
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
# A blank in the program's path is quoted in Exec=.
check_entry("${prefix}/share/applications/dorvik.desktop" "${prefix}" "\"${prefix}/bin/dorvik\"")
foreach(file "${prefix}/share/dorvik/arrow1l.bmp" "${prefix}/bin/dorvik")
    if(NOT EXISTS "${file}")
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()

set(ENV{DESTDIR} "${WORK}/staging")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix /opt/dorvik
                RESULT_VARIABLE status OUTPUT_QUIET)
unset(ENV{DESTDIR})
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install with DESTDIR failed: ${status}")
endif()
check_entry("${WORK}/staging/opt/dorvik/share/applications/dorvik.desktop" "/opt/dorvik"
            "/opt/dorvik/bin/dorvik")

file(REMOVE_RECURSE "${WORK}")
