# Runs `dorvik-brd decode BOARD | dorvik-brd encode -` and fails unless the output is the board
# byte for byte. Called with -DBRD=<program> -DBOARD=<file> -DOUT=<scratch file>.
execute_process(
    COMMAND ${BRD} decode ${BOARD}
    COMMAND ${BRD} encode -
    OUTPUT_FILE ${OUT}
    RESULTS_VARIABLE statuses)
foreach(status IN LISTS statuses)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "dorvik-brd failed: ${statuses}")
    endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${BOARD} ${OUT} RESULT_VARIABLE same)
if(NOT same EQUAL 0)
    message(FATAL_ERROR "decode | encode does not reproduce ${BOARD}")
endif()
