# Registers the Windows-side test programs of the Windows build with this CTest run.
# Each file's cases run as one test, selected by the file's base name as case prefix and
# labelled with its tier; they share one Wine prefix and display, so they run one at a
# time.
set(wine_runner ${CMAKE_SOURCE_DIR}/scripts/wine-test.sh)

# tries: how often the program runs before the test fails. Only the end-to-end tier gets
# a second run, because real input can be lost on a busy virtual display.
function(add_wine_tests tier program tries timeout)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${tier}/*.cpp)
    # The contract cases' world has no cases of its own.
    list(FILTER sources EXCLUDE REGEX "/contract_world_[^/]*\\.cpp$")
    foreach(source ${sources})
        get_filename_component(name ${source} NAME_WE)
        add_test(NAME ${tier}.${name}
                 COMMAND ${wine_runner} --tries ${tries}
                         ${FONTTASKS_WINDOWS_BUILD}/tests/${program} ${name}.)
        set_tests_properties(${tier}.${name} PROPERTIES LABELS ${tier} RESOURCE_LOCK wine
                             TIMEOUT ${timeout})
    endforeach()
endfunction()

add_wine_tests(wine wine_tests.exe 1 600)

# The shared contract cases (tests/contract), one test per suite, on the Win32 layer.
foreach(suite FileServices ControlVocabulary)
    add_test(NAME wine.contract.${suite}
             COMMAND ${wine_runner} --tries 1 ${FONTTASKS_WINDOWS_BUILD}/tests/wine_tests.exe
                     ${suite}.)
    set_tests_properties(wine.contract.${suite} PROPERTIES LABELS wine RESOURCE_LOCK wine
                         TIMEOUT 600)
endforeach()
add_wine_tests(e2e e2e_tests.exe 2 1200)

# The cases with Chinese file names once more under an English and a Traditional-Chinese
# Windows, whose ANSI code pages are not the program's 936: the file services, the
# catalogue, and a run that deletes, adds, replaces and restores.
set(other_locales en_US zh_TW)
set(their_code_pages 1252 950)
foreach(locale codepage IN ZIP_LISTS other_locales their_code_pages)
    set(in_locale --locale ${locale}.UTF-8 ${codepage})
    add_test(NAME wine.contract.FileServices.${locale}
             COMMAND ${wine_runner} --tries 1 ${in_locale}
                     ${FONTTASKS_WINDOWS_BUILD}/tests/wine_tests.exe FileServices.)
    set_tests_properties(wine.contract.FileServices.${locale} PROPERTIES LABELS wine
                         RESOURCE_LOCK wine TIMEOUT 600)
    foreach(case catalogue. run_tasks.add_delete_replace_then_restore)
        string(REGEX REPLACE "\\.$" "" name ${case})
        add_test(NAME e2e.${name}.${locale}
                 COMMAND ${wine_runner} --tries 2 ${in_locale}
                         ${FONTTASKS_WINDOWS_BUILD}/tests/e2e_tests.exe ${case})
        set_tests_properties(e2e.${name}.${locale} PROPERTIES LABELS e2e RESOURCE_LOCK wine
                             TIMEOUT 1200)
    endforeach()
endforeach()
