# Every target of the project calls qm_set_warnings() so the warning set stays in one place.
function(qm_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion-null
                                             -Wnon-virtual-dtor -Woverloaded-virtual)
    if(QM_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
