# The checks behind the fuzz targets, built as a library so the fuzz targets and the regression tests
# run exactly the same code.
function(qm_add_fuzz_checks name)
    set(dir ${PROJECT_SOURCE_DIR}/fuzz)
    set(sources ${dir}/FuzzPlatform.cpp ${dir}/EdsChecks.cpp ${dir}/GeneratorCheck.cpp ${dir}/ProjectChecks.cpp
        ${dir}/CheckerCheck.cpp ${dir}/XddChecks.cpp)
    set(libs qm_document qm_check qm_xdd qm_eds qm_generator qm_model qm_platform)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${dir})
    target_link_libraries(${name} PUBLIC ${libs})
    qm_set_warnings(${name})
endfunction()
