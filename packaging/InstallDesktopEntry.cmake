# Run by `cmake --install`: writes the menu entry for the prefix being installed to. The entry
# starts the program by its full path, in the folder of its pictures.
# Set by the caller: DORVIK_DATADIR, DORVIK_BINDIR (relative to the prefix, or absolute),
# DORVIK_DESKTOP_IN (the template) and DORVIK_DESKTOP_OUT (a scratch file).

foreach(dir DORVIK_DATADIR DORVIK_BINDIR)
    if(NOT IS_ABSOLUTE "${${dir}}")
        set(${dir} "${CMAKE_INSTALL_PREFIX}/${${dir}}")
    endif()
endforeach()

set(DORVIK_DESKTOP_PATH "${DORVIK_DATADIR}/dorvik")
# An argument of Exec= with a blank or a reserved character is quoted, and within the quotes
# '"', '`', '$' and '\' get a backslash before them. Then, as in every value of the entry, each
# backslash is written twice.
set(DORVIK_DESKTOP_EXEC "${DORVIK_BINDIR}/dorvik")
if(DORVIK_DESKTOP_EXEC MATCHES "[] \t\n\"'\\\\><~|&;$*?#()`[]")
    string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" DORVIK_DESKTOP_EXEC "${DORVIK_DESKTOP_EXEC}")
    set(DORVIK_DESKTOP_EXEC "\"${DORVIK_DESKTOP_EXEC}\"")
endif()
string(REPLACE "\\" "\\\\" DORVIK_DESKTOP_EXEC "${DORVIK_DESKTOP_EXEC}")
string(REPLACE "\\" "\\\\" DORVIK_DESKTOP_PATH "${DORVIK_DESKTOP_PATH}")

configure_file("${DORVIK_DESKTOP_IN}" "${DORVIK_DESKTOP_OUT}" @ONLY)
file(INSTALL "${DORVIK_DESKTOP_OUT}" DESTINATION "${DORVIK_DATADIR}/applications")
