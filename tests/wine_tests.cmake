# Registers the Windows-side test programs of the Windows build with this CTest run.
# Each file's cases run as one test, selected by the file's base name as case prefix;
# they share one Wine prefix and display, so they run one at a time.
set(wine_runner ${CMAKE_SOURCE_DIR}/scripts/wine-test.sh)

function(add_wine_tests tier program)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${tier}/*.cpp)
    foreach(source ${sources})
        get_filename_component(name ${source} NAME_WE)
        add_test(NAME ${tier}.${name}
                 COMMAND ${wine_runner} ${FONTTASKS_WINDOWS_BUILD}/tests/${program} ${name}.)
        set_tests_properties(${tier}.${name} PROPERTIES RESOURCE_LOCK wine TIMEOUT 600)
    endforeach()
endfunction()

add_wine_tests(wine wine_tests.exe)
add_wine_tests(e2e e2e_tests.exe)
