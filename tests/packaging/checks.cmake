# What the packaging checks share. Every check stops the script at its first
# failure.

# Stops with @message unless the variable named @variable matches @regex.
function(expect variable regex message)
    if(NOT "${${variable}}" MATCHES "${regex}")
        message(FATAL_ERROR "${message}")
    endif()
endfunction()

# Runs a command, given with execute_process's options, and stops unless it
# exits with @status. Leaves what it wrote in `out` and `err`.
macro(run status)
    execute_process(${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result STREQUAL "${status}")
        message(FATAL_ERROR "${ARGN}\nexited with ${result}:\n${out}${err}")
    endif()
endmacro()
