# The release archive a Windows user downloads (`cpack -G ZIP` in the Windows build, run by
# scripts/package.sh): fonttasks-<version>-win64.zip holding one folder, fonttasks-<version>,
# with the program, an empty Backup folder and the user guide.
set(release_folder fonttasks-${PROJECT_VERSION})
# Packing installs only the program, which scripts/package.sh builds first; without this
# the install would build every target, the test programs and benchmarks too.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
install(TARGETS fonttasks RUNTIME DESTINATION ${release_folder})
# Delete and replace tasks back up into Backup under the working folder, and a program
# started from Explorer works in its own folder: shipped beside it, backups just work.
install(DIRECTORY DESTINATION ${release_folder}/Backup)
install(FILES docs/使用说明.txt DESTINATION ${release_folder})

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME fonttasks)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${release_folder}-win64)
# CPack would name the top folder after the archive; the install rules name it instead.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
