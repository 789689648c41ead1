# tavrix_add_tests(LIBRARIES lib...)
# Builds every tst_*.cpp of the calling folder as one Qt Test executable and registers it with
# CTest as "<folder>/<name>". Tests run headless on the offscreen platform; their main function
# (tests/common/testmain.h) keeps their files and settings apart. The shared fakes and helpers
# of tests/common are included as "common/...".
function(tavrix_add_tests)
    cmake_parse_arguments(ARG "" "" "LIBRARIES" ${ARGN})
    get_filename_component(module "${CMAKE_CURRENT_SOURCE_DIR}" NAME)
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp")
    foreach(source IN LISTS sources)
        get_filename_component(name "${source}" NAME_WE)
        set(target "${module}_${name}")
        add_executable(${target} "${source}")
        target_link_libraries(${target} PRIVATE Qt6::Test ${ARG_LIBRARIES})
        target_include_directories(${target} PRIVATE "${PROJECT_SOURCE_DIR}/tests")
        add_test(NAME "${module}/${name}" COMMAND ${target})
        set_tests_properties("${module}/${name}" PROPERTIES
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
            TIMEOUT 300)
    endforeach()
endfunction()
