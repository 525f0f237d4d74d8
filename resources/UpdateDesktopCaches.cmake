# Runs at the end of `cmake --install`: a desktop learns new file types and menu entries only from
# the prefix's rebuilt caches. A package is installed with DESTDIR set and leaves that to the
# system's own triggers. A prefix outside XDG_DATA_DIRS (a user's own) is fine; only a failure is
# worth a word.
if(NOT "$ENV{DESTDIR}" STREQUAL "")
    return()
endif()

function(qm_refresh_cache tool folder)
    find_program(program ${tool} NO_CACHE)
    set(path "${CMAKE_INSTALL_PREFIX}/${QM_INSTALL_DATADIR}/${folder}")
    if(NOT program OR NOT EXISTS "${path}")
        return()
    endif()
    execute_process(COMMAND "${program}" "${path}" RESULT_VARIABLE failed ERROR_VARIABLE errors OUTPUT_QUIET)
    if(failed)
        message(WARNING "${tool} failed: ${errors}")
    endif()
endfunction()

qm_refresh_cache(update-mime-database mime)
qm_refresh_cache(update-desktop-database applications)
