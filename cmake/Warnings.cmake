# Every target of the project calls qm_set_warnings() so the warning set stays in one place.
function(qm_set_warnings target)
    if(MSVC)
        # Sources are UTF-8; the C library's portable calls are meant (no _s variants).
        target_compile_options(${target} PRIVATE /W4 /permissive- /utf-8 /D_CRT_SECURE_NO_WARNINGS)
        if(QM_WERROR)
            target_compile_options(${target} PRIVATE /WX)
        endif()
        return()
    endif()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion-null
                                             -Wnon-virtual-dtor -Woverloaded-virtual)
    if(QM_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
