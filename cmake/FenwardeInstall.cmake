# What "cmake --install" and "cpack -G DEB" put on a machine: the program and
# its command-line calculator, their language files, a menu entry, icons and
# the software-centre description. Development tools and tests stay in the
# build folder.
include(GNUInstallDirs)

# The program looks for its "language" folder beside its own executable, so
# the executables and that folder live together in a private folder, and the
# commands on PATH are links into it. A folder of the program's own belongs
# under lib/, not under the architecture-specific library folder.
set(FENWARDE_INSTALL_PROGRAMDIR lib/fenwarde CACHE STRING
    "Folder, relative to the prefix, for the executables and their language files")
set(fenwarde_commands fenwarde fenwarde-calc)

install(TARGETS ${fenwarde_commands} RUNTIME DESTINATION ${FENWARDE_INSTALL_PROGRAMDIR})

# The commands on PATH are relative links, so the installed tree still works
# wherever DESTDIR, --prefix or a package manager puts it. An installed copy
# needs no search path into the build folder; a Qt found outside the system
# folders keeps its own.
file(RELATIVE_PATH link_target /prefix/${CMAKE_INSTALL_BINDIR}
     /prefix/${FENWARDE_INSTALL_PROGRAMDIR})
set(link_folder ${CMAKE_BINARY_DIR}/install-links)
file(MAKE_DIRECTORY ${link_folder})
foreach(command ${fenwarde_commands})
    set_target_properties(${command} PROPERTIES INSTALL_RPATH "" INSTALL_RPATH_USE_LINK_PATH ON)
    file(CREATE_LINK ${link_target}/${command} ${link_folder}/${command} SYMBOLIC)
    install(FILES ${link_folder}/${command} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

# Every language in the source folder is installed; a new file there is picked
# up at the next build.
file(GLOB fenwarde_languages CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/language/*.xml)
install(FILES ${fenwarde_languages} DESTINATION ${FENWARDE_INSTALL_PROGRAMDIR}/language)
# The viewing-angle guidelines sit beside the language folder, where both
# programs look for them.
install(FILES ${CMAKE_SOURCE_DIR}/geometry/calc/guidelines.json
        DESTINATION ${FENWARDE_INSTALL_PROGRAMDIR})

set(desktop ${CMAKE_SOURCE_DIR}/res/desktop)
install(FILES ${desktop}/fenwarde.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The type of plan files; the package system's trigger updates the MIME
# database when the package comes or goes.
install(FILES ${desktop}/fenwarde.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${desktop}/invalid.fenwarde.Fenwarde.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${desktop}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${CMAKE_SOURCE_DIR}/res/art/fenwarde-icon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME fenwarde.svg)

# Debian package: "cpack -G DEB" in the build folder. The library
# dependencies are read from the executables by dpkg-shlibdeps (dpkg-dev).
set(CPACK_PACKAGE_NAME fenwarde)
set(CPACK_PACKAGE_VENDOR "Fenwarde developers")
set(CPACK_PACKAGE_CONTACT "Fenwarde developers <dev@fenwarde.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "planning calculator for pole-mounted surveillance cameras")
set(CPACK_PACKAGE_DESCRIPTION
    "Fenwarde works out where the picture of a camera on a pole meets the ground
and the band in which a person, a face or a vehicle gets an acceptable pixel
size, draws the scene as a plan view and exports the plan as a spreadsheet
or a one-page PDF.
.
The package also holds fenwarde-calc, the same calculation on the command
line for scripted use.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The texts ask for Arial, which fontconfig maps to Liberation Sans; the
# Chinese texts want a font that has their characters.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation2)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-wqy-microhei)
include(CPack)
