# pugixml for the Windows cross build, compiled from its sources (QM_PUGIXML_SOURCE_DIR, fetched by
# scripts/build-windows.sh) with the cross compiler: the host's library is built for the host.
if(NOT TARGET qm_pugixml)
    add_library(qm_pugixml STATIC ${QM_PUGIXML_SOURCE_DIR}/src/pugixml.cpp)
    target_include_directories(qm_pugixml SYSTEM PUBLIC ${QM_PUGIXML_SOURCE_DIR}/src)
    add_library(pugixml::pugixml ALIAS qm_pugixml)
endif()
set(pugixml_FOUND TRUE)
